// SPDX-License-Identifier: MIT
#include "ui/accessible_names.h"

#include <cstdlib>

namespace mq::ui {
namespace {

using toolkit::Alignment;
using toolkit::ControlKind;
using toolkit::ControlRow;

// A caption ends, and a unit starts, within this many pixels of its control.
constexpr int kMaxGap = 12;

bool SameRow(const ControlRow& label, const ControlRow& control) {
  const int labelMiddle = 2 * label.geometry.top + label.geometry.height;
  const int controlMiddle = 2 * control.geometry.top + control.geometry.height;
  return label.page == control.page && std::abs(labelMiddle - controlMiddle) <= 4;
}

bool IsCaptionOf(const ControlRow& label, const ControlRow& control) {
  const int gap = control.geometry.left - (label.geometry.left + label.geometry.width);
  return label.alignment == Alignment::kRight && gap >= 0 && gap <= kMaxGap;
}

bool IsUnitOf(const ControlRow& label, const ControlRow& control) {
  const int gap = label.geometry.left - (control.geometry.left + control.geometry.width);
  return label.alignment == Alignment::kLeft && gap >= 0 && gap <= kMaxGap;
}

std::string NameOf(const ControlRow& control, std::span<const ControlRow> rows) {
  std::string caption;
  std::string unit;
  for (const ControlRow& label : rows) {
    if (label.kind != ControlKind::kLabel || !SameRow(label, control)) {
      continue;
    }
    if (IsCaptionOf(label, control)) {
      caption = label.text;
    } else if (IsUnitOf(label, control)) {
      unit = label.text;
    }
  }
  return unit.empty() ? caption : caption + " (" + unit + ")";
}

}  // namespace

// The arrows say which way a calculation runs; read aloud they need words.
std::string ButtonName(const ControlRow& button) {
  if (button.text == "->") {
    return "Electrical to physical (synthesis)";
  }
  if (button.text == "<-") {
    return "Physical to electrical (analysis)";
  }
  return std::string(button.text);
}

std::vector<AccessibleName> AccessibleNames(std::span<const ControlRow> rows) {
  std::vector<AccessibleName> names;
  for (const ControlRow& control : rows) {
    if (control.kind == ControlKind::kEditField || control.kind == ControlKind::kPopupMenu) {
      names.push_back({control.name, NameOf(control, rows)});
    } else if (control.kind == ControlKind::kPushButton) {
      names.push_back({control.name, ButtonName(control)});
    }
  }
  return names;
}

}  // namespace mq::ui
