// SPDX-License-Identifier: MIT
// Ghione and Naldi's coplanar waveguide, with and without a lower ground plane, and Gupta et
// al.'s thickness correction (published/coplanar_waveguide.h gives the forms).
#include "published/coplanar_waveguide.h"

#include <numbers>

#include "published/exact_constants.h"
#include "published/reference_lines.h"

namespace mq::reference {
namespace {

using std::numbers::pi;

// Q(k) = K(k)/K(k') = AGM(1, k)/AGM(1, k'), k' from 1 - k^2 given apart so that it keeps its
// digits as k nears 1 (narrow gaps, thin substrates).
double Share(double k, double oneMinusKSquared) {
  return ArithmeticGeometricMean(1, k) / ArithmeticGeometricMean(1, std::sqrt(oneMinusKSquared));
}

// The modulus of edges at a and b (half the strip, and half the strip plus the gap) with the
// grounds ending at c, after the map f (the identity in air, sinh or tanh in the substrate):
// k = (f(a)/f(b)) sqrt((1 - f(b)^2/f(c)^2) / (1 - f(a)^2/f(c)^2)), f(c) infinite for
// infinite grounds.
double Modulus(double fa, double fb, double fc) {
  const double outer =
      std::isinf(fc) ? 1 : std::sqrt((1 - fb * fb / (fc * fc)) / (1 - fa * fa / (fc * fc)));
  return fa / fb * outer;
}

double ShareOf(double k) {
  return Share(k, (1 - k) * (1 + k));
}

struct Edges {
  double a, b, c;  // centre to strip edge, to ground edge, to the grounds' far edge
};

Edges EdgesOf(const CoplanarGeometry& line, double widening) {
  const double a = (line.width + widening) / 2;
  const double b = line.width / 2 + line.gap - widening / 2;
  return {a, b, line.width / 2 + line.gap + line.groundWidth};
}

double AirShare(const Edges& e) {
  return ShareOf(Modulus(e.a, e.b, e.c));
}

// The substrate's share without a lower plane: sinh(pi x / 2h) of each edge.
double SubstrateShare(const CoplanarGeometry& line) {
  const Edges e = EdgesOf(line, 0);
  const auto map = [&](double x) { return std::sinh(pi * x / (2 * line.height)); };
  return ShareOf(Modulus(map(e.a), map(e.b), std::isinf(e.c) ? INFINITY : map(e.c)));
}

// The substrate's share over a lower plane: tanh(pi x / 2h), infinite grounds.
double BackedShare(const CoplanarGeometry& line) {
  const Edges e = EdgesOf(line, 0);
  const double x = pi / (2 * line.height);
  // 1 - k^2 = (tanh^2 b - tanh^2 a) / tanh^2 b = sinh(b - a) sinh(b + a) / (cosh^2 a sinh^2 b),
  // at the arguments pi x / 2h.
  const double k = std::tanh(x * e.a) / std::tanh(x * e.b);
  const double rest = std::sinh(x * (e.b - e.a)) * std::sinh(x * (e.b + e.a)) /
                      std::pow(std::cosh(x * e.a) * std::sinh(x * e.b), 2);
  return Share(k, rest);
}

// Gupta et al.: the slot walls' air capacitance lowers eeff.
double LoweredForThickness(double eeff, double airShare, const CoplanarGeometry& line) {
  if (!(line.thickness > 0)) {
    return eeff;
  }
  const double walls = 0.7 * line.thickness / line.gap;
  return eeff - (eeff - 1) * walls / (airShare + walls);
}

double ThickAirShare(const CoplanarGeometry& line) {
  const double d = CoplanarThicknessWidening(line.width, line.thickness);
  return d < line.gap ? AirShare(EdgesOf(line, d)) : NAN;
}

}  // namespace

double CoplanarThicknessWidening(double width, double thickness) {
  if (!(thickness > 0)) {
    return 0;
  }
  return 1.25 * thickness / pi * (1 + std::log(4 * pi * width / thickness));
}

LineFigures CoplanarWaveguide(const CoplanarGeometry& line) {
  const double air = AirShare(EdgesOf(line, 0));
  const double eeff = 1 + (line.permittivity - 1) / 2 * SubstrateShare(line) / air;
  const double lowered = LoweredForThickness(eeff, air, line);
  return {exact::kEta0 / (4 * std::sqrt(lowered) * ThickAirShare(line)), lowered};
}

LineFigures GroundedCoplanarWaveguide(const CoplanarGeometry& line) {
  const double air = AirShare(EdgesOf(line, 0));
  const double thickAir = ThickAirShare(line);
  const double backed = BackedShare(line);
  const double eeff = (thickAir + line.permittivity * backed) / (thickAir + backed);
  const double lowered = LoweredForThickness(eeff, air, line);
  return {exact::kEta0 / (2 * std::sqrt(lowered) * (thickAir + backed)), lowered};
}

}  // namespace mq::reference
