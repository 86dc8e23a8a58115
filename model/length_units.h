// SPDX-License-Identifier: MIT
// Lengths as an engineer types them: a number in the unit chosen, or with its own unit after it
// ("5mil", "0.127 mm", "35um", and for copper "1oz", ounces per square foot). Millimetres are what
// the models read; 1 mil is 0.0254 mm exactly, an ounce of copper 0.0348 mm (IPC-2221's 1.37 mil
// rounded as board houses quote it).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mq {

enum class LengthUnit { kMillimetre, kMil, kMicrometre };

inline constexpr double kMillimetresPerMil = 0.0254;
inline constexpr double kMillimetresPerOunce = 0.0348;

// "mm", "mil", "um".
std::string_view UnitSymbol(LengthUnit unit);
// The unit of that symbol (as UnitSymbol writes it), or none.
std::optional<LengthUnit> UnitNamed(std::string_view symbol);
double ToMillimetres(double value, LengthUnit unit);
double FromMillimetres(double millimetres, LengthUnit unit);

// A length read: in mm, and the unit typed after the number as typed ("mil", "oz"; empty when the
// number stood alone and so was read in the unit chosen).
struct TypedLength {
  double millimetres = 0;
  std::string unit;
};
// None for text that is not a number with at most a known unit after it; "oz" only where
// `copper`. A decimal comma is read as a point; blanks around the parts are allowed.
std::optional<TypedLength> ReadLength(std::string_view text, LengthUnit chosen, bool copper);

// The shortest text ("0.127", not "0.12699999999999997") that reads back within a billionth.
std::string ShortestText(double value);

}  // namespace mq
