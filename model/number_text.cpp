// SPDX-License-Identifier: MIT
// Number reading and writing. std::from_chars and std::to_chars never consult the process
// locale, so a desktop set to a decimal comma still reads and writes ".".
#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>

namespace mq {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) {
    ++end;
  }
  return end - from;
}

// The parts of the longest beginning of a text that forms a decimal number.
struct NumberSpan {
  bool negative = false;
  std::string_view mantissa;  // digits with an optional "." (no sign), empty when none
  std::string_view exponent;  // what follows the "e": an optional sign, then digits
};

NumberSpan ScanNumber(std::string_view text) {
  NumberSpan span;
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
    ++pos;
  }
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    span.negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t mantissaStart = pos;
  const std::size_t integerDigits = CountDigits(text, pos);
  pos += integerDigits;
  std::size_t fractionDigits = 0;
  if (pos < text.size() && text[pos] == '.') {
    // A lone "." is no number; the check below returns before the position matters.
    fractionDigits = CountDigits(text, pos + 1);
    pos += 1 + fractionDigits;
  }
  if (integerDigits == 0 && fractionDigits == 0) {
    return span;
  }
  span.mantissa = text.substr(0, pos).substr(mantissaStart);
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t signLength = 0;
    if (pos + 1 < text.size() && (text[pos + 1] == '+' || text[pos + 1] == '-')) {
      signLength = 1;
    }
    // An "e" without digits ends up outside the number: from_chars stops before it.
    const std::size_t exponentDigits = CountDigits(text, pos + 1 + signLength);
    span.exponent = text.substr(pos + 1, signLength + exponentDigits);
  }
  return span;
}

long SaturatedExponent(std::string_view exponent) {
  constexpr long kLimit = 1000000;
  bool negative = false;
  std::size_t pos = 0;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    negative = exponent[0] == '-';
    pos = 1;
  }
  long value = 0;
  for (; pos < exponent.size(); ++pos) {
    value = std::min(kLimit, value * 10 + (exponent[pos] - '0'));
  }
  return negative ? -value : value;
}

// from_chars reports a value beyond the range of a double without giving it. Such a value lies
// over three hundred decades from 1, so the places of the point and of the first significant
// digit, shifted by the exponent, tell an overflow (infinity) from an underflow (zero); being a
// decade off there never changes which.
double OutOfRangeValue(const NumberSpan& span) {
  const auto point = static_cast<long>(std::min(span.mantissa.find('.'), span.mantissa.size()));
  const auto firstSignificant = static_cast<long>(span.mantissa.find_first_of("123456789"));
  const bool overflow = point - firstSignificant + SaturatedExponent(span.exponent) > 0;
  const double size = overflow ? HUGE_VAL : 0.0;
  return span.negative ? -size : size;
}

std::string FormatNonFinite(double value) {
  if (std::isnan(value)) {
    return "nan";
  }
  return std::signbit(value) ? "-inf" : "inf";
}

// to_chars gives "0.5000" and "-0.0000"; the patterns want ".5000" and no sign on a zero.
std::string FormatFixed(double value, int decimals) {
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
  std::string text(buffer.data(), ec == std::errc{} ? end : buffer.data());
  if (text.find_first_of("123456789") == std::string::npos && text.front() == '-') {
    text.erase(0, 1);
  }
  const std::size_t digitsStart = text.front() == '-' ? 1 : 0;
  if (text.compare(digitsStart, 2, "0.") == 0) {
    text.erase(digitsStart, 1);
  }
  return text;
}

// to_chars gives "5.81e+07"; the pattern wants the exponent without leading zeros.
std::string FormatScientific(double value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, 2);
  std::string text(buffer.data(), ec == std::errc{} ? end : buffer.data());
  if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
    text.erase(0, 1);
  }
  const std::size_t exponentDigits = text.find('e') + 2;
  while (text.size() - exponentDigits > 1 && text[exponentDigits] == '0') {
    text.erase(exponentDigits, 1);
  }
  return text;
}

}  // namespace

std::string ReplaceFirstComma(std::string text) {
  if (const auto comma = text.find(','); comma != std::string::npos) {
    text[comma] = '.';
  }
  return text;
}

double ParseLeadingNumber(std::string_view text) {
  const NumberSpan span = ScanNumber(text);
  if (span.mantissa.empty()) {
    return 0.0;
  }
  // Mantissa and exponent stand next to each other in the text ("1.5e+7"), so from_chars reads
  // them in place.
  const char* end = std::to_address((span.exponent.empty() ? span.mantissa : span.exponent).end());
  double value{};
  const auto [ptr, ec] = std::from_chars(span.mantissa.data(), end, value);
  if (ec == std::errc::result_out_of_range) {
    return OutOfRangeValue(span);
  }
  return span.negative ? -value : value;
}

std::size_t LeadingNumberLength(std::string_view text) {
  const NumberSpan span = ScanNumber(text);
  if (span.mantissa.empty()) {
    return 0;
  }
  // An exponent without digits ("1e", "1e+") is not read.
  const bool exponent = span.exponent.find_first_of("0123456789") != std::string_view::npos;
  const std::string_view last = exponent ? span.exponent : span.mantissa;
  return static_cast<std::size_t>(last.data() + last.size() - text.data());
}

std::optional<double> ReadWholeNumber(std::string_view text) {
  const std::string normalised = ReplaceFirstComma(std::string(text));
  const std::size_t read = LeadingNumberLength(normalised);
  const auto rest = normalised.find_first_not_of(" \t", read);
  if (read == 0 || rest != std::string::npos) {
    return std::nullopt;
  }
  return ParseLeadingNumber(normalised);
}

std::string FormatWithPattern(double value, Pattern pattern) {
  if (!std::isfinite(value)) {
    return FormatNonFinite(value);
  }
  switch (pattern) {
    case Pattern::kFourDecimals:
      return FormatFixed(value, 4);
    case Pattern::kTwoDecimals:
      return FormatFixed(value, 2);
    case Pattern::kScientific:
      return FormatScientific(value);
  }
  return FormatNonFinite(value);
}

std::string NumberToText(double value) {
  if (!std::isfinite(value)) {
    return FormatNonFinite(value);
  }
  // Plain decimals read best in a field ("0.0003", not "3e-04"); extreme magnitudes keep the
  // exponent form. Either way the text is the shortest that reads back as the same value.
  const double magnitude = std::fabs(value);
  const bool plain = magnitude >= 1e-6 && magnitude < 1e16;
  std::array<char, 64> buffer{};
  const auto [end, ec] = plain ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                               std::chars_format::fixed)
                               : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

}  // namespace mq
