// SPDX-License-Identifier: MIT
// The material popups' handlers over the fields of the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "materials/material_catalogue.h"
#include "model/field_names.h"
#include "tests/test_fields.h"

namespace mq {
namespace {

using test::FieldsHoldingTheirNames;
using test::FieldsWith;

struct DielectricCase {
  int row;
  std::string_view permittivity;
  std::string_view lossTangent;
};

TEST(Materials, EachDielectricWritesItsConstants) {
  const DielectricCase cases[] = {
      {0, "1.00", "0"},       {1, "9.80", "0.0003"},  {2, "12.90", "0.006"},
      {3, "16.00", "0.0005"}, {4, "12.40", "0.0005"}, {5, "2.25", "0.0004"},
      {6, "2.16", "0.001"},   {7, "11.90", "0.004"},  {8, "2.08", "0.0004"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    auto fields = FieldsWith({{"DiConstField", "7"}, {"LossTanField", "7"}});
    ApplyDielectric(fields, kMicrostripMaterialFields, c.row);
    EXPECT_EQ(fields.Text("DiConstField"), c.permittivity);
    EXPECT_EQ(fields.Text("LossTanField"), c.lossTangent);
  }
}

TEST(Materials, EachConductorWritesItsConductivity) {
  const std::pair<int, std::string_view> cases[] = {
      {0, "3.82e+7"}, {1, "5.81e+7"}, {2, "4.10e+7"}, {3, "1.45e+7"}, {4, "6.17e+7"}};
  for (const auto& [row, conductivity] : cases) {
    SCOPED_TRACE(row);
    auto fields = FieldsWith({{"ConField2", "7"}});
    ApplyConductor(fields, kStriplineMaterialFields, row);
    EXPECT_EQ(fields.Text("ConField2"), conductivity);
  }
}

TEST(Materials, RowsOutsideTheTablesWriteNothingButStillNormalise) {
  for (const int row : {-1, 9, 1000, -2147483647 - 1}) {
    SCOPED_TRACE(row);
    auto fields =
        FieldsWith({{"DiConstField3", "2,5"}, {"LossTanField3", "0,01"}, {"ConField3", "5,8e7"}});
    ApplyDielectric(fields, kCoaxialMaterialFields, row);
    EXPECT_EQ(fields.Text("DiConstField3"), "2.5");
    EXPECT_EQ(fields.Text("LossTanField3"), "0.01");
    EXPECT_EQ(fields.Text("ConField3"), "5,8e7");
  }
  for (const int row : {-1, 5, 6}) {
    SCOPED_TRACE(row);
    auto fields = FieldsWith({{"ConField3", "5,8e7"}});
    ApplyConductor(fields, kCoaxialMaterialFields, row);
    EXPECT_EQ(fields.Text("ConField3"), "5.8e7");
  }
}

TEST(Materials, ConductorPickLeavesTypedDielectricTextAlone) {
  auto fields = FieldsWith({{"DiConstField", "2,5"}, {"LossTanField", "0,1,2"}});
  ApplyConductor(fields, kMicrostripMaterialFields, 1);
  EXPECT_EQ(fields.Text("ConField"), "5.81e+7");
  EXPECT_EQ(fields.Text("DiConstField"), "2,5");
  EXPECT_EQ(fields.Text("LossTanField"), "0,1,2");

  ApplyDielectric(fields, kMicrostripMaterialFields, 2);
  EXPECT_EQ(fields.Text("DiConstField"), "12.90");
  EXPECT_EQ(fields.Text("LossTanField"), "0.006");
}

struct PageCase {
  const char* description;
  const MaterialFields* page;
  std::vector<std::string_view> written;
};

// A pick changes its own page's material fields and no other field of the window.
TEST(Materials, PicksTouchOnlyTheirOwnPage) {
  const PageCase cases[] = {
      {"microstrip", &kMicrostripMaterialFields, {"DiConstField", "LossTanField", "ConField"}},
      {"stripline", &kStriplineMaterialFields, {"DiConstField2", "LossTanField2", "ConField2"}},
      {"coaxial", &kCoaxialMaterialFields, {"DiConstField3", "LossTanField3", "ConField3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    auto fields = FieldsHoldingTheirNames();
    ApplyDielectric(fields, *c.page, 1);
    ApplyConductor(fields, *c.page, 4);
    EXPECT_EQ(fields.Text(c.page->permittivity), "9.80");
    EXPECT_EQ(fields.Text(c.page->lossTangent), "0.0003");
    EXPECT_EQ(fields.Text(c.page->conductivity), "6.17e+7");
    for (const auto name : AllFieldNames()) {
      if (std::find(c.written.begin(), c.written.end(), name) == c.written.end()) {
        EXPECT_EQ(fields.Text(name), name);
      }
    }
  }
}

TEST(Materials, PopupItemTexts) {
  EXPECT_EQ(MaterialCatalogue::DielectricItems(),
            "Air\rAlumina\rGaAs\rGermanium\rIndium Phosphide\rPolyethylene\rRT/Duroid "
            "5880\rSilicon\rTeflon");
  EXPECT_EQ(MaterialCatalogue::ConductorItems(), "Aluminium\rCopper\rGold\rNickel\rSilver\r");
}

}  // namespace
}  // namespace mq
