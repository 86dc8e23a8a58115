// SPDX-License-Identifier: MIT
// The Line Designer's field and structure tables and the reading of its texts: see
// ui/line_designer_fields.h.
#include "ui/line_designer_fields.h"

#include <QChar>

#include "model/number_text.h"

namespace mq::designer {

const std::array<FieldRow, kFieldCount> kFieldRows = {{
    {"&Width", "width", "Each strip's width at its foot", true, false, ""},
    {"T&op width", "topWidth", "The etched strip's upper face; empty: the width", true, true, ""},
    {"&Spacing", "spacing", "Between the strips' facing edges (broadside: faces)", true, false, ""},
    {"Ga&p to ground", "gap", "From the strip's edge to the side ground's", true, false, ""},
    {"Grou&nd width", "groundWidth", "Each side ground's width; empty: wide", true, true, ""},
    {"&Height", "height", "", true, false, ""},
    {"Height &above", "heightAbove", "From the strip's upper face to the upper plane", true, false,
     ""},
    {"&Cover", "cover", "The dielectric over the strip's upper face", true, false, ""},
    {"&Thickness", "thickness", "The copper's thickness; 1oz, 0.5oz, 2oz read as ounces", true,
     false, ""},
    {"&Mask thickness", "maskThickness", "The solder mask over the substrate and the strip", true,
     false, ""},
    {"&Dielectric constant", "permittivity", "The substrate's relative permittivity", false, false,
     ""},
    {"Dielectric constant a&bove", "permittivityAbove",
     "The layer over the strip; empty: the dielectric constant", false, true, ""},
    {"Mask d&ielectric constant", "maskPermittivity", "The solder mask's relative permittivity",
     false, false, ""},
    {"Tar&get impedance", "target", "What the Find buttons aim for", false, false, "ohm"},
    {"&Frequency", "frequency",
     "The loss's frequency (and a microstrip pair's dispersion); 0 for "
     "none",
     false, false, "GHz"},
    {"Conductivit&y", "conductivity", "The copper's; 5.8e7 S/m for annealed copper", false, false,
     "S/m"},
    {"Roughness rms", "roughnessRms", "The copper surface's rms height", false, false, "um"},
    {"Nodule radius", "noduleRadius", "Huray's snowball radius", false, false, "um"},
    {"Surface ratio", "surfaceRatio", "Huray's nodules' area over their tile's flat area", false,
     false, ""},
    {"&Loss tangent", "lossTangent", "Each dielectric's but the mask's, as at 1 GHz", false, false,
     ""},
    {"Mas&k loss tangent", "maskLossTangent", "The solder mask's, as at 1 GHz", false, false, ""},
}};

const std::array<PopupRow, kPopupCount> kPopupRows = {{
    {"Roughn&ess",
     "roughness",
     "How the copper's surface raises its loss",
     {"Smooth", "Hammerstad–Jensen", "Groisse", "Huray"},
     kRoughnessRms},
    {"Dielectric model",
     "dielectricModel",
     "Constant: Dk and Df as typed at every frequency; Djordjevic–Sarkar: fitted to them at "
     "1 GHz",
     {"Constant", "Djordjevic–Sarkar", nullptr, nullptr},
     kFieldCount},
}};

namespace {

constexpr FieldMask kLoss = Bit(kFrequency) | Bit(kConductivity) | Bit(kRoughnessRms) |
                            Bit(kNoduleRadius) | Bit(kSurfaceRatio) | Bit(kLossTangent);
constexpr FieldMask kEvery = Bit(kWidth) | Bit(kTopWidth) | Bit(kHeight) | Bit(kThickness) |
                             Bit(kPermittivity) | Bit(kTarget) | kLoss;
constexpr FieldMask kCoated =
    kEvery | Bit(kMaskThickness) | Bit(kMaskPermittivity) | Bit(kMaskLossTangent);
constexpr FieldMask kEmbedded = kEvery | Bit(kCover) | Bit(kPermittivityAbove);
constexpr FieldMask kOffset = kEvery | Bit(kHeightAbove) | Bit(kPermittivityAbove);
constexpr FieldMask kCoplanar = kEvery | Bit(kGap) | Bit(kGroundWidth);
constexpr FieldMask kPair = Bit(kSpacing);

constexpr const char* kOnSubstrate = "substrate h, ground to the strip";
constexpr const char* kPlanes = "planes' spacing b";
constexpr const char* kBelow = "lower plane to the strip";

// The broadside pair lies centred between its planes, so its upper gap is its lower one: no
// Height above of its own.
constexpr std::array<StructureRow, 15> kStructures = {{
    {"Microstrip", LineStructure::kMicrostrip, kEvery, kOnSubstrate},
    {"Coated microstrip", LineStructure::kCoatedMicrostrip, kCoated, kOnSubstrate},
    {"Embedded microstrip", LineStructure::kEmbeddedMicrostrip, kEmbedded, kOnSubstrate},
    {"Stripline", LineStructure::kStripline, kEvery, kPlanes},
    {"Offset stripline", LineStructure::kOffsetStripline, kOffset, kBelow},
    {"Coplanar waveguide", LineStructure::kCoplanar, kCoplanar, "substrate h"},
    {"Grounded coplanar waveguide", LineStructure::kGroundedCoplanar, kCoplanar, kOnSubstrate},
    {"Microstrip pair", LineStructure::kMicrostripPair, kEvery | kPair, kOnSubstrate},
    {"Coated microstrip pair", LineStructure::kCoatedMicrostripPair, kCoated | kPair, kOnSubstrate},
    {"Embedded microstrip pair", LineStructure::kEmbeddedMicrostripPair, kEmbedded | kPair,
     kOnSubstrate},
    {"Stripline pair", LineStructure::kStriplinePair, kEvery | kPair, kPlanes},
    {"Offset stripline pair", LineStructure::kOffsetStriplinePair, kOffset | kPair, kBelow},
    {"Coplanar waveguide pair", LineStructure::kCoplanarPair, kCoplanar | kPair, "substrate h"},
    {"Grounded coplanar waveguide pair", LineStructure::kGroundedCoplanarPair, kCoplanar | kPair,
     kOnSubstrate},
    {"Broadside-coupled stripline pair", LineStructure::kBroadsidePair, kEvery | kPair,
     "lower plane to the lower strip"},
}};

// Where each field's figure goes: the solver's inputs or the loss's; the frequency and the target
// are neither's.
struct Destination {
  double LineInputs::*plain = nullptr;
  std::optional<double> LineInputs::*optional = nullptr;
  double LossInputs::*loss = nullptr;
};
constexpr std::array<Destination, kFieldCount> kDestinations = {{
    {&LineInputs::width, nullptr},
    {nullptr, &LineInputs::topWidth},
    {&LineInputs::spacing, nullptr},
    {&LineInputs::gap, nullptr},
    {nullptr, &LineInputs::groundWidth},
    {&LineInputs::height, nullptr},
    {&LineInputs::heightAbove, nullptr},
    {&LineInputs::cover, nullptr},
    {&LineInputs::thickness, nullptr},
    {&LineInputs::maskThickness, nullptr},
    {&LineInputs::permittivity, nullptr},
    {nullptr, &LineInputs::permittivityAbove},
    {&LineInputs::maskPermittivity, nullptr},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {nullptr, nullptr, &LossInputs::conductivity},
    {nullptr, nullptr, &LossInputs::roughnessRms},
    {nullptr, nullptr, &LossInputs::noduleRadius},
    {nullptr, nullptr, &LossInputs::surfaceRatio},
    {nullptr, nullptr, &LossInputs::lossTangent},
    {nullptr, nullptr, &LossInputs::maskLossTangent},
}};

QString Quoted(const QString& text) {
  return QChar(0x201C) + text + QChar(0x201D);
}

// The field's figure (a length in mm), or none for an optional field left empty; a note in
// `reading` for a text that is no number or a unit read as typed.
std::optional<double> ReadField(Field field, const QString& text, LineStructure structure,
                                LengthUnit unit, Reading& reading) {
  const FieldRow& row = kFieldRows[field];
  const QString name = Caption(field, structure, unit).section(QStringLiteral(" ("), 0, 0);
  if (row.optional && text.trimmed().isEmpty()) {
    return std::nullopt;
  }
  std::optional<double> value;
  if (!row.length) {
    value = ReadWholeNumber(text.toStdString());
  } else if (const auto length = ReadLength(text.toStdString(), unit, field == kThickness)) {
    value = length->millimetres;
    if (!length->unit.empty() && length->unit != UnitSymbol(unit)) {
      reading.units << name + ": " + text.trimmed() + " read as " +
                           LengthText(length->millimetres, unit) + ' ' +
                           QString::fromUtf8(UnitSymbol(unit).data(), UnitSymbol(unit).size());
    }
  }
  if (!value) {
    reading.unread << name + ": " + Quoted(text) + " is not a number";
  }
  return value;
}

void Put(Field field, std::optional<double> value, Design& design) {
  const Destination& to = kDestinations[field];
  if (to.plain != nullptr) {
    design.in.*to.plain = value.value_or(0);
  } else if (to.optional != nullptr) {
    design.in.*to.optional = value;
  } else if (to.loss != nullptr) {
    design.loss.*to.loss = value.value_or(0);
  } else if (field == kFrequency) {
    design.gigahertz = value.value_or(0);
  } else {
    design.target = value.value_or(0);
  }
}

}  // namespace

std::span<const StructureRow> Structures() {
  return kStructures;
}

const StructureRow& RowOf(LineStructure structure) {
  return kStructures[static_cast<std::size_t>(structure)];
}

FieldMask ShownFields(LineStructure structure, RoughnessModel roughness) {
  FieldMask fields = RowOf(structure).fields;
  if (roughness != RoughnessModel::kHammerstad && roughness != RoughnessModel::kGroisse) {
    fields &= ~Bit(kRoughnessRms);
  }
  if (roughness != RoughnessModel::kHuray) {
    fields &= ~(Bit(kNoduleRadius) | Bit(kSurfaceRatio));
  }
  return fields;
}

QString Caption(Field field, LineStructure structure, LengthUnit unit, bool marked) {
  QString caption = QString::fromUtf8(kFieldRows[field].caption);
  if (field == kTarget && IsPair(structure)) {
    caption.replace(QStringLiteral("impedance"), QStringLiteral("differential impedance"));
  }
  if (!marked) {
    caption.remove('&');
  }
  if (kFieldRows[field].length) {
    const std::string_view symbol = UnitSymbol(unit);
    return caption + " (" + QString::fromUtf8(symbol.data(), symbol.size()) + ')';
  }
  const QString own = QString::fromUtf8(kFieldRows[field].unit);
  return own.isEmpty() ? caption : caption + " (" + own + ')';
}

Reading Read(const FieldTexts& texts, LineStructure structure, LengthUnit unit,
             const Picks& picks) {
  Reading reading;
  Design design;
  design.in.structure = structure;
  design.loss.roughness = picks.roughness;
  design.loss.dielectric = picks.dielectric;
  const FieldMask shown = ShownFields(structure, picks.roughness);
  bool complete = true;
  for (int i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    if ((shown & Bit(field)) == 0) {
      continue;
    }
    const std::optional<double> value =
        ReadField(field, texts[static_cast<std::size_t>(i)], structure, unit, reading);
    complete = complete && (value || kFieldRows[field].optional);
    Put(field, value, design);
  }
  if (structure == LineStructure::kBroadsidePair) {
    design.in.heightAbove = design.in.height;
  }
  if (complete && reading.unread.isEmpty()) {
    reading.design = design;
  }
  return reading;
}

QString LengthText(double millimetres, LengthUnit unit) {
  return QString::fromStdString(ShortestText(FromMillimetres(millimetres, unit)));
}

std::optional<PairInputs> TodaysPair(const Design& design) {
  const LineInputs& in = design.in;
  const bool rectangular = !in.topWidth || *in.topWidth == in.width;
  if (!rectangular || (in.structure != LineStructure::kMicrostripPair &&
                       in.structure != LineStructure::kStriplinePair)) {
    return std::nullopt;
  }
  const auto structure = in.structure == LineStructure::kMicrostripPair ? PairStructure::kMicrostrip
                                                                        : PairStructure::kStripline;
  return PairInputs{structure,    in.width,        in.spacing,      in.height,
                    in.thickness, in.permittivity, design.gigahertz};
}

}  // namespace mq::designer
