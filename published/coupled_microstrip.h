// SPDX-License-Identifier: MIT
// Edge-coupled microstrip: the even and odd modes of two equal strips side by side on one
// substrate, by M. Kirschning and R. H. Jansen, "Accurate wide-range design equations for the
// frequency-dependent characteristic of parallel coupled microstrip lines", IEEE Trans. MTT-32,
// no. 1, Jan. 1984, pp. 83-90 (corrections in MTT-33, no. 3, Mar. 1985, p. 288): the static
// permittivities of eq. (3) and (4), the static impedances of eq. (8) and (9), the dispersed
// permittivities of eq. (5)-(7). They build on Hammerstad and Jensen's single line (1980,
// published/reference_lines.h), whose forms they reuse at other widths.
//
// A strip of thickness t: each mode is the zero-thickness pair with its strips widened, after
// R. H. Jansen, "High-speed computation of single and coupled microstrip parameters including
// dispersion, high-order modes, loss and finite strip thickness", IEEE Trans. MTT-26, Feb. 1978,
// pp. 75-82. With du Hammerstad and Jensen's widening of a single strip on the substrate (their
// dur) and dt = (t/h) / (er s/h), the odd mode's widening by the field that crosses the gap's air
// from the strip's side wall (so transcalc quotes Jansen; Qucs takes twice it), the even mode's
// strip widens by du (1 - exp(-0.69 du / dt) / 2) and the odd mode's by that and dt. Unlike one
// widening for both modes, this keeps the odd mode's coupling through the side walls, which grows
// as the gap closes; as the gap opens (dt -> 0) both modes widen by du, so the impedances tend to
// Hammerstad and Jensen's thick single line. The permittivities then tend to their zero-thickness
// form at the widened strip, without their lowering for thickness (1.9 % at W/h 1, t/h 0.035 on
// er 4.3).
//
// Lengths in any one unit for the static figures (only ratios count); in metres, as the names
// say, where a frequency in Hz enters.
#pragma once

namespace mq::reference {

struct CoupledModes {
  double evenImpedance;  // ohm, of one strip, both driven alike
  double oddImpedance;   // ohm, of one strip, driven in opposition (half the differential one)
  double evenPermittivity;
  double oddPermittivity;
};

// The static (quasi-static) modes of two strips of width W at edge spacing s on a substrate of
// height h and relative permittivity er, strips of thickness t (0 for the paper's own case).
CoupledModes CoupledMicrostrip(double width, double spacing, double height, double thickness,
                               double permittivity);

// The same at frequency f: the permittivities by the paper's dispersion, eq. (5)-(7), from the
// static ones; the impedances stay the static ones (its eq. (10)-(11) for Z0(f) are not used).
CoupledModes CoupledMicrostripDispersed(double widthMetres, double spacingMetres,
                                        double heightMetres, double thicknessMetres,
                                        double permittivity, double frequencyHertz);

// The ranges its authors state, eq. (1), as limits a caller can name.
inline constexpr double kCoupledNarrowest = 0.1;  // W/h
inline constexpr double kCoupledWidest = 10;      // W/h
inline constexpr double kCoupledClosest = 0.1;    // s/h
inline constexpr double kCoupledFarthest = 10;    // s/h
inline constexpr double kCoupledHighestPermittivity = 18;
inline constexpr double kCoupledHighestFrequencyHeight = 25;  // f h in GHz mm, the dispersion's
// The accuracies they state within those ranges, against their own full-wave (spectral-domain)
// results: static eeff_e 0.7 % and eeff_o 0.5 %, static Z0e and Z0o 0.6 %, the dispersed
// permittivities 1.4 % up to f h = 25 GHz mm.
inline constexpr double kCoupledStaticPermittivityAccuracy = 0.007;
inline constexpr double kCoupledStaticImpedanceAccuracy = 0.006;
inline constexpr double kCoupledDispersedPermittivityAccuracy = 0.014;

}  // namespace mq::reference
