// SPDX-License-Identifier: MIT
// The Line Designer's inputs as data: every field it may show, which of them each structure has,
// and how a set of typed texts reads as a line (lengths in the unit chosen or as typed), with
// the words that say what was read and what could not be.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>

#include "model/length_units.h"
#include "model/line_check.h"
#include "model/line_loss.h"

namespace mq::designer {

enum Field {
  kWidth,
  kTopWidth,
  kSpacing,
  kGap,
  kGroundWidth,
  kHeight,
  kHeightAbove,
  kCover,
  kThickness,
  kMaskThickness,
  kPermittivity,
  kPermittivityAbove,
  kMaskPermittivity,
  kTarget,
  kFrequency,  // the loss's fields from here on, in a column of their own
  kConductivity,
  kRoughnessRms,
  kNoduleRadius,
  kSurfaceRatio,
  kLossTangent,
  kMaskLossTangent,
  kFieldCount
};

struct FieldRow {
  const char* caption;  // its mnemonic marked, without the unit
  const char* key;      // where the settings keep its text
  const char* description;
  bool length;       // read in the unit chosen, or as typed
  bool optional;     // left empty: the description says what stands in
  const char* unit;  // of a field that is no length: "GHz"; empty for none
};
extern const std::array<FieldRow, kFieldCount> kFieldRows;

using FieldMask = unsigned;
constexpr FieldMask Bit(Field field) {
  return 1U << static_cast<unsigned>(field);
}

struct StructureRow {
  const char* name;  // as the popup lists it
  LineStructure structure;
  FieldMask fields;
  const char* heightNote;  // what the Height is in this structure
};
std::span<const StructureRow> Structures();

// The popups among the loss's fields: each shown just above the field it names, its entries in
// the order of its model's enum.
enum Popup { kRoughness, kDielectricModel, kPopupCount };
struct PopupRow {
  const char* caption;  // its mnemonic marked
  const char* key;
  const char* description;
  std::array<const char*, 4> entries;  // up to four; the rest null
  Field before;                        // kFieldCount: after the last field
};
extern const std::array<PopupRow, kPopupCount> kPopupRows;
struct Picks {
  RoughnessModel roughness = RoughnessModel::kSmooth;
  DielectricModel dielectric = DielectricModel::kConstant;
};
// The structure's fields, of the roughness's only those its model reads.
FieldMask ShownFields(LineStructure structure, RoughnessModel roughness);
const StructureRow& RowOf(LineStructure structure);

// "Width (mil)", "Dielectric constant", "Target differential impedance (ohm)"; with the mnemonic
// where `marked`.
QString Caption(Field field, LineStructure structure, LengthUnit unit, bool marked = false);

// What the line's solver and search read, and the figures beside them.
struct Design {
  LineInputs in;
  double target = 0;     // ohm: the impedance, or a pair's differential impedance
  double gigahertz = 0;  // the loss's frequency and the microstrip pair's dispersion; 0: none
  LossInputs loss;
};
using FieldTexts = std::array<QString, kFieldCount>;
struct Reading {
  std::optional<Design> design;  // none while a field of the structure is no number
  QStringList unread;            // "Width: “abc” is not a number"
  QStringList units;             // "Thickness: 1oz read as 0.0348 mm"
};
Reading Read(const FieldTexts& texts, LineStructure structure, LengthUnit unit,
             const Picks& picks = {});

// A length in the unit's shortest text, enough to read it back unchanged.
QString LengthText(double millimetres, LengthUnit unit);

// The microstrip and stripline pairs of rectangular strips are today's pairs: their published
// models give every row of the pair (model/pair.h), the frequency's among them.
std::optional<PairInputs> TodaysPair(const Design& design);

}  // namespace mq::designer
