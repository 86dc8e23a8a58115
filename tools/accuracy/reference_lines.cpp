// SPDX-License-Identifier: MIT
#include "tools/accuracy/reference_lines.h"

#include <cmath>
#include <numbers>

namespace mq::reference {

double CoaxImpedance(double innerDiameter, double outerDiameter, double permittivity) {
  return kEta0 / (2 * std::numbers::pi * std::sqrt(permittivity)) *
         std::log(outerDiameter / innerDiameter);
}

double StriplineImpedance(double width, double spacing, double permittivity) {
  const double x = std::numbers::pi * width / (2 * spacing);
  const double k = 1 / std::cosh(x);
  const double kPrime = std::tanh(x);
  return kEta0 / (4 * std::sqrt(permittivity)) * std::comp_ellint_1(k) / std::comp_ellint_1(kPrime);
}

namespace {

// Impedance of the air-filled line, Hammerstad-Jensen eq. (1)-(2).
double AirImpedance(double u) {
  const double pi = std::numbers::pi;
  const double f = 6 + (2 * pi - 6) * std::exp(-std::pow(30.666 / u, 0.7528));
  return kEta0 / (2 * pi) * std::log(f / u + std::sqrt(1 + 4 / (u * u)));
}

}  // namespace

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

}  // namespace mq::reference
