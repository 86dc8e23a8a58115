// SPDX-License-Identifier: MIT
#include "model/stripline.h"

#include <algorithm>
#include <cmath>

#include "model/constants.h"

namespace mq::stripline {
namespace {

using namespace mq::constants;

// Below sqrt(er) Z0 = 120 ohm the strip is wide and the low-impedance loss form holds.
bool IsLowImpedance(double permittivity, double impedance) {
  return std::sqrt(permittivity) * impedance < 120.0;
}

// A = 1 + 2W/(b - t) + (b + t)/(pi (b - t)) ln((2b - t)/t), Pozar's low-impedance factor of
// Wheeler's incremental-inductance loss.
double LowImpedanceLossFactor(const Line& line) {
  const double w = line.width;
  const double b = line.spacing;
  const double t = line.thickness;
  return (1.0 + (2.0 * w) / (b - t)) + ((b + t) / (kPi * (b - t))) * std::log(((2.0 * b) - t) / t);
}

// B = 1 + b/(0.5W + 0.7t) (0.5 + 0.414 t/W + 1/(2 pi) ln(4 pi W/t)), Pozar's high-impedance
// factor.
double HighImpedanceLossFactor(const Line& line) {
  const double w = line.width;
  const double b = line.spacing;
  const double t = line.thickness;
  return 1.0 + (b / ((0.5 * w) + (0.7 * t))) *
                   ((0.5 + (0.414 * t) / w) + kOneOverTwoPi * std::log((kFourPi * w) / t));
}

// Total loss in dB/m: ad = k tand / 2 (any TEM line, Pozar §3.1) plus Pozar's conductor loss
// ac = 2.7e-3 Rs er Z0 A / (30 pi (b - t)) below sqrt(er) Z0 = 120 ohm, 0.16 Rs B / (Z0 b) above.
double TotalAttenuation(const Line& line, double impedance) {
  const double rs = SurfaceResistance(line.frequency, line.conductivity);
  const double beta = PhaseConstant(line.frequency, line.permittivity);
  const double er = line.permittivity;
  const double lowFactor = LowImpedanceLossFactor(line);
  const double highFactor = HighImpedanceLossFactor(line);
  const double dielectricLoss = (beta * line.lossTangent) / 2.0;
  const double conductorLoss =
      IsLowImpedance(er, impedance)
          ? ((((0.0027 * rs) * er) * impedance) * lowFactor) /
                (kQuarterFreeSpaceImpedance * (line.spacing - line.thickness))
          : ((0.16 * rs) * highFactor) / (impedance * line.spacing);
  return (dielectricLoss + conductorLoss) * kDecibelsPerNeper;
}

}  // namespace

// Z0 = 30 pi / sqrt(er) * b / (We + 0.441 b) (Pozar eq. 3.179), with the effective width
// We = W - (0.35 - W/b)^2 b for W/b <= 0.35 (Pozar eq. 3.180).
double CharacteristicImpedance(double width, double spacing, double permittivity) {
  const double ratio = width / spacing;
  const double narrowness = std::max(0.0, 0.35 - ratio);
  const double effectiveWidth = width - (narrowness * narrowness) * spacing;
  return (kQuarterFreeSpaceImpedance / std::sqrt(permittivity)) *
         (spacing / (effectiveWidth + 0.441 * spacing));
}

// Inverse of the impedance form (Pozar eqs. 3.181, 3.182): x = We/b = 30 pi/(sqrt(er) Z0) -
// 0.441, and for narrow strips W/b = 0.85 - sqrt(0.6 - x), which undoes the effective-width
// correction. Above sqrt(er) Z0 of about 296 ohm it gives W <= 0: beyond the model's reach.
double SynthesizedWidth(double impedance, double spacing, double permittivity) {
  const double x = (kQuarterFreeSpaceImpedance / (std::sqrt(permittivity) * impedance)) - 0.441;
  if (IsLowImpedance(permittivity, impedance)) {
    return x * spacing;
  }
  return (0.85 - std::sqrt(0.6 - x)) * spacing;
}

AnalysisResult ComputeAnalysis(const AnalysisInput& input) {
  const Line& line = input.line;
  AnalysisResult result;
  result.impedance = CharacteristicImpedance(line.width, line.spacing, line.permittivity);
  const double beta = PhaseConstant(line.frequency, line.permittivity);
  result.electricalLength = (beta * input.length) / kRadiansPerDegree;
  result.attenuation = TotalAttenuation(line, result.impedance);
  return result;
}

SynthesisResult ComputeSynthesis(const SynthesisInput& input) {
  Line line = input.line;
  line.width = SynthesizedWidth(input.impedance, line.spacing, line.permittivity);
  SynthesisResult result;
  result.width = line.width;
  const double beta = PhaseConstant(line.frequency, line.permittivity);
  result.length = (input.electricalLength * kRadiansPerDegree) / beta;
  result.attenuation = TotalAttenuation(line, input.impedance);
  return result;
}

}  // namespace mq::stripline
