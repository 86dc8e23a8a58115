// SPDX-License-Identifier: MIT
// The field solver's general cross-section: planar dielectric layers over a ground plane (or
// none, or between two planes), trapezoidal strips and coplanar grounds on the layers'
// boundaries and a conformal solder mask, each line single or as an edge-coupled (or broadside)
// pair. Each answer carries the estimate of its error from two meshes, as solver/field_solver.h.
#pragma once

#include <atomic>
#include <optional>

#include "solver/field_solver.h"

namespace mq::field_solver {

enum class LineKind {
  kMicrostrip,          // strip on a substrate of `height` over a ground plane
  kCoatedMicrostrip,    // the same under a solder mask
  kEmbeddedMicrostrip,  // the same under a planar cover, `cover` over the strip's upper face
  kStripline,           // strip centred between planes `height` apart
  kOffsetStripline,     // `height` below the strip's lower face, `heightAbove` over its upper
  kCoplanar,            // strip between side grounds `gap` away on a substrate in air
  kGroundedCoplanar,    // the same over a ground plane
  kBroadside,           // (pair only) two strips one above the other, centred between planes
};

// A conformal coat: `overSubstrate` thick on the bare substrate, `overTrace` over each
// conductor's upper face and sides; where the coats of two conductors meet the gap fills. Both
// zero: no coat.
struct Mask {
  double overSubstrate = 0, overTrace = 0;
  double permittivity = 1;
};

// Lengths in any one unit: only their ratios matter.
struct Line {
  LineKind kind = LineKind::kMicrostrip;
  double width = 0;
  std::optional<double> topWidth;  // of a trapezoid's upper face; none: the width
  double thickness = 0;
  // The substrate; the stripline's and broadside pair's plane spacing; the offset stripline's
  // lower plane to the strip's lower face.
  double height = 0;
  double permittivity = 1;
  // Above the strip, where it differs: the offset stripline's upper dielectric, the embedded
  // microstrip's cover; none: the permittivity below.
  std::optional<double> permittivityAbove;
  double heightAbove = 0;             // offset stripline
  double cover = 0;                   // embedded microstrip
  double gap = 0;                     // coplanar: strip edge to side ground
  std::optional<double> groundWidth;  // coplanar side grounds; none: wide
  std::optional<Mask> mask;           // coated microstrip
  double spacing = 0;                 // a pair: between the facing edges (broadside: faces)
};

// The line alone (a broadside pair is refused).
Answer SolveLine(const Line& line, const std::atomic<bool>* stop = nullptr);

// The line as a pair, each mode one strip to ground: two strips `spacing` apart at their facing
// edges, each a coplanar pair's with its own outer ground; a broadside pair's even mode holds
// both strips at one potential, the odd mode at opposite ones.
PairAnswer SolveLinePair(const Line& line, const std::atomic<bool>* stop = nullptr);

}  // namespace mq::field_solver
