// SPDX-License-Identifier: MIT
// The cross-section as the field solver holds it: its shape and lengths in units of the height,
// the panels of the outline it meshes and the charges solved on them, and the copies of each
// panel under the symmetries (the other halves of the outline, a pair's other strip).
#pragma once

#include <memory>
#include <vector>

#include "solver/image_series.h"
#include "solver/quadrature.h"

namespace mq::field_solver {

namespace detail {

enum class Shape { kMicrostrip, kStripline, kCoax };

struct Panel {
  Point a, b, mid;
  double length = 0;
};

struct LayeredCharges;

}  // namespace detail

struct Field {
  detail::Shape shape = detail::Shape::kCoax;
  // Lengths are solved in units of h (b), so no square of a length typed near the ends of a
  // double overflows; `unit` is that length as typed.
  double unit = 1;
  double height = 0;  // h of the microstrip, b of the stripline, outer radius of the coax
  double inner = 0;   // inner radius of the coax
  double width = 0;
  double thickness = 0;
  double leftOut = 0;  // relative effect of a thickness solved as zero
  double k = 0;        // (er - 1)/(er + 1) of the microstrip's substrate
  double density = 1;  // panels per usual panel: above 1 only for the tests' references
  double digits = detail::kQuadratureDigits;
  bool quarter = false;  // the thick stripline: top-bottom symmetry too
  // A pair's strip is centred at x = offset; its mirror image in x = 0, the other strip, carries
  // the same charge (even mode, sign 1) or the opposite (odd mode, sign -1). A single strip is
  // its own mirror: offset 0, sign 1.
  double offset = 0;
  double sign = 1;
  std::vector<detail::Panel> panels;  // the fine mesh of the half (or quarter) outline
  std::vector<double> charges;
  detail::ImageSeries series{0};
  // A layered cross-section's charges, free and bound, in place of the above.
  std::shared_ptr<const detail::LayeredCharges> layered;
};

namespace detail {

// The copies of each meshed panel: 2, or 4 with the thick stripline's top-bottom symmetry.
int CopyCount(const Field& f);

bool IsPair(const Field& f);

// The charge of copy c against the panel's own: the pair's mirror takes the mode's sign.
double CopySign(const Field& f, int c);

// Copy c of a panel under the symmetries: c & 1 mirrors in x = 0, c & 2 in y = b/2.
Panel Copy(const Field& f, const Panel& p, int c);

}  // namespace detail

}  // namespace mq::field_solver
