// SPDX-License-Identifier: MIT
// Number reading and writing. std::from_chars and std::to_chars never consult the process
// locale, so a desktop set to a decimal comma still reads and writes ".".
#include "model/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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
  std::string_view mantissa;  // digits with an optional "." (no sign)
  std::string_view exponent;  // digits of the exponent with an optional sign, or empty
  bool found = false;
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
    fractionDigits = CountDigits(text, pos + 1);
    if (integerDigits > 0 || fractionDigits > 0) {
      pos += 1 + fractionDigits;
    }
  }
  if (integerDigits == 0 && fractionDigits == 0) {
    return span;
  }
  span.found = true;
  span.mantissa = text.substr(mantissaStart, pos - mantissaStart);
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t signLength = 0;
    if (pos + 1 < text.size() && (text[pos + 1] == '+' || text[pos + 1] == '-')) {
      signLength = 1;
    }
    const std::size_t exponentDigits = CountDigits(text, pos + 1 + signLength);
    if (exponentDigits > 0) {
      span.exponent = text.substr(pos + 1, signLength + exponentDigits);
    }
  }
  return span;
}

// Decimal order of magnitude of the mantissa's first significant digit, or nothing when every
// digit is zero.
bool MantissaMagnitude(std::string_view mantissa, long& magnitude) {
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (IsDigit(mantissa[i]) && mantissa[i] != '0') {
      magnitude = i < point ? static_cast<long>(point - i) - 1 : -static_cast<long>(i - point);
      return true;
    }
  }
  return false;
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

// from_chars reports a value beyond the range of a double without giving it; the order of
// magnitude tells an overflow (infinity) from an underflow (zero).
double OutOfRangeValue(const NumberSpan& span) {
  long magnitude = 0;
  if (!MantissaMagnitude(span.mantissa, magnitude)) {
    return 0.0;
  }
  const bool overflow = magnitude + SaturatedExponent(span.exponent) > 0;
  const double size = overflow ? HUGE_VAL : 0.0;
  return span.negative ? -size : size;
}

std::string FormatNonFinite(double value) {
  if (std::isnan(value)) {
    return "nan";
  }
  return value < 0 ? "-inf" : "inf";
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
  if (!span.found) {
    return 0.0;
  }
  // Mantissa and exponent stand next to each other in the text ("1.5e+7"), so from_chars reads
  // them in place.
  const char* begin = span.mantissa.data();
  const char* end = span.exponent.empty() ? begin + span.mantissa.size()
                                          : span.exponent.data() + span.exponent.size();
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec == std::errc::result_out_of_range) {
    return OutOfRangeValue(span);
  }
  return span.negative ? -value : value;
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
  const bool plain = magnitude == 0.0 || (magnitude >= 1e-6 && magnitude < 1e16);
  std::array<char, 64> buffer{};
  const auto [end, ec] = plain ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                               std::chars_format::fixed)
                               : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

}  // namespace mq
