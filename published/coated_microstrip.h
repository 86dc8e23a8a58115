// SPDX-License-Identifier: MIT
// Coated microstrip: a microstrip (W, h, t, er) under a planar solder mask `maskThickness` thick
// of relative permittivity er_m. A dielectric cover leaves the air line's capacitance as it is,
// so Z0 = Z0_plain sqrt(eeff_plain / eeff), the treatment of I. J. Bahl and S. S. Stuchly,
// "Analysis of a microstrip covered with a lossy dielectric", IEEE Trans. MTT-28, Feb. 1980,
// pp. 104-109; the plain line is Hammerstad and Jensen's thick strip (published/reference_lines.h).
// What the mask adds to eeff comes from the filling factors of J. Svačina's conformal map
// ("Analysis of multilayer microstrip lines by a conformal mapping method", IEEE Trans. MTT-40,
// Apr. 1992, pp. 769-772) in the form C. Wan and A. Hoorfar corrected ("Improved design
// equations for multilayer microstrip lines", IEEE Microwave and Guided Wave Letters 10(6),
// 2000, pp. 223-224), their wide-strip branch: with u = W/h, the cover's top at H = 1 + c/h,
//   We = u + (2/pi) ln(17.08 (u/2 + 0.92)),      q1 = 1 - ln(pi We - 1) / (2 We),
//   v = (2/pi) atan(2 pi (H - 1) / (pi We - 4)),
//   q_air(H) = (1 - v) / (2 We) ln(2 We cos(pi v / 2) / (2H - 1 + v) + sin(pi v / 2)),
// q1 the substrate's share of the field and q_air the air's above the cover. Bahl and Stuchly
// add each dielectric's share to the air line's, eeff = 1 + q1 (er - 1) + q2 (er_m - 1): the mask
// replaces air with er_m in its share q2 of the field. Here 1 + q1 (er - 1) is the plain line's
// eeff, and q2 = s (1 - q1), s = 1 - q_air(H) / q_air(1) the mask's share of the field above the
// strip. The form's own q_air(1), ln(2 We) / (2 We), falls short of 1 - q1 by
// ln((pi We - 1) / 2 We) / 2We, so the normalisation makes the mask's share 0 at no thickness and
// all the field above the strip for an infinitely thick mask; that step is this program's, not
// the papers', and the papers' own text was not to hand: the forms above are as peer calculators
// (KiCad) quote them. So eeff = eeff_plain + s (1 - q1)(er_m - 1): eeff_plain exactly at er_m = 1
// or c = 0; for a thick mask of the substrate's permittivity, near er (the two filling factors,
// Hammerstad and Jensen's and Svačina's q1, differ by a few hundredths of er - 1). The mask is
// taken as a planar layer c thick from the substrate's surface; the strip's thickness enters
// through Hammerstad and Jensen's widening only.
// Lengths in any one unit.
#pragma once

#include "published/line_figures.h"

namespace mq::reference {

LineFigures CoatedMicrostrip(double width, double height, double thickness, double permittivity,
                             double maskThickness, double maskPermittivity);

// The share of the field above the strip that the mask holds, s above: 0 at no mask, toward 1
// as it thickens.
double CoatedMicrostripMaskShare(double width, double height, double maskThickness);

// Wan and Hoorfar's wide-strip branch is for W/h >= 1 (as quoted); their narrow-strip branch is not
// implemented (its form could not be confirmed), so narrower strips take the wide one outside
// its stated range.
inline constexpr double kCoatedNarrowest = 1;  // W/h

}  // namespace mq::reference
