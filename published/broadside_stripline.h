// SPDX-License-Identifier: MIT
// Broadside-coupled stripline: two strips of width W, one above the other s apart, the pair
// centred between ground planes b apart in one dielectric; zero thickness. Exact by conformal
// mapping (S. B. Cohn, "Characteristic impedances of broadside-coupled strip transmission
// lines", IRE Trans. MTT-8, Nov. 1960, pp. 633-637): with a modulus k between s/b and 1 set by
//   W/b = (1/pi) [ln((1 + R)/(1 - R)) - (s/b) ln((1 + R/k)/(1 - R/k))],
//   R = sqrt((k b/s - 1) / (b/(k s) - 1)),
// the even mode (both strips at +1) is Z0e sqrt(er) = (eta0 / 2) K(k')/K(k) and the odd mode
// (+1 and -1) Z0o sqrt(er) = (eta0 / 4) pi (s/b) / artanh(k); eta0/2 and eta0 pi/4 where Cohn
// writes 188.3 and 296.1. Exact for any W > 0 and 0 < s < b; its only assumption is strips of
// no thickness.
// As s -> 0 the even mode is the single centred strip's, twice Cohn's 1954 stripline impedance
// (each strip carries half the charge). Lengths in any one unit.
#pragma once

#include "published/coupled_stripline.h"

namespace mq::reference {

// NaN impedances outside 0 < s < b or for W <= 0.
PairImpedances BroadsideCoupledStripline(double width, double spacing, double planeSpacing,
                                         double permittivity);

}  // namespace mq::reference
