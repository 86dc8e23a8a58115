// SPDX-License-Identifier: MIT
// Names of the calculator window's edit fields, page by page. The three pages never share a
// name: page 2 adds the suffix 2, page 3 the suffix 3, except the two coaxial diameter fields.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace mq {

inline constexpr std::array<std::string_view, 11> kMicrostripFieldNames = {
    "DiConstField",   "LossTanField", "ConField",    "ImpField", "FreqField",  "ElLengthField",
    "PhyLengthField", "WidthField",   "HeightField", "EDiConst", "Attenuation"};

inline constexpr std::array<std::string_view, 11> kStriplineFieldNames = {
    "DiConstField2", "LossTanField2",   "ConField2",       "ImpField2",
    "FreqField2",    "ElLengthField2",  "PhyLengthField2", "WidthField2",
    "HeightField2",  "ThicknessField2", "Attenuation2"};

inline constexpr std::array<std::string_view, 10> kCoaxialFieldNames = {
    "DiConstField3",  "LossTanField3",   "ConField3",     "ImpField3",     "FreqField3",
    "ElLengthField3", "PhyLengthField3", "InnerDiaField", "OuterDiaField", "Attenuation3"};

// Every edit field of the window, for in-memory field sets.
std::vector<std::string_view> AllFieldNames();

}  // namespace mq
