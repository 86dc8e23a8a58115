// SPDX-License-Identifier: MIT
// Edge-coupled stripline: two strips of width W, s apart at their edges, centred between ground
// planes b apart in one dielectric. Even mode: both strips at +1; odd mode: +1 and -1.
// - Zero thickness, exact by conformal mapping (S. B. Cohn, "Shielded coupled-strip transmission
//   line", IRE Trans. MTT-3, 1955): Z0 = eta0 / (4 sqrt(er)) K(k')/K(k) with
//   ke = tanh(pi W / 2b) tanh(pi (W + s) / 2b) and ko = tanh(pi W / 2b) coth(pi (W + s) / 2b);
//   eta0 / 4 where Cohn writes 30 pi, which is 0.07 % high.
// - Thickness t, Cohn's fringing-capacitance form from the same paper (as Matthaei, Young and
//   Jones give it, Microwave Filters, Impedance-Matching Networks and Coupling Structures, §5.05):
//   Z0 = (eta0 / 4) (b - t) / (sqrt(er) (W + b Cf A / 2 pi)), Cf = 2 ln((2b - t)/(b - t)) - (t/b)
//   ln(t (2b - t)/(b - t)^2), Ae = 1 + ln(1 + tanh(pi s / 2b)) / ln 2, Ao = 1 + ln(1 + coth(pi s /
//   2b)) / ln 2; for strips wide enough that their outer fringes do not meet, W/b >= 0.35.
// Lengths in any one unit.
#pragma once

namespace mq::reference {

struct PairImpedances {
  double even = 0;  // ohm
  double odd = 0;   // ohm
};

PairImpedances CoupledStripline(double width, double spacing, double planeSpacing,
                                double permittivity);
PairImpedances CoupledThickStripline(double width, double spacing, double planeSpacing,
                                     double thickness, double permittivity);
inline constexpr double kCoupledThickStriplineNarrowest = 0.35;  // W/b

}  // namespace mq::reference
