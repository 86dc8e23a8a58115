// SPDX-License-Identifier: MIT
// The general cross-section: the lines it knows built as layered stacks (solver/layered_outline.h),
// their input checked, and each solved (solver/layered_solve.h): a single line as one mode, a pair
// as its even and odd modes.
#include "solver/cross_section.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "solver/layered_outline.h"
#include "solver/layered_solve.h"
#include "solver/solve.h"

namespace mq::field_solver {

namespace {

using detail::Grounds;
using detail::Mode;
using detail::Stack;
using detail::Trace;

bool Coplanar(const Line& l) {
  return l.kind == LineKind::kCoplanar || l.kind == LineKind::kGroundedCoplanar;
}

// The line with what its kind does not use cleared, so that no unused field refuses it.
Line Relevant(Line l, bool pair) {
  if (!Coplanar(l)) {
    l.gap = 0;
    l.groundWidth.reset();
  }
  if (l.kind != LineKind::kCoatedMicrostrip) {
    l.mask.reset();
  }
  if (l.kind != LineKind::kEmbeddedMicrostrip && l.kind != LineKind::kOffsetStripline) {
    l.permittivityAbove.reset();
  }
  if (l.kind != LineKind::kOffsetStripline) {
    l.heightAbove = 0;
  }
  if (l.kind != LineKind::kEmbeddedMicrostrip) {
    l.cover = 0;
  }
  if (!pair) {
    l.spacing = 0;
  }
  return l;
}

bool Finite(const Line& l) {
  const Mask mask = l.mask.value_or(Mask{});
  for (double v :
       {l.width, l.topWidth.value_or(0), l.thickness, l.height, l.permittivity,
        l.permittivityAbove.value_or(1), l.heightAbove, l.cover, l.gap, l.groundWidth.value_or(0),
        mask.overSubstrate, mask.overTrace, mask.permittivity, l.spacing}) {
    if (!std::isfinite(v)) {
      return false;
    }
  }
  return true;
}

// The lengths and constants of any line.
std::string CommonCheck(const Line& l) {
  if (!Finite(l)) {
    return "Every length and constant must be a finite number.";
  }
  if (!(l.width > 0)) {
    return "Width must be greater than zero.";
  }
  if (!(l.height > 0)) {
    return "Height must be greater than zero.";
  }
  if (l.thickness < 0) {
    return "Thickness must not be negative.";
  }
  const double top = l.topWidth.value_or(l.width);
  if (!(top > 0)) {
    return "Top width must be greater than zero.";
  }
  if (top > l.width + 2 * l.thickness) {
    return "Top width must not exceed the width by more than twice the thickness.";
  }
  // Faces that lean more than 45 degrees make a thin wedge whose two faces the panels cannot
  // tell apart.
  if (top < l.width - 2 * l.thickness) {
    return "Top width must not be narrower than the width by more than twice the thickness.";
  }
  if (l.permittivity < 1 || l.permittivityAbove.value_or(1) < 1 ||
      (l.mask && l.mask->permittivity < 1)) {
    return "Dielectric constant must be at least 1 for the field solver.";
  }
  constexpr double kMaxPermittivity = 1000;
  if (std::max({l.permittivity, l.permittivityAbove.value_or(1),
                l.mask.value_or(Mask{}).permittivity}) > kMaxPermittivity) {
    return "Dielectric constant must not exceed 1000 for the field solver.";
  }
  return {};
}

// What each kind of line asks more.
std::string KindCheck(const Line& l, bool pair) {
  if (Coplanar(l) && !(l.gap > 0)) {
    return "Gap must be greater than zero.";
  }
  if (Coplanar(l) && l.groundWidth && !(*l.groundWidth > 0)) {
    return "Ground width must be greater than zero.";
  }
  if (l.mask && (l.mask->overSubstrate < 0 || l.mask->overTrace < 0 ||
                 ((l.mask->overSubstrate == 0) != (l.mask->overTrace == 0)))) {
    return "Solder mask must be thicker than zero over the substrate and over the strip.";
  }
  if (l.kind == LineKind::kOffsetStripline && !(l.heightAbove > 0)) {
    return "Height above the strip must be greater than zero.";
  }
  if (l.kind == LineKind::kEmbeddedMicrostrip && l.cover < 0) {
    return "Cover must not be negative.";
  }
  if (l.kind == LineKind::kStripline && l.thickness >= l.height) {
    return "Thickness must be smaller than height.";
  }
  if (pair && !(l.spacing > 0)) {
    return "Spacing must be greater than zero.";
  }
  if (l.kind == LineKind::kBroadside && !pair) {
    return "A broadside-coupled line is a pair.";
  }
  if (l.kind == LineKind::kBroadside && l.spacing + 2 * l.thickness >= l.height) {
    return "The strips and their spacing must fit between the planes.";
  }
  return {};
}

// Far beyond this the finest panels would number thousands: the lengths of the cross-section
// (but the copper's thickness, graded on its own) within this ratio of one another.
constexpr double kLengthRatio = 1000;

std::string RatioCheck(const Line& l) {
  const Mask mask = l.mask.value_or(Mask{});
  double least = HUGE_VAL, most = 0;
  for (double v : {l.width, l.topWidth.value_or(l.width), l.height, l.heightAbove, l.cover, l.gap,
                   l.groundWidth.value_or(0), mask.overSubstrate, mask.overTrace, l.spacing}) {
    if (v > 0) {
      least = std::min(least, v);
      most = std::max(most, v);
    }
  }
  if (most > kLengthRatio * least || l.thickness > kLengthRatio * least) {
    return "The lengths must lie within a ratio of 1000 of one another for the field solver.";
  }
  return {};
}

std::string Check(const Line& l, bool pair) {
  std::string reason = CommonCheck(l);
  if (reason.empty()) {
    reason = KindCheck(l, pair);
  }
  return reason.empty() ? RatioCheck(l) : reason;
}

// The line's strip in units of the height, centred at `centre`.
Trace Strip(const Line& l, double centre, int level, int signal = 1) {
  const double unit = l.height;
  return {centre, l.width / unit, l.topWidth.value_or(l.width) / unit, l.thickness / unit, level,
          signal, false};
}

// The coplanar grounds beside a strip centred at `centre`: their faces toward the gap etched as
// the strip's, and the wide ones reaching outward without end.
Trace SideGround(const Line& l, double centre) {
  const double unit = l.height, t = l.thickness / unit;
  const double inset = 0.5 * (l.width - l.topWidth.value_or(l.width)) / unit;
  const double inner = centre + 0.5 * l.width / unit + l.gap / unit;
  const double width = l.groundWidth ? *l.groundWidth / unit : 2 * (std::fabs(inset) + 1);
  return {inner + 0.5 * width, width, width - 2 * inset, t, 1, 0, !l.groundWidth};
}

Stack Build(const Line& l, double centre) {
  const double unit = l.height, t = l.thickness / unit;
  const double er = l.permittivity, above = l.permittivityAbove.value_or(er);
  Stack s;
  s.layers = {{1, er}};
  s.traces = {Strip(l, centre, 1)};
  switch (l.kind) {
    case LineKind::kMicrostrip:
      break;
    case LineKind::kCoatedMicrostrip:
      if (l.mask && l.mask->overSubstrate > 0) {
        s.coat = detail::Coat{l.mask->overSubstrate / unit, l.mask->overTrace / unit,
                              l.mask->permittivity};
      }
      break;
    case LineKind::kEmbeddedMicrostrip:
      if (t + l.cover > 0) {
        s.layers.push_back({t + l.cover / unit, above});
      }
      break;
    case LineKind::kStripline:
      s.layers = {{0.5 * (1 - t), er}, {0.5 * (1 + t), er}};
      s.grounds = Grounds::kBoth;
      break;
    case LineKind::kOffsetStripline:
      s.layers.push_back({t + l.heightAbove / unit, above});
      s.grounds = Grounds::kBoth;
      break;
    case LineKind::kCoplanar:
    case LineKind::kGroundedCoplanar:
      s.grounds = l.kind == LineKind::kCoplanar ? Grounds::kNone : Grounds::kBelow;
      s.traces.push_back(SideGround(l, centre));
      break;
    case LineKind::kBroadside: {
      // The lower strip's lower face (1 - s - 2t)/2 over the lower plane; the upper strip,
      // measured, its mirror in the middle plane.
      const double gap = l.spacing / unit, foot = 0.5 * (1 - gap - 2 * t);
      s.layers = {{foot, er}, {t + gap, er}, {foot + t, er}};
      s.grounds = Grounds::kBoth;
      s.traces = {Strip(l, 0, 2), Strip(l, 0, 1, 2)};
      break;
    }
  }
  return s;
}

// The answers' fields in the line's lengths as given.
std::vector<Answer> InUnit(std::vector<Answer> answers, double unit) {
  for (Answer& answer : answers) {
    if (answer.field) {
      auto field = std::make_shared<Field>(*answer.field);
      field->unit = unit;
      answer.field = std::move(field);
    }
  }
  return answers;
}

}  // namespace

Answer SolveLine(const Line& asked, const std::atomic<bool>* stop) {
  detail::ClearUpperVectorState();
  const Line line = Relevant(asked, false);
  if (std::string reason = Check(line, false); !reason.empty()) {
    return detail::Refused(reason);
  }
  return InUnit(detail::SolveModes(Build(line, 0), {Mode{}}, stop), line.height).front();
}

PairAnswer SolveLinePair(const Line& asked, const std::atomic<bool>* stop) {
  detail::ClearUpperVectorState();
  const Line line = Relevant(asked, true);
  PairAnswer pair;
  pair.reason = Check(line, true);
  if (!pair.reason.empty()) {
    pair.even = pair.odd = detail::Refused(pair.reason);
    return pair;
  }
  std::vector<Answer> modes;
  if (line.kind == LineKind::kBroadside) {
    modes = InUnit(detail::SolveModes(Build(line, 0), {{1, 1}, {1, -1}}, stop), line.height);
  } else {
    // A coplanar pair shares the gap between its strips; each strip keeps its outer ground.
    const double centre = 0.5 * (line.spacing + line.width) / line.height;
    modes = InUnit(detail::SolveModes(Build(line, centre), {{1, 1}, {-1, 1}}, stop), line.height);
  }
  pair.even = std::move(modes[0]);
  pair.odd = std::move(modes[1]);
  pair.reason = !pair.even.reason.empty() ? pair.even.reason : pair.odd.reason;
  pair.uncoupled = pair.reason.empty() && ModesAgree(pair);
  return pair;
}

}  // namespace mq::field_solver
