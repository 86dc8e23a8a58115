// SPDX-License-Identifier: MIT
// A line's loss from its field solution: see model/line_loss.h.
#include "model/line_loss.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "published/djordjevic_sarkar.h"
#include "published/exact_constants.h"
#include "published/roughness.h"
#include "solver/field_solver.h"

namespace mq {
namespace {

using exact::kSpeedOfLight;

constexpr double kPi = std::numbers::pi;
constexpr double kMetresPerMm = 1e-3;
// Each surface recedes and advances by a hundredth of the line's smallest length: small enough
// that the central difference's own error (the square of the step) stays below 1e-4, large
// enough that the solver's error, the same on either side, leaves the difference alone.
constexpr double kRecessionStep = 0.01;
// A layer's permittivity is moved by one part in 1e4: the mesh is the same, so the solver's
// error cancels, and the one-sided difference errs by about that part.
constexpr double kPermittivityStep = 1e-4;

bool HasPlaneBelow(LineStructure s) {
  return s != LineStructure::kCoplanar && s != LineStructure::kCoplanarPair;
}

bool IsCoplanar(LineStructure s) {
  return s == LineStructure::kCoplanar || s == LineStructure::kCoplanarPair ||
         s == LineStructure::kGroundedCoplanar || s == LineStructure::kGroundedCoplanarPair;
}

bool HasLayerAbove(LineStructure s) {
  return s == LineStructure::kOffsetStripline || s == LineStructure::kOffsetStriplinePair ||
         s == LineStructure::kEmbeddedMicrostrip || s == LineStructure::kEmbeddedMicrostripPair;
}

bool HasMask(const LineInputs& in) {
  const LineStructure s = in.structure;
  return in.maskThickness > 0 &&
         (s == LineStructure::kCoatedMicrostrip || s == LineStructure::kCoatedMicrostripPair);
}

bool HasHeightAbove(LineStructure s) {
  return s == LineStructure::kOffsetStripline || s == LineStructure::kOffsetStriplinePair ||
         s == LineStructure::kBroadsidePair;
}

// The same conductors in air: a coat or a cover is then air too.
LineInputs InAir(LineInputs in) {
  switch (in.structure) {
    case LineStructure::kCoatedMicrostrip:
    case LineStructure::kEmbeddedMicrostrip:
      in.structure = LineStructure::kMicrostrip;
      break;
    case LineStructure::kCoatedMicrostripPair:
    case LineStructure::kEmbeddedMicrostripPair:
      in.structure = LineStructure::kMicrostripPair;
      break;
    default:
      break;
  }
  in.maskThickness = 0;
  in.permittivity = 1;
  in.permittivityAbove.reset();
  in.maskPermittivity = 1;
  return in;
}

// Every conductor surface moved into its conductor by n (mm): strips and grounds thinner and
// narrower, gaps and the planes' distances wider. A coplanar line without a plane sits on its
// substrate, which in air is nothing.
LineInputs Receded(LineInputs in, double n) {
  in.width -= 2 * n;
  if (in.topWidth) {
    *in.topWidth -= 2 * n;
  }
  if (in.groundWidth) {
    *in.groundWidth -= 2 * n;
  }
  in.thickness -= 2 * n;
  in.spacing += 2 * n;
  in.gap += 2 * n;
  if (HasPlaneBelow(in.structure)) {
    in.height += 2 * n;
  }
  if (HasHeightAbove(in.structure)) {
    in.heightAbove += 2 * n;
  }
  return in;
}

// The smallest length the recession changes, mm.
double SmallestLength(const LineInputs& in) {
  double smallest = std::min({in.thickness, in.width, in.topWidth.value_or(in.width)});
  if (IsPair(in.structure)) {
    smallest = std::min(smallest, in.spacing);
  }
  if (IsCoplanar(in.structure)) {
    smallest = std::min({smallest, in.gap, in.groundWidth.value_or(smallest)});
  }
  if (HasPlaneBelow(in.structure)) {
    smallest = std::min(smallest, in.height);
  }
  if (HasHeightAbove(in.structure)) {
    smallest = std::min(smallest, in.heightAbove);
  }
  const LineStructure s = in.structure;
  if (s == LineStructure::kStripline || s == LineStructure::kStriplinePair) {
    smallest = std::min(smallest, 0.5 * (in.height - in.thickness));  // the strip to each plane
  }
  return smallest;
}

struct Modes {
  field_solver::Answer single, even, odd;
};

std::optional<Modes> SolvedModes(const LineInputs& in, const std::atomic<bool>* stop) {
  const LineSolution solved = SolveLineInputs(in, stop);
  if (!solved.reason.empty()) {
    return std::nullopt;
  }
  return Modes{solved.single, solved.pair.even, solved.pair.odd};
}

// dZ0air/dn of each mode, ohm per metre.
std::optional<Modes> RecessionSlopes(const LineInputs& in, const std::atomic<bool>* stop) {
  const double step = kRecessionStep * SmallestLength(in);
  const auto receded = SolvedModes(InAir(Receded(in, step)), stop);
  const auto advanced = SolvedModes(InAir(Receded(in, -step)), stop);
  if (!receded || !advanced) {
    return std::nullopt;
  }
  const auto slope = [step](const field_solver::Answer& r, const field_solver::Answer& a) {
    field_solver::Answer answer;
    answer.impedance = (r.impedance - a.impedance) / (2 * step * kMetresPerMm);
    return answer;
  };
  return Modes{slope(receded->single, advanced->single), slope(receded->even, advanced->even),
               slope(receded->odd, advanced->odd)};
}

LineInputs Moved(LineInputs in, LossLayer layer, double factor) {
  switch (layer) {
    case LossLayer::kSubstrate:
      in.permittivity *= factor;
      break;
    case LossLayer::kAbove:
      *in.permittivityAbove *= factor;
      break;
    case LossLayer::kMask:
      in.maskPermittivity *= factor;
      break;
  }
  return in;
}

double PermittivityOf(const LineInputs& in, LossLayer layer) {
  return layer == LossLayer::kSubstrate ? in.permittivity
         : layer == LossLayer::kAbove   ? *in.permittivityAbove
                                        : in.maskPermittivity;
}

ModeLossBasis Mode(const field_solver::Answer& solved, const field_solver::Answer& slope) {
  return {solved.impedance, solved.permittivity, slope.impedance, {}};
}

// er_k d eeff / d er_k of each mode, appended to the modes' shares.
bool AddShares(const LineInputs& in, LossLayer layer, LossBasis& basis,
               const std::atomic<bool>* stop) {
  const auto moved = SolvedModes(Moved(in, layer, 1 + kPermittivityStep), stop);
  if (!moved) {
    return false;
  }
  const auto share = [](ModeLossBasis& mode, const field_solver::Answer& answer) {
    mode.shares.push_back((answer.permittivity - mode.permittivity) / kPermittivityStep);
  };
  share(basis.single, moved->single);
  share(basis.even, moved->even);
  share(basis.odd, moved->odd);
  return true;
}

std::vector<LossLayer> LayersOf(const LineInputs& in) {
  std::vector<LossLayer> layers = {LossLayer::kSubstrate};
  if (HasLayerAbove(in.structure) && in.permittivityAbove) {
    layers.push_back(LossLayer::kAbove);
  }
  if (HasMask(in)) {
    layers.push_back(LossLayer::kMask);
  }
  return layers;
}

// The DC resistance per metre of one line for a conductivity of 1 S/m: its strip's, with its
// side grounds' where they are of a given width (wide grounds and planes carry the return
// current over a width without end).
double DcResistance(const LineInputs& in) {
  const double area = in.thickness * 0.5 * (in.width + in.topWidth.value_or(in.width));
  double resistance = 1 / (area * kMetresPerMm * kMetresPerMm);
  if (IsCoplanar(in.structure) && in.groundWidth) {
    resistance += 1 / (2 * *in.groundWidth * in.thickness * kMetresPerMm * kMetresPerMm);
  }
  return resistance;
}

LossBasis Refused(std::string reason) {
  LossBasis basis;
  basis.reason = std::move(reason);
  return basis;
}

}  // namespace

LossBasis SolveLossBasis(const LineInputs& in, const LineSolution& solved,
                         const std::atomic<bool>* stop) {
  if (!solved.reason.empty()) {
    return Refused(solved.reason);
  }
  if (!(in.thickness > 0)) {
    return Refused("The conductor loss needs the copper's thickness.");
  }
  const auto slopes = RecessionSlopes(in, stop);
  if (!slopes) {
    return Refused("The conductor loss could not be solved for this line.");
  }
  LossBasis basis;
  basis.layers = LayersOf(in);
  basis.single = Mode(solved.single, slopes->single);
  basis.even = Mode(solved.pair.even, slopes->even);
  basis.odd = Mode(solved.pair.odd, slopes->odd);
  for (const LossLayer layer : basis.layers) {
    basis.permittivities.push_back(PermittivityOf(in, layer));
    if (!AddShares(in, layer, basis, stop)) {
      return Refused("The dielectric loss could not be solved for this line.");
    }
  }
  basis.dcResistance = DcResistance(in);
  basis.thickness = in.thickness * kMetresPerMm;
  return basis;
}

LossBasis SolveCoaxLossBasis(double inner, double outer, double permittivity) {
  const field_solver::Answer solved = field_solver::SolveCoax(inner, outer, permittivity);
  if (!solved.reason.empty()) {
    return Refused(solved.reason);
  }
  const double step = kRecessionStep * 0.5 * std::min(inner, outer - inner);
  const auto air = [&](double n) {
    return field_solver::SolveCoax(inner - 2 * n, outer + 2 * n, 1).impedance;
  };
  LossBasis basis;
  basis.layers = {LossLayer::kSubstrate};
  basis.permittivities = {permittivity};
  const double slope = (air(step) - air(-step)) / (2 * step * kMetresPerMm);
  // In one dielectric eeff is er, so er d eeff / d er is er.
  basis.single = {solved.impedance, solved.permittivity, slope, {permittivity}};
  const double radius = 0.5 * inner * kMetresPerMm;
  basis.dcResistance = 1 / (kPi * radius * radius);
  basis.thickness = radius;
  return basis;
}

ModeLoss LossAt(const ModeLossBasis& mode, const LossBasis& basis, const MaterialsAt& at) {
  ModeLoss loss;
  double eeff = mode.permittivity, lossy = 0;
  for (std::size_t k = 0; k < mode.shares.size(); ++k) {
    const double ratio = at.dk[k] / basis.permittivities[k];
    eeff += mode.shares[k] * (ratio - 1);
    lossy += mode.shares[k] * ratio * at.df[k];
  }
  loss.permittivity = eeff;
  loss.impedance = mode.impedance * std::sqrt(mode.permittivity / eeff);
  loss.dielectric = kPi * at.frequency * lossy / (kSpeedOfLight * std::sqrt(eeff));
  const double skin = kPi * at.frequency / kSpeedOfLight * mode.recessionSlope *
                      reference::SkinDepthMetres(at.frequency, at.conductivity) * at.roughness;
  const double dc = basis.dcResistance / at.conductivity;
  loss.conductor = std::hypot(dc, skin) / (2 * loss.impedance);
  return loss;
}

namespace {

double RoughnessFactor(const LossInputs& in, double skinDepth) {
  constexpr double kMetresPerUm = 1e-6;
  switch (in.roughness) {
    case RoughnessModel::kSmooth:
      return 1;
    case RoughnessModel::kHammerstad:
      return reference::HammerstadJensenRoughness(in.roughnessRms * kMetresPerUm, skinDepth);
    case RoughnessModel::kGroisse:
      return reference::GroisseRoughness(in.roughnessRms * kMetresPerUm, skinDepth);
    case RoughnessModel::kHuray:
      return reference::HurayRoughness(skinDepth,
                                       {in.noduleRadius * kMetresPerUm, in.surfaceRatio});
  }
  return 1;
}

// Each layer's Dk and Df at the frequency, the mask's with its own loss tangent.
void AddLayers(const LossBasis& basis, const LossInputs& in, double frequency, MaterialsAt& at) {
  for (std::size_t k = 0; k < basis.layers.size(); ++k) {
    const double dk = basis.permittivities[k];
    const double df = basis.layers[k] == LossLayer::kMask ? in.maskLossTangent : in.lossTangent;
    if (in.dielectric == DielectricModel::kConstant) {
      at.dk.push_back(dk);
      at.df.push_back(df);
      continue;
    }
    const auto debye = reference::FitWidebandDebye(dk, df, kDielectricFitFrequency);
    at.dk.push_back(reference::WidebandDk(debye, frequency));
    at.df.push_back(reference::WidebandDf(debye, frequency));
  }
}

}  // namespace

std::string InvalidLossInput(const LossInputs& in) {
  const bool rough =
      in.roughness == RoughnessModel::kHammerstad || in.roughness == RoughnessModel::kGroisse;
  if (!(in.conductivity > 0) || !std::isfinite(in.conductivity)) {
    return "The conductivity must be a positive number.";
  }
  if (!(in.lossTangent >= 0 && in.maskLossTangent >= 0) || !std::isfinite(in.lossTangent) ||
      !std::isfinite(in.maskLossTangent)) {
    return "A loss tangent must be a number from 0.";
  }
  if (rough && !(in.roughnessRms >= 0 && std::isfinite(in.roughnessRms))) {
    return "The roughness's rms height must be a number from 0.";
  }
  if (in.roughness == RoughnessModel::kHuray &&
      !(in.noduleRadius > 0 && std::isfinite(in.noduleRadius) && in.surfaceRatio >= 0 &&
        std::isfinite(in.surfaceRatio))) {
    return "Huray's nodule radius must be positive and the surface ratio a number from 0.";
  }
  return {};
}

LineLoss LossOfLine(const LossBasis& basis, const LossInputs& in, double frequency) {
  LineLoss loss;
  loss.skinDepth = reference::SkinDepthMetres(frequency, in.conductivity);
  loss.roughnessFactor = RoughnessFactor(in, loss.skinDepth);
  MaterialsAt at{frequency, in.conductivity, loss.roughnessFactor, {}, {}};
  AddLayers(basis, in, frequency, at);
  loss.single = LossAt(basis.single, basis, at);
  loss.even = LossAt(basis.even, basis, at);
  loss.odd = LossAt(basis.odd, basis, at);
  return loss;
}

touchstone::Rlgc RlgcOf(const ModeLoss& mode) {
  const double root = std::sqrt(mode.permittivity), z = mode.impedance;
  return {2 * z * mode.conductor, z * root / kSpeedOfLight, 2 * mode.dielectric / z,
          root / (z * kSpeedOfLight)};
}

}  // namespace mq
