// SPDX-License-Identifier: MIT
#include "model/unread_text.h"

#include <array>
#include <span>
#include <string_view>

#include "model/field_names.h"
#include "model/number_text.h"

namespace mq {
namespace {

struct Reading {
  std::string_view field;    // the name without the page's suffix
  std::string_view caption;  // as the page says it
  std::string_view unit;     // what the page reads the number in, or nothing
};

// The page's inputs. Its results (effective dielectric constant, attenuation) are written, never
// read.
constexpr std::array<Reading, 12> kReadings = {{
    {"DiConstField", "Dielectric constant", ""},
    {"LossTanField", "Loss tangent", ""},
    {"ConField", "Conductivity", "conductivities are in S/m"},
    {"ImpField", "Impedance", "impedances are in ohm"},
    {"FreqField", "Frequency", "frequencies are in GHz"},
    {"ElLengthField", "Electrical length", "electrical lengths are in degrees"},
    {"PhyLengthField", "Physical length", "lengths are in mm"},
    {"WidthField", "Width", "lengths are in mm"},
    {"HeightField", "Height", "lengths are in mm"},
    {"ThicknessField", "Thickness", "lengths are in mm"},
    {"InnerDiaField", "Inner diameter", "lengths are in mm"},
    {"OuterDiaField", "Outer diameter", "lengths are in mm"},
}};

const Reading* ReadingOf(std::string_view name) {
  for (const Reading& reading : kReadings) {
    if (name.starts_with(reading.field)) {
      return &reading;
    }
  }
  return nullptr;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Warning(const Reading& reading, const std::string& text) {
  // The pages turn the first comma into a point before they read; the length is the same.
  const std::size_t read = LeadingNumberLength(ReplaceFirstComma(text));
  const std::string_view rest = Trimmed(std::string_view(text).substr(read));
  if (rest.empty()) {
    return {};
  }
  const std::string quoted = "\"" + std::string(rest) + "\"";
  const std::string unit = reading.unit.empty() ? "" : "; " + std::string(reading.unit);
  if (read == 0) {
    return std::string(reading.caption) + ": " + quoted + " is not a number; the page reads 0.";
  }
  return std::string(reading.caption) + ": " + quoted + " after " +
         std::string(Trimmed(std::string_view(text).substr(0, read))) + " was ignored" + unit + ".";
}

std::span<const std::string_view> NamesOf(int page) {
  switch (page) {
    case 1:
      return kMicrostripFieldNames;
    case 2:
      return kStriplineFieldNames;
    case 3:
      return kCoaxialFieldNames;
  }
  return {};
}

}  // namespace

std::vector<std::string> UnreadText(int page, const FieldSet& fields) {
  std::vector<std::string> warnings;
  for (const std::string_view name : NamesOf(page)) {
    const Reading* reading = ReadingOf(name);
    if (reading == nullptr) {
      continue;
    }
    if (std::string warning = Warning(*reading, fields.Text(name)); !warning.empty()) {
      warnings.push_back(std::move(warning));
    }
  }
  return warnings;
}

}  // namespace mq
