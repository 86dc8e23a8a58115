// SPDX-License-Identifier: MIT
// The calculator window as data: its properties, its 120 controls in creation order, and the
// keyboard order of each page.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "toolkit/control_table.h"

namespace mq::ui {

extern const toolkit::WindowProperties kCalculatorWindow;

std::span<const toolkit::ControlRow> CalculatorControls();

extern const std::array<std::vector<std::string_view>, 3> kTabOrder;

// What a listener hears, and Copy Page writes, for a caption the window shows misspelt; the
// caption on the window keeps its text.
struct SpokenCaption {
  std::string_view caption;  // the label's name
  std::string_view spoken;
};
extern const std::array<SpokenCaption, 4> kSpokenCaptions;

}  // namespace mq::ui
