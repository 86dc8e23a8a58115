// SPDX-License-Identifier: MIT
// The field solver's mesh: the outline of the strip (its half, or quarter, under the symmetries;
// a pair's whole strip) cut into straight panels graded toward its edges and corners.
#pragma once

#include <cmath>
#include <vector>

#include "solver/field.h"

namespace mq::field_solver::detail {

constexpr int kRefinement = 3;  // fine panels per coarse panel

// The fine mesh of the cross-section's outline, kRefinement panels to each coarse one in order.
std::vector<Panel> Mesh(const Field& f);

// A straight segment of any outline, graded toward its singular ends: about five coarse panels
// within `scale` of each, as distance^grading, `cornerPanels` more within `thin` of a thick
// conductor's corner (as distance^cornerGrading, one per e-fold beyond), `perEfold` per e-fold
// of distance beyond `scale`, and one per `spacing` along the rest (infinite: graded alone, for
// the long reaches of an interface).
struct GradedSegment {
  Point from, to;
  bool gradeFrom = false, gradeTo = false;
  double scale = 1, spacing = 8, thin = 0, density = 1, grading = 2, perEfold = 5.0 / 3;
  double cornerPanels = 0.7, cornerGrading = 2;
  // Farther than this from a graded end the usual panel grows in proportion to the distance.
  double taper = HUGE_VAL;
};

// Appends the segment's fine panels, kRefinement to each coarse one, in order from its start.
void AddGradedPanels(const GradedSegment& s, std::vector<Panel>& panels);

// Sets the thickness solved from `ratio` (t/h, t/b), with what a thickness solved as zero
// leaves out of the figure.
void SetThickness(Field& f, double ratio);

}  // namespace mq::field_solver::detail
