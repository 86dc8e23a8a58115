// SPDX-License-Identifier: MIT
// The layered cross-section's solution: a stack meshed (solver/layered_outline.h), the systems
// with and without the dielectrics assembled and solved for each mode on two meshes, and from
// them each mode's impedance, effective permittivity and the estimate of their error.
#pragma once

#include <atomic>
#include <vector>

#include "solver/field_solver.h"
#include "solver/layered_outline.h"

namespace mq::field_solver::detail {

// A mode: the charge of the mirror image against its original (a pair's other strip, or a
// single strip's other half), and the potential of a broadside pair's other strip.
struct Mode {
  double sign = 1;
  double other = 1;
};

// The charges of one mode's solution, free and bound, all in vacuum with the enclosure's
// planes, each panel's mirror image in x = 0 of `sign` times its charge; `far`, the potential far
// off where there is no plane (0 otherwise). Lengths in units of the stack's.
struct LayeredCharges {
  std::vector<Panel> panels;
  std::vector<double> charges;
  Enclosure enclosure;
  double sign = 1;
  double far = 0;
};

// The potential at p of the charges: the held potentials on the conductors, 0 on the planes.
double LayeredPotential(const LayeredCharges& charges, Point p);

// Each mode's answer, or for each the reason there is none (a stop, a stack whose strips do not
// fit their layers). Each answer's field holds its charges on the sparser mesh, for drawing.
std::vector<Answer> SolveModes(const Stack& stack, const std::vector<Mode>& modes,
                               const std::atomic<bool>* stop);

}  // namespace mq::field_solver::detail
