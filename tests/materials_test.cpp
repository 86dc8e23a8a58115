// SPDX-License-Identifier: MIT
// The material handlers: each catalogue row's constants written into a page's fields.
#include <gtest/gtest.h>

#include "materials/material_catalogue.h"
#include "tests/test_fields.h"

namespace mq {
namespace {

// Each row writes its constants into the page's material fields and leaves the other kind alone.
TEST(Materials, EachRowWritesItsConstants) {
  const char* const dielectrics[] = {
      "DiConstField=1.00 LossTanField=0",       "DiConstField=9.80 LossTanField=0.0003",
      "DiConstField=12.90 LossTanField=0.006",  "DiConstField=16.00 LossTanField=0.0005",
      "DiConstField=12.40 LossTanField=0.0005", "DiConstField=2.25 LossTanField=0.0004",
      "DiConstField=2.16 LossTanField=0.001",   "DiConstField=11.90 LossTanField=0.004",
      "DiConstField=2.08 LossTanField=0.0004"};
  const char* const conductors[] = {"3.82e+7", "5.81e+7", "4.10e+7", "1.45e+7", "6.17e+7"};
  for (int row = 0; row < 9; ++row) {
    auto fields = test::FieldsFrom("DiConstField=7 LossTanField=7 ConField=7,5");
    ApplyDielectric(fields, kMicrostripMaterialFields, row);
    EXPECT_EQ(test::Mismatches(fields, dielectrics[row]), "") << row;
    EXPECT_EQ(fields.Text("ConField"), "7,5");
    if (row < 5) {
      ApplyConductor(fields, kMicrostripMaterialFields, row);
      EXPECT_EQ(test::Mismatches(fields, dielectrics[row]), "") << row;
      EXPECT_EQ(fields.Text("ConField"), conductors[row]) << row;
    }
  }
}

TEST(Materials, RowsOutsideTheTablesOnlyNormalise) {
  for (const int row : {-1, 9, -2147483647 - 1}) {
    auto fields = test::FieldsFrom("DiConstField3=2,5 LossTanField3=0,01 ConField3=5,8e7");
    ApplyDielectric(fields, kCoaxialMaterialFields, row);
    EXPECT_EQ(test::Mismatches(fields, "DiConstField3=2.5 LossTanField3=0.01 ConField3=5,8e7"), "");
    ApplyConductor(fields, kCoaxialMaterialFields, row == 9 ? 5 : row);
    EXPECT_EQ(fields.Text("ConField3"), "5.8e7");
  }
}

}  // namespace
}  // namespace mq
