// SPDX-License-Identifier: MIT
// The field solver's solution of one cross-section: the systems of the mesh assembled and solved,
// and from them the impedance, the effective permittivity and the estimate of their error.
#pragma once

#include <atomic>
#include <memory>
#include <string_view>
#include <utility>

#include "solver/field.h"
#include "solver/field_solver.h"

namespace mq::field_solver::detail {

// Clears the upper halves of the AVX registers that a library may leave in use, which make every
// SSE instruction after them wait (see solver/solve.cpp); called on entry to each solve.
void ClearUpperVectorState();

// An answer without a figure, for the reason given.
Answer Refused(std::string_view reason);

// Meshes the strip of `field` (its lengths, shape and substrate set), solves it with and without
// the dielectric of permittivity `er`, and keeps the solved charges in the answer's field.
// `stop`, when given, is read between steps.
Answer Finish(std::shared_ptr<Field> field, double er, const std::atomic<bool>* stop);

// The same for the two modes of a pair, alike but for the mirror's sign: one mesh and one
// assembly for both.
std::pair<Answer, Answer> FinishPair(std::shared_ptr<Field> even, std::shared_ptr<Field> odd,
                                     double er, const std::atomic<bool>* stop);

}  // namespace mq::field_solver::detail
