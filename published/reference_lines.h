// SPDX-License-Identifier: MIT
// Reference solutions for the three line types and the limits of the closed forms, written from
// the literature and independent of the program's models and of its rounded constants (CODATA
// 2018 values here). Impedances need lengths in any one unit (only their ratios count); what
// depends on a frequency takes lengths in metres, as its parameters' names say, frequencies in Hz
// and conductivities in S/m.
#pragma once

#include <functional>

#include "published/exact_constants.h"

namespace mq::reference {

using exact::kEta0;
using exact::kMu0;
using exact::kSpeedOfLight;

// Exact TEM impedance of a coaxial line: eta0 / (2 pi sqrt(er)) ln(D/d).
double CoaxImpedance(double innerDiameter, double outerDiameter, double permittivity);
// Its inverse: d = D exp(-2 pi sqrt(er) Z0 / eta0).
double CoaxInnerDiameter(double impedance, double outerDiameter, double permittivity);

// The arithmetic-geometric mean, by which the complete elliptic integral is K(k) =
// pi / (2 AGM(1, k')) (Abramowitz and Stegun 17.6); for Cohn's single and coupled striplines.
double ArithmeticGeometricMean(double a, double b);

// Exact impedance of a zero-thickness centred stripline by conformal mapping (Cohn, 1954):
// Z0 = eta0 / (4 sqrt(er)) K(k)/K(k'), k = sech(pi W / 2b), k' = tanh(pi W / 2b). The ratio is
// taken as AGM(1, k) / AGM(1, k'), from k and k' computed each on its own, so it keeps its digits
// where k' rounds to 1 (W/b above about 11).
double StriplineImpedance(double width, double spacing, double permittivity);

// Hammerstad and Jensen (1980), zero-thickness microstrip: Z0 of the air line within 0.01 % for
// W/h <= 1 and 0.03 % up to 1000; eeff within 0.2 % for er < 128 and 0.01 <= W/h <= 100.
double MicrostripEffectivePermittivity(double width, double height, double permittivity);
double MicrostripImpedance(double width, double height, double permittivity);

// The same with Hammerstad and Jensen's thickness correction (1980): the strip of thickness t
// acts as one widened by du1 = (t/h)/pi ln(1 + 4e / ((t/h) coth^2 sqrt(6.517 W/h))) in air and by
// dur = du1 (1 + sech sqrt(er - 1)) / 2 on the substrate; Z0 = Z01(ur) / sqrt(eeff0(ur)) and
// eeff = eeff0(ur) (Z01(u1) / Z01(ur))^2, with Z01 the air line and eeff0 the zero-thickness
// form. At t = 0 they are the forms above.
double MicrostripThickImpedance(double width, double height, double thickness, double permittivity);
double MicrostripThickEffectivePermittivity(double width, double height, double thickness,
                                            double permittivity);
// The widening itself as a ratio to h, from W/h and t/h: du1 with permittivity 1, dur with the
// substrate's; 0 at t = 0.
double MicrostripThicknessWidening(double widthRatio, double thicknessRatio, double permittivity);

// Cohn (1955), a stripline strip of thickness t, wide enough that the fringing fields of its two
// edges do not meet (W/(b - t) >= 0.35): Z0 sqrt(er) = (eta0 / 4) / (W/(b - t) + Cf/(pi eps)),
// Cf/(pi eps) = [2/(1 - x) ln(1/(1 - x) + 1) - (1/(1 - x) - 1) ln(1/(1 - x)^2 - 1)] / pi, x = t/b
// (eta0 / 4 where Cohn writes 30 pi). At t = 0 it is the wide-strip limit of the exact form.
double StriplineThickImpedance(double width, double spacing, double thickness, double permittivity);
inline constexpr double kThickStriplineNarrowest = 0.35;  // W/(b - t)

// Kirschning and Jansen (1982): the effective dielectric constant of a microstrip at frequency f,
// from the static one; within 0.6 % for 0.1 <= W/h <= 100, 1 <= er <= 20, h/lambda0 <= 0.13.
double MicrostripDispersedPermittivity(double widthMetres, double heightMetres, double permittivity,
                                       double frequencyHertz);
// Its terms P1 to P4 at W/h u, er and fn, the frequency times the height in GHz mm, which their
// coupled lines (1984) reuse: P1 = 0.27488 + (0.6315 + 0.525 / (1 + 0.0157 fn)^20) u -
// 0.065683 exp(-8.7513 u), P2 = 0.33622 (1 - exp(-0.03442 er)), P3 = 0.0363 exp(-4.6 u)
// (1 - exp(-(fn / 38.7)^4.97)), P4 = 1 + 2.751 (1 - exp(-(er / 15.916)^8)).
struct DispersionTerms {
  double p1, p2, p3, p4;
};
DispersionTerms MicrostripDispersionTerms(double u, double er, double fn);
// The ranges its authors state, as limits a caller can name.
inline constexpr double kDispersionNarrowest = 0.1;  // W/h
inline constexpr double kDispersionWidest = 100;     // W/h
inline constexpr double kDispersionHighestPermittivity = 20;
inline constexpr double kDispersionThickest = 0.13;  // h / lambda0

// Skin depth of a good conductor: 1 / sqrt(pi f mu0 sigma), in m.
double SkinDepthMetres(double frequencyHertz, double conductivity);

// Cut-off of a coaxial line's first higher mode, TE11, whose wavelength is about the mean
// circumference pi (D + d) / 2 (Pozar §3.5): fc = 2 c / (pi (D + d) sqrt(er)), in Hz.
double CoaxFirstHigherModeCutoffHertz(double innerDiameterMetres, double outerDiameterMetres,
                                      double permittivity);

// The width at which impedance(width) equals the wanted impedance, for an impedance that falls
// as the width grows: published/root_finder.h on ln(width) against ln(impedance), to a relative
// 1e-12. A wanted impedance outside what the two ends reach, or an end that is not a finite
// positive width, gives no width and says which.
struct WidthSearch {
  enum class Outcome { kFound, kAboveNarrowest, kBelowWidest, kNoRange };
  Outcome outcome;
  double width;  // 0 unless found
};
WidthSearch SolveWidth(const std::function<double(double)>& impedance, double wanted,
                       double narrowest, double widest);

}  // namespace mq::reference
