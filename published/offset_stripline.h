// SPDX-License-Identifier: MIT
// Offset stripline: a strip of width W and thickness t between two ground planes, off centre:
// `height` from the lower plane to the strip's lower face, `heightAbove` from its upper face to
// the upper plane, one dielectric throughout. Each face sees its own plane as a centred strip
// sees both of its: the capacitance of each side is half that of a centred stripline whose
// planes lie twice that side's distance apart, 2 d + t. Each of those is Cohn's thick strip
// (S. B. Cohn, "Problems in strip transmission lines", IRE Trans. MTT-3, 1955;
// published/reference_lines.h), so
//   Z0 = 2 Z(2 d1 + t) Z(2 d2 + t) / (Z(2 d1 + t) + Z(2 d2 + t)),
// the construction transcalc (Qucs, KiCad) uses for its offset stripline and that Wadell's
// Transmission Line Design Handbook (Artech House, 1991) treats with Cohn's forms; the
// handbook's own page was not to hand, so its wording is not checked here. Centred (d1 = d2) it
// is Cohn's thick stripline exactly. One permittivity: the form has no treatment of two
// dielectrics, so with layers of different er the caller judges which to use. eeff = er.
// Lengths in any one unit.
#pragma once

#include "published/line_figures.h"

namespace mq::reference {

LineFigures OffsetStripline(double width, double height, double heightAbove, double thickness,
                            double permittivity);

// Cohn's thick strip holds while the fringing fields of the strip's edges do not meet, W/(b - t)
// >= 0.35 for each side's centred line, so W / (2 d) >= 0.35 for the farther plane.
inline constexpr double kOffsetStriplineNarrowest = 0.35;  // W / (2 max(d1, d2))
bool OffsetStriplineWithinStatedRange(double width, double height, double heightAbove);

}  // namespace mq::reference
