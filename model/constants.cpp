// SPDX-License-Identifier: MIT
#include "model/constants.h"

#include <cmath>

namespace mq::constants {

// Rs = sqrt(w mu0 / (2 sigma)), the surface resistance of a good conductor (Pozar §1.7).
double SurfaceResistance(double frequency, double conductivity) {
  return std::sqrt(((frequency * kTwoPi) * kMu0) / (conductivity * 2.0));
}

// beta = w sqrt(e) / c, a TEM wave in a medium of dielectric constant e.
double PhaseConstant(double frequency, double dielectricConstant) {
  return ((frequency * kTwoPi) * std::sqrt(dielectricConstant)) / kSpeedOfLight;
}

}  // namespace mq::constants
