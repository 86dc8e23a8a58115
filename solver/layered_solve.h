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

// Each mode's answer, or for each the reason there is none (a stop, a stack whose strips do not
// fit their layers).
std::vector<Answer> SolveModes(const Stack& stack, const std::vector<Mode>& modes,
                               const std::atomic<bool>* stop);

}  // namespace mq::field_solver::detail
