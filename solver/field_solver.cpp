// SPDX-License-Identifier: MIT
// The field solver: boundary elements on the conductor outline with the structure's own Green's
// function, so the open top of the microstrip and the unbounded sides need no box. This file
// holds what the program asks of it: the checks of the input and the ranges the solver is known
// to meet its accuracy over, the cross-sections it knows (a strip on either page, a pair of
// strips as one strip and its mirror, the coaxial line in closed form) and the potential drawn
// from the solved charges.
//
// The parts, each with its method and sources: solver/quadrature.h (the integrals over a panel),
// solver/image_series.h (the microstrip's image series), solver/greens_functions.h (the
// kernels), solver/mesh.h (the graded panels), solver/solve.h (the two meshes' solution and the
// error estimate).
#include "solver/field_solver.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "published/exact_constants.h"
#include "solver/field.h"
#include "solver/greens_functions.h"
#include "solver/layered_solve.h"
#include "solver/mesh.h"
#include "solver/solve.h"

namespace mq::field_solver {

namespace {

using detail::Shape;

constexpr double kPi = std::numbers::pi;
using exact::kEta0;

// The solver's refusals of lengths and constants that no line has.
namespace refusal {
constexpr std::string_view kWidth = "Width must be greater than zero.";
constexpr std::string_view kHeight = "Height must be greater than zero.";
constexpr std::string_view kPermittivity = "Dielectric constant must be greater than zero.";
constexpr std::string_view kThicknessNotSmaller = "Thickness must be smaller than height.";
constexpr std::string_view kInnerDiameter = "Inner diameter must be greater than zero.";
constexpr std::string_view kOuterDiameter = "Outer diameter must greater than zero.";
constexpr std::string_view kInnerNotSmaller = "Inner diameter must be smaller than outer diameter.";
}  // namespace refusal

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

// The ratios over which the mesh and the series are known to meet the stated accuracy and time;
// the microstrip's copper may stand twice the core's height (70 um on a 50 um core).
constexpr double kMinWidthRatio = 0.01;
constexpr double kMaxWidthRatio = 100;
constexpr double kMaxMicrostripThickness = 2;
constexpr double kMaxStriplineThickness = 0.8;
constexpr double kMaxPermittivity = 1000;

std::string StripCheck(double w, double h, double t, double er, Shape shape) {
  const bool microstrip = shape == Shape::kMicrostrip;
  if (!Positive(w)) {
    return std::string(refusal::kWidth);
  }
  if (!Positive(h)) {
    return std::string(refusal::kHeight);
  }
  if (!std::isfinite(t) || t < 0) {
    return "Thickness must not be negative.";
  }
  if (!microstrip && t >= h) {
    return std::string(refusal::kThicknessNotSmaller);
  }
  if (!Positive(er)) {
    return std::string(refusal::kPermittivity);
  }
  if (er < 1) {
    return "Dielectric constant must be at least 1 for the field solver.";
  }
  if (er > kMaxPermittivity) {
    return "Dielectric constant must not exceed 1000 for the field solver.";
  }
  const std::string ratio = microstrip ? "h" : "b";
  if (!(w / h >= kMinWidthRatio && w / h <= kMaxWidthRatio)) {
    return "W/" + ratio + " must lie between 0.01 and 100 for the field solver.";
  }
  if (t / h > (microstrip ? kMaxMicrostripThickness : kMaxStriplineThickness)) {
    return "t/" + ratio + " must not exceed " + (microstrip ? "2" : "0.8") +
           " for the field solver.";
  }
  return {};
}

// Where a pair's strip lies (its centre, in units of the height) and the charge of its mirror,
// the other strip, for the mode solved; a single strip is its own mirror.
struct Mirror {
  double offset = 0;
  double sign = 1;
};

// The field of a strip of either page, with `density` times the usual panels and quadrature to
// `digits`, its input checked.
std::shared_ptr<Field> StripField(Shape shape, double width, double height, double thickness,
                                  double er, double density, double digits, Mirror mirror = {}) {
  auto field = std::make_shared<Field>();
  field->shape = shape;
  field->unit = height;
  field->height = 1;
  field->width = width / height;
  field->density = density;
  field->digits = digits;
  field->offset = mirror.offset;
  field->sign = mirror.sign;
  detail::SetThickness(*field, thickness / height);
  if (shape == Shape::kMicrostrip) {
    field->k = (er - 1) / (er + 1);
    field->series = detail::ImageSeries(field->k);
  } else {
    field->quarter = field->thickness > 0;
  }
  return field;
}

Answer SolveStrip(Shape shape, double width, double height, double thickness, double er,
                  const std::atomic<bool>* stop, double density, double digits) {
  detail::ClearUpperVectorState();
  if (std::string reason = StripCheck(width, height, thickness, er, shape); !reason.empty()) {
    return detail::Refused(reason);
  }
  return detail::Finish(StripField(shape, width, height, thickness, er, density, digits), er, stop);
}

}  // namespace

Answer SolveMicrostrip(double width, double height, double thickness, double permittivity,
                       const std::atomic<bool>* stop) {
  return SolveStrip(Shape::kMicrostrip, width, height, thickness, permittivity, stop, 1,
                    detail::kQuadratureDigits);
}

Answer SolveStripline(double width, double spacing, double thickness, double permittivity,
                      const std::atomic<bool>* stop) {
  return SolveStrip(Shape::kStripline, width, spacing, thickness, permittivity, stop, 1,
                    detail::kQuadratureDigits);
}

namespace {

// Closer than the least spacing the gap's panels would outnumber the rest.
constexpr double kMinSpacingRatio = 0.01;
// Farther apart than this both modes are the single line's. There the solved pair's modes differ
// from the single line by at most 4e-7 (measured over W/h 0.01-100, t/h to 2, er 1-1000: most
// at W/h 100 in air), a twentieth of the least estimate there, falling as (h/s)^2 on the
// microstrip and as exp(-pi s/b) on the stripline, so the handover moves no figure by more than
// its estimate. Beyond it the pair's lengths, measured from its centre, lose the digits of its
// edges: 3e-6 at s/h 1e6 on a strip 0.01 wide and 1e-6 thick, more than the estimate by 1e9.
constexpr double kFarthestSolved = 1e4;

std::string SpacingCheck(double spacing, double height, const std::string& heightName) {
  if (!Positive(spacing)) {
    return "Spacing must be greater than zero.";
  }
  if (!(spacing / height >= kMinSpacingRatio)) {
    return "s/" + heightName + " must be at least 0.01 for the field solver.";
  }
  return {};
}

// Both modes of the pair, each one strip with its mirror; past the farthest spacing solved the
// single line's figures for both.
PairAnswer SolvePair(Shape shape, double width, double spacing, double height, double thickness,
                     double permittivity, const std::atomic<bool>* stop) {
  detail::ClearUpperVectorState();
  PairAnswer pair;
  pair.reason = StripCheck(width, height, thickness, permittivity, shape);
  if (pair.reason.empty()) {
    pair.reason = SpacingCheck(spacing, height, shape == Shape::kMicrostrip ? "h" : "b");
  }
  if (!pair.reason.empty()) {
    pair.even = pair.odd = detail::Refused(pair.reason);
    return pair;
  }
  if (spacing / height > kFarthestSolved) {
    pair.even = pair.odd = SolveStrip(shape, width, height, thickness, permittivity, stop, 1,
                                      detail::kQuadratureDigits);
  } else {
    const auto mode = [&](double sign) {
      return StripField(shape, width, height, thickness, permittivity, 1, detail::kQuadratureDigits,
                        {0.5 * (spacing + width) / height, sign});
    };
    std::tie(pair.even, pair.odd) = detail::FinishPair(mode(1), mode(-1), permittivity, stop);
  }
  pair.reason = !pair.even.reason.empty() ? pair.even.reason : pair.odd.reason;
  pair.uncoupled = pair.reason.empty() && ModesAgree(pair);
  return pair;
}

}  // namespace

PairAnswer SolveMicrostripPair(double width, double spacing, double height, double thickness,
                               double permittivity, const std::atomic<bool>* stop) {
  return SolvePair(Shape::kMicrostrip, width, spacing, height, thickness, permittivity, stop);
}

PairAnswer SolveStriplinePair(double width, double spacing, double planeSpacing, double thickness,
                              double permittivity, const std::atomic<bool>* stop) {
  return SolvePair(Shape::kStripline, width, spacing, planeSpacing, thickness, permittivity, stop);
}

// The tests' references, not for the program (declared by tools/field_reference alone): the
// same solve on `density` times the panels, with quadrature to about 1e-16 and every thickness
// solved as it is.
namespace reference {
Answer SolveRefined(bool microstrip, double width, double height, double thickness,
                    double permittivity, double density) {
  constexpr double kDigits = 18.5;  // ln(1e16) / 2
  return SolveStrip(microstrip ? Shape::kMicrostrip : Shape::kStripline, width, height, thickness,
                    permittivity, nullptr, density, kDigits);
}
}  // namespace reference

Answer SolveCoax(double innerDiameter, double outerDiameter, double permittivity) {
  if (!Positive(innerDiameter)) {
    return detail::Refused(refusal::kInnerDiameter);
  }
  if (!Positive(outerDiameter)) {
    return detail::Refused(refusal::kOuterDiameter);
  }
  if (innerDiameter >= outerDiameter) {
    return detail::Refused(refusal::kInnerNotSmaller);
  }
  if (!std::isfinite(outerDiameter / innerDiameter)) {
    return detail::Refused("D/d is too large for the field solver.");
  }
  if (!Positive(permittivity)) {
    return detail::Refused(refusal::kPermittivity);
  }
  if (permittivity < 1) {
    return detail::Refused("Dielectric constant must be at least 1 for the field solver.");
  }
  auto field = std::make_shared<Field>();
  field->inner = 0.5 * innerDiameter;
  field->height = 0.5 * outerDiameter;
  Answer answer;
  answer.impedance =
      kEta0 / (2 * kPi * std::sqrt(permittivity)) * std::log(outerDiameter / innerDiameter);
  answer.permittivity = permittivity;
  answer.field = std::move(field);
  return answer;
}

namespace {

// The potential of the strip's solved charges at p, a point in units of the height above the
// (lower) ground plane.
double StripPotential(const Field& f, detail::Point p) {
  const bool inSlab = f.shape == Shape::kMicrostrip && p.y < f.height;
  double sum = 0;
  for (std::size_t j = 0; j < f.panels.size(); ++j) {
    for (int c = 0; c < detail::CopyCount(f); ++c) {
      const detail::Panel q = detail::Copy(f, f.panels[j], c);
      const double influence = f.shape == Shape::kStripline ? detail::StriplineInfluence(f, p, q)
                               : inSlab                     ? detail::SlabInfluence(f, p, q)
                                                            : detail::AirInfluence(f, p, q);
      sum += detail::CopySign(f, c) * f.charges[j] * influence;
    }
  }
  return sum;
}

}  // namespace

double Potential(const Answer& answer, double x, double y) {
  detail::ClearUpperVectorState();
  const Field* f = answer.field.get();
  if (f == nullptr || !answer.reason.empty()) {
    return 0;
  }
  if (f->shape == Shape::kCoax && !f->layered) {
    const double r = std::hypot(x, y);
    return r <= f->inner    ? 1
           : r >= f->height ? 0
                            : std::log(f->height / r) / std::log(f->height / f->inner);
  }
  x /= f->unit;
  y /= f->unit;
  // Farther off than a double's range of heights the field has fallen to nothing.
  constexpr double kFarthest = 1e150;
  if (!(std::fabs(x) < kFarthest && std::fabs(y) < kFarthest)) {
    return 0;
  }
  if (f->layered) {
    return detail::LayeredPotential(*f->layered, {x, y});
  }
  if (y <= 0 || (f->shape == Shape::kStripline && y >= f->height)) {
    return 0;
  }
  return StripPotential(*f, {x, y});
}

// The single line's figures lie between the even mode's and the odd mode's (Ze > Z0 > Zo), so
// where the two modes agree within their estimate each is the single line within it.
bool ModesAgree(const PairAnswer& pair) {
  const double e = std::max(pair.even.estimate, pair.odd.estimate);
  return std::fabs(pair.even.impedance - pair.odd.impedance) <= e * pair.odd.impedance &&
         std::fabs(pair.even.permittivity - pair.odd.permittivity) <= 2 * e * pair.odd.permittivity;
}

}  // namespace mq::field_solver
