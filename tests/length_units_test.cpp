// SPDX-License-Identifier: MIT
// Lengths as typed: each unit read as written (1 mil = 0.0254 mm by definition, 1 oz of copper
// = 0.0348 mm as IPC-2221 quotes it), text that is no length refused, and numbers written short.
#include <gtest/gtest.h>

#include <cmath>

#include "model/length_units.h"

namespace mq {
namespace {

TEST(LengthUnits, ReadsEachUnitAsTyped) {
  struct Row {
    const char* text;
    LengthUnit chosen;
    bool copper;
    double millimetres;  // NaN: not a length
    const char* unit;
  };
  constexpr auto kMm = LengthUnit::kMillimetre, kMil = LengthUnit::kMil;
  constexpr auto kUm = LengthUnit::kMicrometre;
  constexpr double kNo = NAN;
  // clang-format off
  const Row rows[] = {
    {"0.127", kMm, false, 0.127, ""}, {"5", kMil, false, 0.127, ""}, {"35", kUm, false, 0.035, ""},
    {"5mil", kMm, false, 0.127, "mil"}, {"1.4 mil", kUm, false, 0.03556, "mil"},
    {"0.127 mm", kMil, false, 0.127, "mm"}, {"35um", kMil, false, 0.035, "um"},
    {"35 \xC2\xB5m", kMm, false, 0.035, "\xC2\xB5m"}, {"0,5 MM ", kMil, false, 0.5, "mm"},
    {"35\xCE\xBCm", kMil, false, 0.035, "\xCE\xBCm"},  // the Greek mu some keyboards give
    {"2e-3mm", kMil, false, 0.002, "mm"},
    {"1oz", kMm, true, 0.0348, "oz"}, {"0.5oz", kMil, true, 0.0174, "oz"},
    {"2 oz", kMm, true, 0.0696, "oz"},
    {"1oz", kMm, false, kNo, ""},  // ounces measure copper only
    {"abc", kMm, false, kNo, ""}, {"", kMm, false, kNo, ""}, {"mil", kMm, false, kNo, ""},
    {"5 ft", kMm, false, kNo, ""}, {"5e", kMm, false, kNo, ""}, {"1.6.2mm", kMm, false, kNo, ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    const auto read = ReadLength(row.text, row.chosen, row.copper);
    ASSERT_EQ(read.has_value(), !std::isnan(row.millimetres)) << row.text;
    if (read) {
      EXPECT_NEAR(read->millimetres, row.millimetres, 1e-12) << row.text;
      EXPECT_EQ(read->unit, row.unit) << row.text;
    }
  }
}

TEST(LengthUnits, ConvertsBothWaysAndWritesShort) {
  EXPECT_DOUBLE_EQ(FromMillimetres(0.127, LengthUnit::kMil), 5);
  EXPECT_DOUBLE_EQ(FromMillimetres(0.035, LengthUnit::kMicrometre), 35);
  EXPECT_EQ(UnitNamed("mil"), LengthUnit::kMil);
  EXPECT_EQ(UnitNamed("in"), std::nullopt);
  const std::pair<double, const char*> rows[] = {
      {5 * 0.0254, "0.127"}, {0.1234567, "0.1234567"}, {1.0 / 3, "0.333333333"}, {1600, "1600"}};
  for (const auto& [value, text] : rows) {
    EXPECT_EQ(ShortestText(value), text);
  }
}

}  // namespace
}  // namespace mq
