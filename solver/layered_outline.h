// SPDX-License-Identifier: MIT
// A layered cross-section as the field solver meshes it: planar dielectric layers over a ground
// plane (or none), an upper plane or none, trapezoidal conductors on the layers' boundaries and
// a conformal coat over the top, cut into graded panels on the conductors and on every boundary
// between two permittivities. The cross-section is symmetric about x = 0; only x >= 0 is held.
#pragma once

#include <optional>
#include <vector>

#include "solver/layered_kernels.h"

namespace mq::field_solver::detail {

struct StackLayer {
  double thickness = 0;
  double permittivity = 1;
};

struct Trace {
  double centre = 0;  // 0: its own mirror, meshed as a half
  double width = 0, topWidth = 0, thickness = 0;
  int level = 1;      // the boundary its lower face lies on, 0 the stack's foot
  int signal = 0;     // 0 a ground, 1 the strip measured, 2 a broadside pair's other strip
  bool wide = false;  // a ground reaching outward without end
};

struct Coat {
  double overSubstrate = 0, overTrace = 0, permittivity = 1;
};

struct Stack {
  std::vector<StackLayer> layers;  // from the foot up
  Grounds grounds = Grounds::kBelow;
  std::vector<Trace> traces;
  std::optional<Coat> coat;  // over the top of the stack and the traces on it
  double density = 1;        // panels per usual panel
};

enum class Role { kConductor, kInterface };

struct PanelRole {
  Role role = Role::kConductor;
  int trace = -1;
  double weight = 1;    // conductor: the permittivity outside it (a sheet: its sides' mean)
  double step = 0;      // a sheet between two media: the upper's permittivity less the lower's
  double contrast = 0;  // interface: (e1 - e2) / (e1 + e2), e1 right of its direction, e2 left
};

struct Layout {
  std::vector<Panel> panels;  // kRefinement fine panels to each coarse one, in order
  std::vector<PanelRole> roles;
  Enclosure enclosure;
};

// The heights of the layers' boundaries, the foot's first.
std::vector<double> Levels(const Stack& s);

Layout MeshStack(const Stack& s, double digits);

}  // namespace mq::field_solver::detail
