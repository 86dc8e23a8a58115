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

}  // namespace mq::ui
