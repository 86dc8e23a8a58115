// SPDX-License-Identifier: MIT
#include "materials/material_catalogue.h"

namespace mq {
namespace {

template <typename Table>
std::string JoinNames(const Table& table, bool trailingReturn) {
  std::string items;
  for (const auto& row : table) {
    if (!items.empty()) {
      items += '\r';
    }
    items += row.name;
  }
  if (trailingReturn) {
    items += '\r';
  }
  return items;
}

template <typename Table>
bool IsRowOf(const Table& table, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < table.size();
}

}  // namespace

std::string MaterialCatalogue::DielectricItems() {
  return JoinNames(kDielectrics, false);
}

std::string MaterialCatalogue::ConductorItems() {
  return JoinNames(kConductors, true);
}

void ApplyDielectric(FieldSet& fields, const MaterialFields& page, int row) {
  const auto& table = MaterialCatalogue::kDielectrics;
  if (IsRowOf(table, row)) {
    const Dielectric& material = table[static_cast<std::size_t>(row)];
    fields.SetText(page.permittivity,
                   FormatWithPattern(material.permittivity, Pattern::kTwoDecimals));
    fields.SetText(page.lossTangent, NumberToText(material.lossTangent));
  }
  NormalizeDecimalSeparator(fields, page.permittivity);
  NormalizeDecimalSeparator(fields, page.lossTangent);
}

void ApplyConductor(FieldSet& fields, const MaterialFields& page, int row) {
  const auto& table = MaterialCatalogue::kConductors;
  if (IsRowOf(table, row)) {
    fields.SetText(
        page.conductivity,
        FormatWithPattern(table[static_cast<std::size_t>(row)].conductivity, Pattern::kScientific));
  }
  NormalizeDecimalSeparator(fields, page.conductivity);
}

}  // namespace mq
