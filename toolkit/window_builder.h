// SPDX-License-Identifier: MIT
// Builds a window from its property table and its rows of named controls.
#pragma once

#include <span>

#include "toolkit/control_table.h"
#include "toolkit/controls.h"
#include "toolkit/picture_store.h"

class QWidget;

namespace mq::toolkit {

// Gives the window its title, buttons and a fixed content size; `content` is the widget whose
// top-left corner is the origin of the layout's coordinates.
void ApplyWindowProperties(QWidget& window, QWidget& content, const WindowProperties& properties);

// Creates the controls in row order inside `content`, each added under its name before its
// properties are set. Connects no event: the caller wires events once everything is built. An
// image well takes its picture from `pictures` when it is first shown; `pictures` must outlive
// the controls.
Controls BuildControls(QWidget& content, std::span<const ControlRow> rows, PictureStore& pictures);

}  // namespace mq::toolkit
