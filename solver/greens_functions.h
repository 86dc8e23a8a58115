// SPDX-License-Identifier: MIT
// The influence of a panel of unit charge density on the potential at a point, with the
// structure's own Green's function: the stripline's two planes, the microstrip's slab.
#pragma once

#include "solver/field.h"

namespace mq::field_solver::detail {

// Of one panel on one point, without and with the substrate.
struct Influence {
  double vacuum = 0;
  double dielectric = 0;
};

// Of unit density on panel a-b at p, p and the panel in air above the substrate.
Influence MicrostripInfluence(const Field& f, bool dielectric, Point p, const Panel& q);

// Of unit density on panel a-b at p, both between the grounded planes.
double StriplineInfluence(const Field& f, Point p, const Panel& q);

// Of unit density on panel a-b at p inside the substrate (0 <= y < h), the panel above it.
double SlabInfluence(const Field& f, Point p, const Panel& q);

// Of unit density on panel a-b at p in air, over the substrate if there is one.
double AirInfluence(const Field& f, Point p, const Panel& q);

}  // namespace mq::field_solver::detail
