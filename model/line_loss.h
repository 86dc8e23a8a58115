// SPDX-License-Identifier: MIT
// A line's loss from its field solution, for any line model/line_check.h knows.
//
// Conductor loss by Wheeler's incremental-inductance rule (Wheeler, "Formulas for the skin
// effect", Proc. IRE 30, 1942): the skin effect's inductance is that of the air line with every
// conductor surface receded by half a skin depth, so R = (2 pi f / c0) dZ0air/dn * delta/2, with
// dZ0air/dn the air line's change of impedance per length every surface recedes, solved by the
// field solver on either side of the line as typed. The rough copper's factor multiplies it.
// Below about three skin depths of copper the resistance goes over to the DC resistance
// 1/(sigma A) of the strip (and of narrow side grounds) as the root of the sum of their squares,
// continuous and rising with frequency. alpha_c = R / (2 Z0).
//
// Dielectric loss from each layer's share of the effective permittivity: eeff'' = sum over the
// layers of d eeff / d er_k * er_k tan delta_k, alpha_d = pi f eeff'' / (c0 sqrt(eeff)); for a
// line in one dielectric exactly pi f sqrt(er) tan delta / c0. The shares are solved once per
// geometry, so a sweep over frequency (with each layer's Dk moving as its dielectric model says)
// costs no further solve: eeff follows the layers' Dk to first order.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "model/line_check.h"
#include "model/touchstone.h"

namespace mq {

// The dielectrics a line may have, each with its own Dk and Df.
enum class LossLayer { kSubstrate, kAbove, kMask };

// A mode's figures that do not depend on frequency.
struct ModeLossBasis {
  double impedance = kNoFigure;     // Z0, ohm
  double permittivity = kNoFigure;  // eeff
  double recessionSlope = 0;        // dZ0air/dn, ohm per metre of recession
  std::vector<double> shares;       // er_k d eeff / d er_k, in the order of LossBasis::layers
};

struct LossBasis {
  std::vector<LossLayer> layers;
  std::vector<double> permittivities;  // each layer's er as solved
  ModeLossBasis single, even, odd;     // a single line's, or a pair's modes
  double dcResistance = 0;             // ohm/m of one line, strip and narrow grounds
  double thickness = 0;                // m, the copper's
  std::string reason;                  // empty on success
};

// The solves a line's loss needs beside its own solution: the air line receded and advanced,
// each layer's permittivity moved. `solved` is SolveLineInputs(in).
LossBasis SolveLossBasis(const LineInputs& in, const LineSolution& solved,
                         const std::atomic<bool>* stop = nullptr);

// The same for a coaxial line of the given diameters (mm) in one dielectric; its outer
// conductor's return path is taken as wide.
LossBasis SolveCoaxLossBasis(double inner, double outer, double permittivity);

// The materials at one frequency: each layer's Dk and Df in LossBasis::layers' order.
struct MaterialsAt {
  double frequency = 0;     // Hz
  double conductivity = 0;  // S/m
  double roughness = 1;     // factor on the smooth surface resistance
  std::vector<double> dk, df;
};

struct ModeLoss {
  double impedance = kNoFigure, permittivity = kNoFigure;
  double conductor = kNoFigure, dielectric = kNoFigure;  // Np/m
  double Total() const { return conductor + dielectric; }
};

// A mode's loss at one frequency; the DC resistance is the line's.
ModeLoss LossAt(const ModeLossBasis& mode, const LossBasis& basis, const MaterialsAt& at);

// The copper's surface and the dielectrics' frequency dependence, as an engineer gives them.
enum class RoughnessModel { kSmooth, kHammerstad, kGroisse, kHuray };
enum class DielectricModel { kConstant, kDjordjevicSarkar };
struct LossInputs {
  double conductivity = 5.8e7;  // S/m
  double lossTangent = 0;       // every layer but the mask
  double maskLossTangent = 0;
  RoughnessModel roughness = RoughnessModel::kSmooth;
  double roughnessRms = 0;    // um: Hammerstad and Jensen's, Groisse's
  double noduleRadius = 0.5;  // um: Huray's
  double surfaceRatio = 2.9;  // Huray's
  DielectricModel dielectric = DielectricModel::kConstant;
};

// The wideband Debye model is fitted to the Dk and Df given as at 1 GHz, where laminate data
// sheets usually give them.
inline constexpr double kDielectricFitFrequency = 1e9;

// What is wrong with the loss inputs, in the words of a message; nothing when fine.
std::string InvalidLossInput(const LossInputs& in);

// A line's loss at one frequency (Hz): each mode's (a single line's in `single`), the skin depth
// (m) and the roughness factor.
struct LineLoss {
  ModeLoss single, even, odd;
  double skinDepth = 0;
  double roughnessFactor = 1;
};
LineLoss LossOfLine(const LossBasis& basis, const LossInputs& in, double frequency);

// A mode's per-metre R, L, G, C: R = 2 Z0 alpha_c, G = 2 alpha_d / Z0, L = Z0 sqrt(eeff) / c0,
// C = sqrt(eeff) / (Z0 c0).
touchstone::Rlgc RlgcOf(const ModeLoss& mode);

inline constexpr double kDecibelsPerNeper = 8.685889638065037;  // 20 / ln 10

}  // namespace mq
