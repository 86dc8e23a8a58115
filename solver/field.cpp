// SPDX-License-Identifier: MIT
// The copies of the meshed panels under the cross-section's symmetries. Left-right symmetry, and
// top-bottom symmetry of the thick stripline, halve the unknowns; a pair's strip has the other
// strip for its mirror in the centre line.
#include "solver/field.h"

#include <initializer_list>

namespace mq::field_solver::detail {

int CopyCount(const Field& f) {
  return f.quarter ? 4 : 2;
}

bool IsPair(const Field& f) {
  return f.offset > 0;
}

double CopySign(const Field& f, int c) {
  return (c & 1) != 0 ? f.sign : 1;
}

Panel Copy(const Field& f, const Panel& p, int c) {
  Panel q = p;
  for (Point* point : {&q.a, &q.b, &q.mid}) {
    if (c & 1) {
      point->x = -point->x;
    }
    if (c & 2) {
      point->y = f.height - point->y;
    }
  }
  return q;
}

}  // namespace mq::field_solver::detail
