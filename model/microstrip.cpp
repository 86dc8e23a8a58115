// SPDX-License-Identifier: MIT
#include "model/microstrip.h"

#include <cmath>

#include "model/constants.h"

namespace mq::microstrip {
namespace {

using namespace mq::constants;

// ad = k0 er (eeff - 1) tand / (2 sqrt(eeff) (er - 1)) (Pozar eq. 3.198); an air substrate has
// no dielectric loss (there the form is 0/0). Uses the free-space wavenumber k0 as the textbook
// does: with the line's own beta the analysis reported up to 2.5 times the synthesis' loss for the
// same line.
double DielectricAttenuation(double frequency, double permittivity, double effective,
                             double lossTangent) {
  if (permittivity == 1.0) {
    return 0.0;
  }
  const double k0 = (frequency * kTwoPi) / kSpeedOfLight;
  return (((k0 * permittivity) * (effective - 1.0)) * lossTangent) /
         ((std::sqrt(effective) * 2.0) * (permittivity - 1.0));
}

// Total loss in dB/m; the conductor part is ac = Rs/(Z0 W) (Pozar eq. 3.199).
double TotalAttenuation(const Line& line, double effective, double impedance) {
  const double rs = SurfaceResistance(line.frequency, line.conductivity);
  const double conductorLoss = rs / (impedance * line.width);
  const double dielectricLoss =
      DielectricAttenuation(line.frequency, line.permittivity, effective, line.lossTangent);
  return (dielectricLoss + conductorLoss) * kDecibelsPerNeper;
}

}  // namespace

// eeff = (er+1)/2 + (er-1)/2 / sqrt(1 + 12h/W) (Pozar eq. 3.195); exactly 1 in air, where the
// second term is zero.
double EffectivePermittivity(double width, double height, double permittivity) {
  return (permittivity + 1.0) / 2.0 +
         ((permittivity - 1.0) / 2.0) * (1.0 / std::sqrt(1.0 + (height * 12.0) / width));
}

// Pozar eq. 3.196. Narrow strip (W/h < 1): Z0 = 60/sqrt(eeff) ln(8h/W + W/(4h)); the log term
// is the textbook's W/(4h), not (W/4)h, which would add square metres to a pure number.
// Wide strip: Z0 = 120 pi / (sqrt(eeff) (W/h + 1.393 + 0.667 ln(W/h + 1.444))).
double CharacteristicImpedance(double width, double height, double effective) {
  const double ratio = width / height;
  if (ratio < 1.0) {
    return (60.0 / std::sqrt(effective)) *
           std::log((height * 8.0) / width + width / (4.0 * height));
  }
  return kFreeSpaceImpedance /
         (std::sqrt(effective) * ((ratio + 1.393) + 0.667 * std::log(ratio + 1.444)));
}

// Wheeler's synthesis (Pozar eq. 3.197): W/h = 8 e^A / (e^2A - 2) for narrow strips, and for
// W/h > 2 W/h = 2/pi (B - 1 - ln(2B - 1) + (er - 1)/(2 er) (ln(B - 1) + 0.39 - 0.61/er)), the
// textbook's last term (Pozar Example 3.7 gives W/h 3.081 for 50 ohm on er 2.2).
// A ratio that is not positive means the narrow form has left its range: the wide form holds,
// so a negative width is never returned.
double SynthesizedWidth(double impedance, double height, double permittivity) {
  const double er = permittivity;
  const double a = (impedance / 60.0) * std::sqrt((er + 1.0) / 2.0) +
                   ((er - 1.0) / (er + 1.0)) * (0.23 + 0.11 / er);
  const double b = kRoundedFreeSpaceImpedanceTimesPi / ((impedance * 2.0) * std::sqrt(er));
  const double narrow = ((std::exp(a) * 8.0) / (std::exp(a * 2.0) - 2.0)) * height;
  const double narrowRatio = narrow / height;
  if (narrowRatio > 0.0 && !(narrowRatio > 2.0)) {
    return narrow;
  }
  return kTwoOverPi *
         ((b - 1.0) - std::log(b * 2.0 - 1.0) +
          ((er - 1.0) / (er * 2.0)) * ((std::log(b - 1.0) + 0.39) - 0.61 / er)) *
         height;
}

AnalysisResult ComputeAnalysis(const AnalysisInput& input) {
  const Line& line = input.line;
  AnalysisResult result;
  result.effectivePermittivity = EffectivePermittivity(line.width, line.height, line.permittivity);
  const double beta = PhaseConstant(line.frequency, result.effectivePermittivity);
  result.electricalLength = (beta * input.length) / kRadiansPerDegree;
  result.impedance = CharacteristicImpedance(line.width, line.height, result.effectivePermittivity);
  result.attenuation = TotalAttenuation(line, result.effectivePermittivity, result.impedance);
  return result;
}

SynthesisResult ComputeSynthesis(const SynthesisInput& input) {
  Line line = input.line;
  line.width = SynthesizedWidth(input.impedance, line.height, line.permittivity);
  SynthesisResult result;
  result.width = line.width;
  result.effectivePermittivity = EffectivePermittivity(line.width, line.height, line.permittivity);
  const double beta = PhaseConstant(line.frequency, result.effectivePermittivity);
  result.length = (input.electricalLength * kRadiansPerDegree) / beta;
  result.attenuation = TotalAttenuation(line, result.effectivePermittivity, input.impedance);
  return result;
}

}  // namespace mq::microstrip
