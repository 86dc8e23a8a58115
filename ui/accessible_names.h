// SPDX-License-Identifier: MIT
// Screen readers name each field and popup by the caption before it and the unit after it,
// as a sighted user reads the row: "Frequency (GHz)"; the arrow buttons by the way they run.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control_table.h"
#include "ui/layout_tables.h"

namespace mq::ui {

struct AccessibleName {
  std::string_view control;
  std::string name;
  std::string_view caption;   // the label beside the control, empty when it has none
  std::string spokenCaption;  // the caption's words as said and copied
  std::string unit;           // the unit after it ("mm"), empty when it has none
};

// Captions read as their spoken text where the table gives one.
std::vector<AccessibleName> AccessibleNames(std::span<const toolkit::ControlRow> rows,
                                            std::span<const SpokenCaption> spoken);

}  // namespace mq::ui
