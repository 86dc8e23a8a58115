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

std::string Spoken(const ControlRow& caption, std::span<const SpokenCaption> spoken) {
  for (const auto& [name, words] : spoken) {
    if (name == caption.name) {
      return std::string(words);
    }
  }
  return std::string(caption.text);
}

AccessibleName NameOf(const ControlRow& control, std::span<const ControlRow> rows,
                      std::span<const SpokenCaption> spoken) {
  const ControlRow* caption = nullptr;
  std::string unit;
  for (const ControlRow& label : rows) {
    if (label.kind != ControlKind::kLabel || !SameRow(label, control)) {
      continue;
    }
    if (IsCaptionOf(label, control)) {
      caption = &label;
    } else if (IsUnitOf(label, control)) {
      unit = label.text;
    }
  }
  const std::string said = caption != nullptr ? Spoken(*caption, spoken) : std::string();
  return {control.name, unit.empty() ? said : said + " (" + unit + ")",
          caption != nullptr ? caption->name : std::string_view(), said, unit};
}

// A picture is named after the line type of its page: "Microstrip cross-section".
std::string PictureName(const ControlRow& well, std::span<const ControlRow> rows) {
  for (const ControlRow& panel : rows) {
    if (panel.kind != ControlKind::kTabPanel) {
      continue;
    }
    std::string_view captions = panel.text;
    for (int page = 1; page < well.page && !captions.empty(); ++page) {
      const auto end = captions.find('\r');
      captions = end == std::string_view::npos ? std::string_view() : captions.substr(end + 1);
    }
    return std::string(captions.substr(0, captions.find('\r'))) + " cross-section";
  }
  return "Picture";
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

std::vector<AccessibleName> AccessibleNames(std::span<const ControlRow> rows,
                                            std::span<const SpokenCaption> spoken) {
  std::vector<AccessibleName> names;
  for (const ControlRow& control : rows) {
    if (control.kind == ControlKind::kEditField || control.kind == ControlKind::kPopupMenu) {
      names.push_back(NameOf(control, rows, spoken));
    } else if (control.kind == ControlKind::kPushButton) {
      names.push_back({control.name, ButtonName(control), {}, {}, {}});
    } else if (control.kind == ControlKind::kImageWell) {
      names.push_back({control.name, PictureName(control, rows), {}, {}, {}});
    }
  }
  return names;
}

}  // namespace mq::ui
