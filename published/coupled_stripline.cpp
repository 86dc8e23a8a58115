// SPDX-License-Identifier: MIT
#include "published/coupled_stripline.h"

#include <cmath>
#include <numbers>

#include "published/exact_constants.h"
#include "published/reference_lines.h"

namespace mq::reference {
namespace {

using std::numbers::pi;

// K(k')/K(k) = AGM(1, k')/AGM(1, k), with k' from 1 - k given apart so that it keeps its digits
// where k lies near 1 (wide strips, close edges).
double ModulusRatio(double k, double oneMinusK) {
  const double kPrime = std::sqrt(oneMinusK * (1 + k));
  return ArithmeticGeometricMean(1, kPrime) / ArithmeticGeometricMean(1, k);
}

}  // namespace

PairImpedances CoupledStripline(double width, double spacing, double planeSpacing,
                                double permittivity) {
  const double a = pi * width / (2 * planeSpacing);
  const double c = pi * (width + spacing) / (2 * planeSpacing);
  const double scale = exact::kEta0 / (4 * std::sqrt(permittivity));
  // 1 - tanh a tanh c = cosh(c - a) / (cosh a cosh c); 1 - tanh a / tanh c = sinh(c - a) /
  // (cosh a sinh c).
  const double even = std::tanh(a) * std::tanh(c);
  const double odd = std::tanh(a) / std::tanh(c);
  return {scale * ModulusRatio(even, std::cosh(c - a) / (std::cosh(a) * std::cosh(c))),
          scale * ModulusRatio(odd, std::sinh(c - a) / (std::cosh(a) * std::sinh(c)))};
}

PairImpedances CoupledThickStripline(double width, double spacing, double planeSpacing,
                                     double thickness, double permittivity) {
  const double b = planeSpacing, t = thickness;
  // At t = 0 the second term is 0 times the log of 0: its limit, 0.
  const double corner = t > 0 ? t / b * std::log(t * (2 * b - t) / ((b - t) * (b - t))) : 0;
  const double fringe = 2 * std::log((2 * b - t) / (b - t)) - corner;
  const double theta = pi * spacing / (2 * b);
  const double evenShare = 1 + std::log(1 + std::tanh(theta)) / std::numbers::ln2;
  const double oddShare = 1 + std::log(1 + 1 / std::tanh(theta)) / std::numbers::ln2;
  const double scale = exact::kEta0 / 4 * (b - t) / std::sqrt(permittivity);
  return {scale / (width + b * fringe * evenShare / (2 * pi)),
          scale / (width + b * fringe * oddShare / (2 * pi))};
}

}  // namespace mq::reference
