// SPDX-License-Identifier: MIT
#include "model/figure_words.h"

#include <array>
#include <charconv>
#include <cmath>

namespace mq {

std::string Figure(double value, int digits) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, digits);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

std::string FigureOr(double value, std::string_view none, int digits) {
  if (std::isnan(value)) {
    return std::string(none);
  }
  return std::isinf(value) ? "no finite figure" : Figure(value, digits);
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) {
    return {};
  }
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

std::string Percent(double value, double reference) {
  const double percent = 100 * (value - reference) / reference;
  if (!std::isfinite(percent)) {
    return {};
  }
  const std::string digits = Fixed(percent, 2);
  // A difference that rounds to nothing has no sign worth showing: "+0.00 %", never "-0.00 %".
  return (digits.starts_with('-') && digits != "-0.00" ? "" : "+") +
         (digits == "-0.00" ? digits.substr(1) : digits) + " %";
}

std::array<std::string, 2> Parts(double whole, double first) {
  const double points = 100 * std::fabs(whole);
  const int decimals = points < 10 ? 1 : 0;
  const double scale = decimals == 1 ? 10 : 1;
  const double all = std::round(points * scale);
  const double one = std::round(100 * first * (whole < 0 ? -1 : 1) * scale);
  return {Fixed(one / scale, decimals) + " %", Fixed((all - one) / scale, decimals) + " %"};
}

std::string Size(double relative) {
  const double percent = std::fabs(100 * relative);
  // From 100 % on, whole percents: "106", never "1.1e+02".
  if (percent >= 100 && std::isfinite(percent)) {
    return Fixed(percent, 0);
  }
  std::string size = Figure(percent, 2);
  // Two digits even where the second is a 0: "1.0", never a bare "1" beside a 1 % limit.
  if (percent < 10 && size.find_first_of(".e") == std::string::npos) {
    size += ".0";
  }
  return size;
}

}  // namespace mq
