// SPDX-License-Identifier: MIT
// Coplanar waveguide: a strip of width W between two ground planes, each a gap g from it, on a
// substrate of height h and relative permittivity er, by the conformal maps of the partial
// capacitances (the slots taken as magnetic walls, so each layer's share is a ratio of complete
// elliptic integrals, Q(k) = K(k)/K(k')):
// - no ground plane below (G. Ghione and C. Naldi, "Analytical formulas for coplanar lines in
//   hybrid and monolithic MICs", Electronics Letters 20(4), 1984, pp. 179-181; R. N. Simons,
//   Coplanar Waveguide Circuits, Components and Systems, Wiley 2001, ch. 2):
//   k1 = a/b, k2 = sinh(pi a / 2h) / sinh(pi b / 2h), a = W/2, b = W/2 + g;
//   eeff = 1 + (er - 1)/2 Q(k2)/Q(k1), Z0 = eta0 / (4 sqrt(eeff) Q(k1)).
//   Ground planes of finite width c - b (Ghione and Naldi, "Coplanar waveguides for MMIC
//   applications: effect of upper shielding, conductor backing, finite-extent ground planes, and
//   line-to-line coupling", IEEE Trans. MTT-35, 1987, pp. 260-267; Simons ch. 2): each modulus
//   takes the factor sqrt((1 - b^2/c^2) / (1 - a^2/c^2)), in the substrate's with the sinh of
//   each length in place of the length.
// - a ground plane below the substrate, grounded CPW (G. Ghione and C. Naldi, "Parameters of
//   coplanar waveguides with lower common planes", Electronics Letters 19(18), 1983,
//   pp. 734-735; Simons ch. 2):
//   k3 = tanh(pi a / 2h) / tanh(pi b / 2h); eeff = (Q(k1) + er Q(k3)) / (Q(k1) + Q(k3)),
//   Z0 = eta0 / (2 sqrt(eeff) (Q(k1) + Q(k3))). Finite grounds are not treated here.
// - strips of thickness t (K. C. Gupta, R. Garg, I. Bahl and P. Bhartia, Microstrip Lines and
//   Slotlines, 2nd ed., Artech House 1996, ch. 7): the strip widens and each gap narrows by
//   d = (1.25 t / pi)(1 + ln(4 pi W / t)), so the air's share becomes Q(ke) with ke from W + d
//   and g - d; the slot walls add air capacitance, eeff_t = eeff - 0.7 (eeff - 1)(t/g) /
//   (Q(k1) + 0.7 t/g); Z0 = eta0 / (4 sqrt(eeff_t) Q(ke)). The grounded line takes the same
//   two steps (as transcalc does): Q(ke) for Q(k1) in its air half, then the same lowering of
//   eeff; no source states that pairing.
// All quasi-static. Lengths in any one unit.
#pragma once

#include <cmath>

#include "published/line_figures.h"

namespace mq::reference {

struct CoplanarGeometry {
  double width = 0;      // W, the centre strip
  double gap = 0;        // g, strip edge to ground edge
  double height = 0;     // h, the substrate
  double thickness = 0;  // t, 0 for the conformal maps' own case
  double permittivity = 1;
  double groundWidth = INFINITY;  // each ground plane's width; infinite unless given
};

LineFigures CoplanarWaveguide(const CoplanarGeometry& line);
LineFigures GroundedCoplanarWaveguide(const CoplanarGeometry& line);

// The thickness correction narrows each gap by d: it holds while d is well below g; at d >= g
// the gap closes and the form gives no figure (NaN).
double CoplanarThicknessWidening(double width, double thickness);

}  // namespace mq::reference
