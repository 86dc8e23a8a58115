// SPDX-License-Identifier: MIT
// Figures as the cross-check writes them in its cells and sentences: significant digits, not the
// pages' fixed patterns, and differences as signed percentages.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace mq {

// "3.4602", "4.912e+306"; nothing for a figure that to_chars cannot write.
std::string Figure(double value, int digits = 5);
// The figure, "no finite figure" for an infinity, or `none` for NaN.
std::string FigureOr(double value, std::string_view none, int digits = 5);
// (value - reference) / reference as "+0.34 %", or nothing where it is not finite.
std::string Percent(double value, double reference);
// A value with a fixed number of decimals, "-0.9"; nothing where it is not finite.
std::string Fixed(double value, int decimals);
// Two parts of a relative difference, the first given and the rest, in points in the difference's
// direction and to the last digit Size writes of it, so that they add up to it as written:
// {"0.9 %", "0.5 %"} of 1.4 %; a part against the direction carries a "-".
std::array<std::string, 2> Parts(double whole, double first);
// The size of a relative difference in two significant digits, "20", "1.3", "1.0".
std::string Size(double relative);

}  // namespace mq
