// SPDX-License-Identifier: MIT
// The named dielectrics and conductors offered on every page, and the popup handlers that copy
// a picked material's constants into the material fields of its page.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/field_set.h"

namespace mq {

struct Dielectric {
  std::string_view name;
  double permittivity;  // er
  double lossTangent;   // tand
};

struct Conductor {
  std::string_view name;
  double conductivity;  // S/m
};

struct MaterialCatalogue {
  static constexpr std::array<Dielectric, 9> kDielectrics = {{
      {"Air", 1.0, 0.0},
      {"Alumina", 9.8, 0.0003},
      {"GaAs", 12.9, 0.006},
      {"Germanium", 16.0, 0.0005},
      {"Indium Phosphide", 12.4, 0.0005},
      {"Polyethylene", 2.25, 0.0004},
      {"RT/Duroid 5880", 2.16, 0.001},
      {"Silicon", 11.9, 0.004},
      {"Teflon", 2.08, 0.0004},
  }};

  static constexpr std::array<Conductor, 5> kConductors = {{
      {"Aluminium", 38160000.0},
      {"Copper", 58130000.0},
      {"Gold", 40980000.0},
      {"Nickel", 14490000.0},
      {"Silver", 61730000.0},
  }};

  // The popups' item texts, one item a line, lines separated by carriage returns. The
  // conductor list ends with a carriage return after its last item.
  static std::string DielectricItems();
  static std::string ConductorItems();
};

// The material fields of one page.
struct MaterialFields {
  std::string_view permittivity;
  std::string_view lossTangent;
  std::string_view conductivity;
};

inline constexpr MaterialFields kMicrostripMaterialFields = {"DiConstField", "LossTanField",
                                                             "ConField"};
inline constexpr MaterialFields kStriplineMaterialFields = {"DiConstField2", "LossTanField2",
                                                            "ConField2"};
inline constexpr MaterialFields kCoaxialMaterialFields = {"DiConstField3", "LossTanField3",
                                                          "ConField3"};

// Handlers of the dielectric and conductor popups, given the popup's 0-based selected row. A
// row outside the table (or no selection, -1) writes no value; the fields are normalised
// either way.
void ApplyDielectric(FieldSet& fields, const MaterialFields& page, int row);
void ApplyConductor(FieldSet& fields, const MaterialFields& page, int row);

}  // namespace mq
