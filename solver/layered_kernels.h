// SPDX-License-Identifier: MIT
// The kernels of the general cross-section: the potential and the electric field at a point of a
// panel of unit charge density in vacuum, with the ground planes held by images (one plane) or
// the closed-form kernel between two planes. The dielectrics are not in them: their bound
// charge is solved for on the interfaces.
#pragma once

#include "solver/field.h"

namespace mq::field_solver::detail {

enum class Grounds { kNone, kBelow, kBoth };

struct Enclosure {
  Grounds grounds = Grounds::kBelow;
  double top = 0;  // the upper plane's height, kBoth only
  double digits = kQuadratureDigits;
  Field planes;  // kBoth: the stripline's, for its kernel's potential
};

// The enclosure of the grounds given, `top` the upper plane's height.
Enclosure MakeEnclosure(Grounds grounds, double top, double digits);

// In units of 2 pi eps0 phi / q: the integral of the Green's function over the panel.
double PanelPotential(const Enclosure& e, Point p, const Panel& q);

// The field at p over the charge's 1 / (2 pi eps0): the integral of (p - s) / |p - s|^2 and its
// images. At a point on the panel itself its principal value (no normal part).
Point PanelField(const Enclosure& e, Point p, const Panel& q, bool onPanel);

}  // namespace mq::field_solver::detail
