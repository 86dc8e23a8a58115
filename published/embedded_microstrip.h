// SPDX-License-Identifier: MIT
// Embedded (buried) microstrip: a microstrip under a planar dielectric cover of the substrate's
// own permittivity, `cover` thick above the strip's upper face. The IPC form (IPC-2141,
// "Controlled Impedance Circuit Boards and High Speed Logic Design", 1996, after IPC-D-317A):
//   Z0 = (60 / sqrt(er')) ln(5.98 h / (0.8 W + t)),  er' = er (1 - exp(-1.55 H1 / h)),
// with h the strip's height over the plane and H1 the height of the cover's top over the plane,
// here h + t + cover. Peer calculators differ on whether H1 counts the strip's thickness; with t
// well below h the two readings differ little. The form's 60 is eta0 / (2 pi) = 59.96 rounded:
// eta0 / (2 pi) here. As the cover thickens er' tends to er, a strip wholly in the dielectric;
// a thin cover is outside what the form was made for (at no cover it gives 0.79 er, not the
// surface microstrip's eeff). Lengths in any one unit.
#pragma once

#include "published/line_figures.h"

namespace mq::reference {

LineFigures EmbeddedMicrostrip(double width, double height, double thickness, double cover,
                               double permittivity);

// The range IPC-2141 states for its microstrip form, which this one shares; no separate range
// for the cover was found.
inline constexpr double kEmbeddedNarrowest = 0.1;  // W/h
inline constexpr double kEmbeddedWidest = 2.0;     // W/h
inline constexpr double kEmbeddedHighestPermittivity = 15;

}  // namespace mq::reference
