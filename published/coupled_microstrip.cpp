// SPDX-License-Identifier: MIT
// Kirschning and Jansen's coupled microstrip (IEEE Trans. MTT-32, 1984, pp. 83-90): the static
// permittivities by eq. (3)-(4), the static impedances by eq. (8)-(9), the dispersion by
// eq. (5)-(7), on Hammerstad and Jensen's single line; strips of thickness t by Jansen's (1978)
// widening of each mode's strips (coupled_microstrip.h says how).
#include "published/coupled_microstrip.h"

#include <cmath>

#include "published/reference_lines.h"

namespace mq::reference {

namespace {

// Hammerstad and Jensen's single line of width ratio u, whose forms the paper reuses.
double SinglePermittivity(double u, double er) {
  return MicrostripEffectivePermittivity(u, 1, er);
}
double AirImpedance(double u) {
  return MicrostripImpedance(u, 1, 1);
}

// Eq. (3): the single line's eeff at the even mode's equivalent width v.
double EvenPermittivity(double u, double g, double er) {
  const double v = u * (20 + g * g) / (10 + g * g) + g * std::exp(-g);
  return SinglePermittivity(v, er);
}

// Eq. (4), in its form with the 1985 corrections: from the single line's eeff (wide gap) toward
// (er + 1)/2 + a_o.
double OddPermittivity(double u, double g, double er) {
  const double single = SinglePermittivity(u, er);
  const double mean = (er + 1) / 2;
  const double ao = 0.7287 * (single - mean) * (1 - std::exp(-0.179 * u));
  const double bo = 0.747 * er / (0.15 + er);
  const double co = bo - (bo - 0.207) * std::exp(-0.414 * u);
  const double d = 0.593 + 0.694 * std::exp(-0.562 * u);
  return (mean + ao - single) * std::exp(-co * std::pow(g, d)) + single;
}

// ln(g^10 / (1 + (g/knee)^10)), written so that it keeps its digits at any gap.
double LogOfTenthPowers(double g, double knee) {
  return 10 * std::log(g) - std::log1p(std::pow(g / knee, 10));
}

double Q2(double g) {
  return 1 + 0.7519 * g + 0.189 * std::pow(g, 2.31);
}

// Q4 of eq. (8).
double EvenCoupling(double u, double g) {
  const double q1 = 0.8695 * std::pow(u, 0.194);
  const double q3 =
      0.1975 + std::pow(16.6 + std::pow(8.4 / g, 6), -0.387) + LogOfTenthPowers(g, 3.4) / 241;
  const double eg = std::exp(-g);
  return 2 * q1 / Q2(g) / (eg * std::pow(u, q3) + (2 - eg) * std::pow(u, -q3));
}

// Q10 of eq. (9): (Q2 Q4 - Q5 exp(ln(u) Q6 u^-Q9)) / Q2.
double OddCoupling(double u, double g) {
  const double q5 = 1.794 + 1.14 * std::log(1 + 0.638 / (g + 0.517 * std::pow(g, 2.43)));
  const double q6 =
      0.2305 + LogOfTenthPowers(g, 5.8) / 281.3 + std::log(1 + 0.598 * std::pow(g, 1.154)) / 5.1;
  const double q7 = (10 + 190 * g * g) / (1 + 82.3 * g * g * g);
  const double q8 = std::exp(-6.5 - 0.95 * std::log(g) - std::pow(g / 0.15, 5));
  const double q9 = std::log(q7) * (q8 + 1 / 16.5);
  return EvenCoupling(u, g) - q5 / Q2(g) * std::pow(u, q6 * std::pow(u, -q9));
}

// Eq. (8) and (9): Z = ZL sqrt(eeff / eeff_mode) / (1 - ZL sqrt(eeff) Q / eta0), ZL and eeff the
// single line's. ZL sqrt(eeff) is its air line's impedance, so the mode's air line has the
// single's admittance less Q / eta0. eta0 exact, where peer codes round it to 377 or 376.73.
double ModeImpedance(double u, double coupling, double modePermittivity) {
  const double air = AirImpedance(u);
  return air / (std::sqrt(modePermittivity) * (1 - air * coupling / kEta0));
}

struct ModeWidths {
  double even, odd;  // W/h of each mode's equivalent zero-thickness strip
};

// Jansen's widening for thickness (ratios to h), on Hammerstad and Jensen's dur.
ModeWidths WidenedForThickness(double u, double g, double t, double er) {
  if (!(t > 0)) {
    return {u, u};
  }
  const double single = MicrostripThicknessWidening(u, t, er);
  const double sideWall = t / (er * g);
  const double even = single * (1 - std::exp(-0.69 * single / sideWall) / 2);
  return {u + even, u + even + sideWall};
}

// The single line's terms (Kirschning and Jansen, 1982) that eq. (6) and (7) reuse, fn in GHz mm.
struct SingleLineTerms {
  double p1p2, p3p4;
};

SingleLineTerms SingleDispersionTerms(double u, double er, double fn) {
  const DispersionTerms p = MicrostripDispersionTerms(u, er, fn);
  return {p.p1 * p.p2, p.p3 * p.p4};
}

// Eq. (6): F_e = P1 P2 ((P3 P4 + 0.1844 P7) fn)^1.5763.
double EvenDispersion(SingleLineTerms single, double g, double er, double fn) {
  const double p5 = 0.334 * std::exp(-3.3 * std::pow(er / 15, 3)) + 0.746;
  const double p6 = p5 * std::exp(-std::pow(fn / 18, 0.368));
  const double p7 = 1 + 4.069 * p6 * std::pow(g, 0.479) *
                            std::exp(-1.347 * std::pow(g, 0.595) - 0.17 * std::pow(g, 2.5));
  return single.p1p2 * std::pow((single.p3p4 + 0.1844 * p7) * fn, 1.5763);
}

// P15 of eq. (7), through P8 to P14.
double OddGapFactor(double u, double g, double er, double fn) {
  const double p8 = 0.7168 * (1 + 1.076 / (1 + 0.0576 * (er - 1)));
  const double p9 = p8 - 0.7913 * (1 - std::exp(-std::pow(fn / 20, 1.424))) *
                             std::atan(2.481 * std::pow(er / 8, 0.946));
  const double p10 = 0.242 * std::pow(er - 1, 0.55);
  const double p11 =
      0.6366 * (std::exp(-0.3401 * fn) - 1) * std::atan(1.263 * std::pow(u / 3, 1.629));
  const double p12 = p9 + (1 - p9) / (1 + 1.183 * std::pow(u, 1.376));
  const double p13 = 1.695 * p10 / (0.414 + 1.605 * p10);
  const double p14 = 0.8928 + 0.1072 * (1 - std::exp(-0.42 * std::pow(fn / 20, 3.215)));
  return std::abs(1 - 0.8928 * (1 + p11) * p12 * std::exp(-p13 * std::pow(g, 1.092)) / p14);
}

// Eq. (7): F_o = P1 P2 ((P3 P4 + 0.1844) fn P15)^1.5763.
double OddDispersion(SingleLineTerms single, double u, double g, double er, double fn) {
  return single.p1p2 * std::pow((single.p3p4 + 0.1844) * fn * OddGapFactor(u, g, er, fn), 1.5763);
}

// Eq. (5): eeff(f) = er - (er - eeff(0)) / (1 + F).
double Dispersed(double er, double staticPermittivity, double f) {
  return er - (er - staticPermittivity) / (1 + f);
}

}  // namespace

CoupledModes CoupledMicrostrip(double width, double spacing, double height, double thickness,
                               double permittivity) {
  const double g = spacing / height, er = permittivity;
  const ModeWidths u = WidenedForThickness(width / height, g, thickness / height, er);
  const double even = EvenPermittivity(u.even, g, er);
  const double odd = OddPermittivity(u.odd, g, er);
  return {ModeImpedance(u.even, EvenCoupling(u.even, g), even),
          ModeImpedance(u.odd, OddCoupling(u.odd, g), odd), even, odd};
}

// The paper's dispersion is of the zero-thickness strips: P1 to P15 take W/h as drawn.
CoupledModes CoupledMicrostripDispersed(double widthMetres, double spacingMetres,
                                        double heightMetres, double thicknessMetres,
                                        double permittivity, double frequencyHertz) {
  const double u = widthMetres / heightMetres, g = spacingMetres / heightMetres;
  const double er = permittivity;
  const double fn = frequencyHertz * 1e-9 * heightMetres * 1e3;
  const SingleLineTerms single = SingleDispersionTerms(u, er, fn);
  CoupledModes modes =
      CoupledMicrostrip(widthMetres, spacingMetres, heightMetres, thicknessMetres, er);
  modes.evenPermittivity = Dispersed(er, modes.evenPermittivity, EvenDispersion(single, g, er, fn));
  modes.oddPermittivity = Dispersed(er, modes.oddPermittivity, OddDispersion(single, u, g, er, fn));
  return modes;
}

}  // namespace mq::reference
