// SPDX-License-Identifier: MIT
// The TEM coaxial line: an inner conductor of radius a inside an outer conductor of inner
// radius b, one dielectric between them (D. M. Pozar, Microwave Engineering, 4th ed., §2.2
// and §2.7).
#pragma once

namespace mq::coax {

struct Material {
  double permittivity = 0;  // er
  double lossTangent = 0;   // tand
  double conductivity = 0;  // sigma, S/m
  double frequency = 0;     // f, Hz
};

struct AnalysisInput {
  Material material;
  double innerRadius = 0;  // a, m
  double outerRadius = 0;  // b, m
  double length = 0;       // L, m
};

struct AnalysisResult {
  double impedance = 0;         // ohm
  double electricalLength = 0;  // degrees
  double attenuation = 0;       // dB/m
};

struct SynthesisInput {
  Material material;
  double outerRadius = 0;       // b, m, held fixed
  double impedance = 0;         // wanted Z0, ohm
  double electricalLength = 0;  // wanted theta, degrees
};

struct SynthesisResult {
  double innerRadius = 0;  // a, m
  double length = 0;       // m
  double attenuation = 0;  // dB/m
};

double WaveImpedance(double permittivity);
double CharacteristicImpedance(double innerRadius, double outerRadius, double permittivity);

AnalysisResult ComputeAnalysis(const AnalysisInput& input);
SynthesisResult ComputeSynthesis(const SynthesisInput& input);

}  // namespace mq::coax
