// SPDX-License-Identifier: MIT
// Reading and writing lengths in mm, mil and um: see model/length_units.h.
#include "model/length_units.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

#include "model/number_text.h"

namespace mq {
namespace {

struct UnitSpelling {
  std::string_view spelling;
  double millimetres;
  bool copper;  // ounces: a thickness of copper only
};

// What may follow the number, lower case; "µm" and "μm" as keyboards give the micro sign.
constexpr std::array<UnitSpelling, 8> kSpellings = {{
    {"mm", 1, false},
    {"mil", kMillimetresPerMil, false},
    {"mils", kMillimetresPerMil, false},
    {"thou", kMillimetresPerMil, false},
    {"um", 0.001, false},
    {"\xC2\xB5m", 0.001, false},
    {"\xCE\xBCm", 0.001, false},
    {"oz", kMillimetresPerOunce, true},
}};

constexpr std::array<double, 3> kScale = {1, kMillimetresPerMil, 0.001};

bool UnitByte(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

// The text split at the run of letters that ends it: the number's part and the unit's.
std::pair<std::string_view, std::string> SplitUnit(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
    text.remove_suffix(1);
  }
  std::size_t start = text.size();
  while (start > 0 && UnitByte(text[start - 1])) {
    --start;
  }
  std::string unit(text.substr(start));
  for (char& c : unit) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return {text.substr(0, start), unit};
}

}  // namespace

std::string_view UnitSymbol(LengthUnit unit) {
  constexpr std::array<std::string_view, 3> kSymbols = {"mm", "mil", "um"};
  return kSymbols[static_cast<std::size_t>(unit)];
}

std::optional<LengthUnit> UnitNamed(std::string_view symbol) {
  for (const LengthUnit unit :
       {LengthUnit::kMillimetre, LengthUnit::kMil, LengthUnit::kMicrometre}) {
    if (UnitSymbol(unit) == symbol) {
      return unit;
    }
  }
  return std::nullopt;
}

double ToMillimetres(double value, LengthUnit unit) {
  return value * kScale[static_cast<std::size_t>(unit)];
}

double FromMillimetres(double millimetres, LengthUnit unit) {
  return millimetres / kScale[static_cast<std::size_t>(unit)];
}

std::optional<TypedLength> ReadLength(std::string_view text, LengthUnit chosen, bool copper) {
  const auto [number, unit] = SplitUnit(text);
  const std::optional<double> value = ReadWholeNumber(number);
  if (!value) {
    return std::nullopt;
  }
  if (unit.empty()) {
    return TypedLength{ToMillimetres(*value, chosen), {}};
  }
  for (const UnitSpelling& s : kSpellings) {
    if (s.spelling == unit && (copper || !s.copper)) {
      return TypedLength{*value * s.millimetres, unit};
    }
  }
  return std::nullopt;
}

std::string ShortestText(double value) {
  // to_chars, not printf: the desktop's locale never turns the point into a comma.
  std::array<char, 40> text{};
  char* end = text.data();
  for (int digits = 6; digits <= 17; ++digits) {
    end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general,
                        digits)
              .ptr;
    double back = 0;
    std::from_chars(text.data(), end, back);
    if (std::fabs(back - value) <= 1e-9 * std::fabs(value)) {
      break;
    }
  }
  return {text.data(), end};
}

}  // namespace mq
