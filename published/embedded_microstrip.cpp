// SPDX-License-Identifier: MIT
// The IPC embedded microstrip (published/embedded_microstrip.h).
#include "published/embedded_microstrip.h"

#include <cmath>
#include <numbers>

#include "published/exact_constants.h"

namespace mq::reference {

LineFigures EmbeddedMicrostrip(double width, double height, double thickness, double cover,
                               double permittivity) {
  const double coverTop = height + thickness + cover;
  const double eeff = permittivity * -std::expm1(-1.55 * coverTop / height);
  const double logTerm = std::log(5.98 * height / (0.8 * width + thickness));
  // From 0.8 W + t = 5.98 h on (W/h near 7.5) the logarithm reaches zero and then turns
  // negative: no impedance, not a negative one.
  const double impedance = exact::kEta0 / (2 * std::numbers::pi) / std::sqrt(eeff) * logTerm;
  return {impedance > 0 ? impedance : NAN, eeff};
}

}  // namespace mq::reference
