// SPDX-License-Identifier: MIT
// The field solver's mesh: the outline of the strip (its half, or quarter, under the symmetries;
// a pair's whole strip) cut into straight panels graded toward its edges and corners.
#pragma once

#include <vector>

#include "solver/field.h"

namespace mq::field_solver::detail {

constexpr int kRefinement = 3;  // fine panels per coarse panel

// The fine mesh of the cross-section's outline, kRefinement panels to each coarse one in order.
std::vector<Panel> Mesh(const Field& f);

// Sets the thickness solved from `ratio` (t/h, t/b), with what a thickness solved as zero
// leaves out of the figure.
void SetThickness(Field& f, double ratio);

}  // namespace mq::field_solver::detail
