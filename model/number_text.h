// SPDX-License-Identifier: MIT
// Number texts without any field: reading the number a text begins with, and writing a number
// in one of the three result patterns or as plain text. Always with a "." decimal point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mq {

// The three result patterns: "#.0000", "#.00" and "#.00e+".
enum class Pattern { kFourDecimals, kTwoDecimals, kScientific };

std::string ReplaceFirstComma(std::string text);
double ParseLeadingNumber(std::string_view text);
// How many characters of the text ParseLeadingNumber reads: its leading blanks, sign, digits,
// point and exponent; 0 when the text begins with no number.
std::size_t LeadingNumberLength(std::string_view text);
// The number a whole text spells, blanks around it and a decimal comma allowed; nothing for text
// that is not one ("", "abc", "62mil", "1.6.2").
std::optional<double> ReadWholeNumber(std::string_view text);
std::string FormatWithPattern(double value, Pattern pattern);
std::string NumberToText(double value);

}  // namespace mq
