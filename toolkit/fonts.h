// SPDX-License-Identifier: MIT
// The layout names the classic desktop fonts "System" and "Geneva" in points of 72 dpi. On other
// platforms they map to a metric-compatible sans serif at the same size in pixels, so every
// caption fits its rectangle as designed.
#pragma once

#include <QFont>

#include "toolkit/control_table.h"

namespace mq::toolkit {

QFont PlatformFont(FontRole role, int size, bool bold = false);

// The font common to each kind of control: "System" 12 for tab panels, group boxes and buttons,
// "Geneva" 10 for labels, fields and popups.
QFont DefaultFont(ControlKind kind);

}  // namespace mq::toolkit
