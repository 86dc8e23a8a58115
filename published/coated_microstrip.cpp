// SPDX-License-Identifier: MIT
// The coated microstrip by Svačina's filling factors, Wan and Hoorfar's wide-strip branch
// (published/coated_microstrip.h).
#include "published/coated_microstrip.h"

#include <cmath>
#include <numbers>

#include "published/reference_lines.h"

namespace mq::reference {
namespace {

using std::numbers::pi;

double EffectiveWidth(double u) {
  return u + 2 / pi * std::log(17.08 * (u / 2 + 0.92));
}

double SubstrateShare(double we) {
  return 1 - std::log(pi * we - 1) / (2 * we);
}

// The air's share above a cover whose top is at H (in units of h).
double AirAbove(double we, double coverTop) {
  const double v = 2 / pi * std::atan(2 * pi * (coverTop - 1) / (pi * we - 4));
  const double angle = pi * v / 2;
  return (1 - v) / (2 * we) *
         std::log(2 * we * std::cos(angle) / (2 * coverTop - 1 + v) + std::sin(angle));
}

}  // namespace

double CoatedMicrostripMaskShare(double width, double height, double maskThickness) {
  const double we = EffectiveWidth(width / height);
  return 1 - AirAbove(we, 1 + maskThickness / height) / AirAbove(we, 1);
}

LineFigures CoatedMicrostrip(double width, double height, double thickness, double permittivity,
                             double maskThickness, double maskPermittivity) {
  const double plain = MicrostripThickEffectivePermittivity(width, height, thickness, permittivity);
  const double share = CoatedMicrostripMaskShare(width, height, maskThickness);
  const double above = 1 - SubstrateShare(EffectiveWidth(width / height));
  const double eeff = plain + share * above * (maskPermittivity - 1);
  const double z = MicrostripThickImpedance(width, height, thickness, permittivity);
  return {z * std::sqrt(plain / eeff), eeff};
}

}  // namespace mq::reference
