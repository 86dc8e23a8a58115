// SPDX-License-Identifier: MIT
#include "model/coax.h"

#include <cmath>

#include "model/constants.h"

namespace mq::coax {
namespace {

using namespace mq::constants;

// ac = Rs/(4 pi Z0) (1/a + 1/b), the conductor loss of the perturbation method (Pozar §2.7),
// and ad = k tand / 2. The total is given in dB/m (Np/m times 8.69), the unit the page shows.
double TotalAttenuation(const Material& material, double innerRadius, double outerRadius,
                        double impedance) {
  const double rs = SurfaceResistance(material.frequency, material.conductivity);
  const double beta = PhaseConstant(material.frequency, material.permittivity);
  const double conductorLoss =
      (rs / (impedance * kFourPi)) * ((1.0 / innerRadius) + (1.0 / outerRadius));
  const double dielectricLoss = (beta * material.lossTangent) / 2.0;
  return (dielectricLoss + conductorLoss) * kDecibelsPerNeper;
}

}  // namespace

// eta = sqrt(mu0 / (er eps0))
double WaveImpedance(double permittivity) {
  return std::sqrt(kMu0 / (permittivity * kEps0));
}

// Z0 = eta/(2 pi) ln(b/a) (Pozar eq. 2.32)
double CharacteristicImpedance(double innerRadius, double outerRadius, double permittivity) {
  return (WaveImpedance(permittivity) / kTwoPi) * std::log(outerRadius / innerRadius);
}

AnalysisResult ComputeAnalysis(const AnalysisInput& input) {
  const Material& material = input.material;
  AnalysisResult result;
  const double beta = PhaseConstant(material.frequency, material.permittivity);
  result.impedance =
      CharacteristicImpedance(input.innerRadius, input.outerRadius, material.permittivity);
  result.electricalLength = (beta * input.length) / kRadiansPerDegree;
  result.attenuation =
      TotalAttenuation(material, input.innerRadius, input.outerRadius, result.impedance);
  return result;
}

// a = b / exp(2 pi Z0 / eta), the inverse of the impedance relation.
SynthesisResult ComputeSynthesis(const SynthesisInput& input) {
  const Material& material = input.material;
  SynthesisResult result;
  const double beta = PhaseConstant(material.frequency, material.permittivity);
  const double eta = WaveImpedance(material.permittivity);
  result.innerRadius = input.outerRadius / std::exp(((input.impedance * 2.0) * kPi) / eta);
  result.length = (input.electricalLength * kRadiansPerDegree) / beta;
  result.attenuation =
      TotalAttenuation(material, result.innerRadius, input.outerRadius, input.impedance);
  return result;
}

}  // namespace mq::coax
