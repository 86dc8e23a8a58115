// SPDX-License-Identifier: MIT
// Closed forms of a symmetric stripline: a strip of width W and thickness t centred between two
// ground planes b apart, one dielectric filling the space. The impedance ignores t (Wheeler's
// effective-width form); t enters only the conductor loss (low- and high-impedance forms).
// The forms are those of D. M. Pozar, Microwave Engineering, 4th ed., §3.7.
#pragma once

namespace mq::stripline {

struct Line {
  double width = 0;         // W, m
  double spacing = 0;       // b, ground-plane spacing, m
  double thickness = 0;     // t, m
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
  double attenuation = 0;       // dB/m
};

struct SynthesisInput {
  Line line;                    // its width is the unknown and is not read
  double impedance = 0;         // wanted Z0, ohm
  double electricalLength = 0;  // wanted theta, degrees
};

struct SynthesisResult {
  double width = 0;        // m; not positive when the impedance is beyond the model's reach
  double length = 0;       // m
  double attenuation = 0;  // dB/m
};

double CharacteristicImpedance(double width, double spacing, double permittivity);
double SynthesizedWidth(double impedance, double spacing, double permittivity);

AnalysisResult ComputeAnalysis(const AnalysisInput& input);
SynthesisResult ComputeSynthesis(const SynthesisInput& input);

}  // namespace mq::stripline
