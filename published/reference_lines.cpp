// SPDX-License-Identifier: MIT
#include "published/reference_lines.h"

#include <cmath>
#include <numbers>

#include "published/root_finder.h"

namespace mq::reference {

using std::numbers::pi;

double CoaxImpedance(double innerDiameter, double outerDiameter, double permittivity) {
  return kEta0 / (2 * pi * std::sqrt(permittivity)) * std::log(outerDiameter / innerDiameter);
}

double CoaxInnerDiameter(double impedance, double outerDiameter, double permittivity) {
  return outerDiameter * std::exp(-2 * pi * std::sqrt(permittivity) * impedance / kEta0);
}

// It halves the gap at least quadratically once the two are close, so 64 steps cover any pair
// of doubles.
double ArithmeticGeometricMean(double a, double b) {
  for (int step = 0; step < 64 && std::fabs(a - b) > 1e-16 * a; ++step) {
    const double mean = (a + b) / 2;
    b = std::sqrt(a * b);
    a = mean;
  }
  return a;
}

namespace {

// Impedance of the air-filled line, Hammerstad-Jensen eq. (1)-(2).
double AirImpedance(double u) {
  const double f = 6 + (2 * pi - 6) * std::exp(-std::pow(30.666 / u, 0.7528));
  return kEta0 / (2 * pi) * std::log(f / u + std::sqrt(1 + 4 / (u * u)));
}

}  // namespace

double StriplineImpedance(double width, double spacing, double permittivity) {
  const double x = pi * width / (2 * spacing);
  const double k = 1 / std::cosh(x);
  const double kPrime = std::tanh(x);
  // K(k) / K(k') = AGM(1, k) / AGM(1, k'). Past W/b about 450 k underflows; there
  // K(k') = ln(4 / k) = x + ln 2 and K(k) = pi / 2 to the last digit.
  const double ratio = k > 0 ? ArithmeticGeometricMean(1, k) / ArithmeticGeometricMean(1, kPrime)
                             : pi / (2 * (x + std::numbers::ln2));
  return kEta0 / (4 * std::sqrt(permittivity)) * ratio;
}

double MicrostripEffectivePermittivity(double width, double height, double permittivity) {
  const double u = width / height;
  const double er = permittivity;
  const double a =
      1 + std::log((std::pow(u, 4) + std::pow(u / 52, 2)) / (std::pow(u, 4) + 0.432)) / 49 +
      std::log(1 + std::pow(u / 18.1, 3)) / 18.7;
  const double b = 0.564 * std::pow((er - 0.9) / (er + 3), 0.053);
  return (er + 1) / 2 + (er - 1) / 2 * std::pow(1 + 10 / u, -a * b);
}

double MicrostripImpedance(double width, double height, double permittivity) {
  return AirImpedance(width / height) /
         std::sqrt(MicrostripEffectivePermittivity(width, height, permittivity));
}

double MicrostripThicknessWidening(double widthRatio, double thicknessRatio, double permittivity) {
  const double u = widthRatio, t = thicknessRatio;
  if (!(t > 0)) {
    return 0;
  }
  const double coth = 1 / std::tanh(std::sqrt(6.517 * u));
  const double inAir = t / pi * std::log(1 + 4 * std::numbers::e / (t * coth * coth));
  return inAir * (1 + 1 / std::cosh(std::sqrt(permittivity - 1))) / 2;
}

double MicrostripThickImpedance(double width, double height, double thickness,
                                double permittivity) {
  const double ur = width / height +
                    MicrostripThicknessWidening(width / height, thickness / height, permittivity);
  return AirImpedance(ur) / std::sqrt(MicrostripEffectivePermittivity(ur, 1, permittivity));
}

double MicrostripThickEffectivePermittivity(double width, double height, double thickness,
                                            double permittivity) {
  const double u = width / height, t = thickness / height;
  const double u1 = u + MicrostripThicknessWidening(u, t, 1);
  const double ur = u + MicrostripThicknessWidening(u, t, permittivity);
  return MicrostripEffectivePermittivity(ur, 1, permittivity) *
         std::pow(AirImpedance(u1) / AirImpedance(ur), 2);
}

double StriplineThickImpedance(double width, double spacing, double thickness,
                               double permittivity) {
  const double gap = 1 - thickness / spacing;  // (b - t) / b
  // At t = 0 the second term is 0 times the log of 0: its limit, 0.
  const double corner = gap < 1 ? (1 / gap - 1) * std::log(1 / (gap * gap) - 1) : 0;
  const double fringe = (2 / gap * std::log(1 / gap + 1) - corner) / pi;
  return kEta0 / 4 / std::sqrt(permittivity) / (width / (spacing - thickness) + fringe);
}

DispersionTerms MicrostripDispersionTerms(double u, double er, double fn) {
  return {0.27488 + (0.6315 + 0.525 / std::pow(1 + 0.0157 * fn, 20)) * u -
              0.065683 * std::exp(-8.7513 * u),
          0.33622 * (1 - std::exp(-0.03442 * er)),
          0.0363 * std::exp(-4.6 * u) * (1 - std::exp(-std::pow(fn / 38.7, 4.97))),
          1 + 2.751 * (1 - std::exp(-std::pow(er / 15.916, 8)))};
}

// eeff(f) = er - (er - eeff(0)) / (1 + P), P = P1 P2 ((0.1844 + P3 P4) fn)^1.5763, with fn the
// frequency times the height in GHz mm.
double MicrostripDispersedPermittivity(double widthMetres, double heightMetres, double permittivity,
                                       double frequencyHertz) {
  const double er = permittivity;
  const double fn = frequencyHertz * 1e-9 * heightMetres * 1e3;
  const DispersionTerms t = MicrostripDispersionTerms(widthMetres / heightMetres, er, fn);
  const double p = t.p1 * t.p2 * std::pow((0.1844 + t.p3 * t.p4) * fn, 1.5763);
  return er - (er - MicrostripEffectivePermittivity(widthMetres, heightMetres, er)) / (1 + p);
}

double SkinDepthMetres(double frequencyHertz, double conductivity) {
  return 1 / std::sqrt(pi * frequencyHertz * kMu0 * conductivity);
}

double CoaxFirstHigherModeCutoffHertz(double innerDiameterMetres, double outerDiameterMetres,
                                      double permittivity) {
  return 2 * kSpeedOfLight /
         (pi * (innerDiameterMetres + outerDiameterMetres) * std::sqrt(permittivity));
}

WidthSearch SolveWidth(const std::function<double(double)>& impedance, double wanted,
                       double narrowest, double widest) {
  using Outcome = WidthSearch::Outcome;
  const double narrow = std::log(narrowest), wide = std::log(widest);
  if (!std::isfinite(narrow) || !std::isfinite(wide) || !(narrow < wide)) {
    return {Outcome::kNoRange, 0};
  }
  if (wanted <= 0) {
    return {Outcome::kBelowWidest, 0};  // below what any width reaches
  }
  // The closed forms keep some fifteen digits: 1e-12 is as near as they tell.
  constexpr double kClosedFormTolerance = 1e-12;
  const auto miss = [&](double lnWidth) {
    return roots::Miss{std::log(impedance(std::exp(lnWidth)) / wanted), kClosedFormTolerance};
  };
  const roots::Root root = roots::FindRoot(miss, {narrow, wide, NAN, false});
  switch (root.outcome) {
    case roots::Root::Outcome::kFound:
      return {Outcome::kFound, std::exp(root.x)};
    case roots::Root::Outcome::kBeyondHighest:
      return {Outcome::kBelowWidest, 0};
    default:  // past the narrowest, or no figure there: a wanted impedance that is no number
      return {Outcome::kAboveNarrowest, 0};
  }
}

}  // namespace mq::reference
