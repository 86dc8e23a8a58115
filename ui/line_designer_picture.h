// SPDX-License-Identifier: MIT
// The Line Designer's pictures: the chosen line to scale as the cross-section view draws it,
// its dimensions in the window's unit, and a small picture of each structure for its popup.
#pragma once

#include <QIcon>

#include "model/length_units.h"
#include "ui/cross_section_view.h"
#include "ui/line_designer_fields.h"

namespace mq::designer {

LayeredShape ShapeOf(const Design& design, LengthUnit unit, bool even);

// Drawn in the palette's colours, so that it reads in a dark theme too.
QIcon StructureIcon(LineStructure structure, const QPalette& palette);

}  // namespace mq::designer
