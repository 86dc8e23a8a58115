// SPDX-License-Identifier: MIT
// Quasi-static closed forms of a microstrip of zero thickness on a substrate over ground, as
// D. M. Pozar, Microwave Engineering, 4th ed., §3.8 gives them (after Hammerstad; Wheeler's
// synthesis). All quantities in SI units, angles in degrees.
#pragma once

namespace mq::microstrip {

struct Line {
  double width = 0;         // W, m
  double height = 0;        // h, substrate height, m
  double permittivity = 0;  // er
  double lossTangent = 0;   // tand
  double conductivity = 0;  // sigma, S/m
  double frequency = 0;     // f, Hz
};

struct AnalysisInput {
  Line line;
  double length = 0;  // L, m
};

struct AnalysisResult {
  double impedance = 0;         // ohm
  double electricalLength = 0;  // degrees
  double effectivePermittivity = 0;
  double attenuation = 0;  // dB/m
};

struct SynthesisInput {
  Line line;                    // its width is the unknown and is not read
  double impedance = 0;         // wanted Z0, ohm
  double electricalLength = 0;  // wanted theta, degrees
};

struct SynthesisResult {
  double width = 0;   // m
  double length = 0;  // m
  double effectivePermittivity = 0;
  double attenuation = 0;  // dB/m
};

double EffectivePermittivity(double width, double height, double permittivity);
double CharacteristicImpedance(double width, double height, double effectivePermittivity);
double SynthesizedWidth(double impedance, double height, double permittivity);

AnalysisResult ComputeAnalysis(const AnalysisInput& input);
SynthesisResult ComputeSynthesis(const SynthesisInput& input);

}  // namespace mq::microstrip
