// SPDX-License-Identifier: MIT
// The general cross-section: the lines it knows built as layered stacks (solver/layered_outline.h),
// their input checked, and the solution. The unknowns are the charge density on the conductors
// and the bound charge density on the dielectric boundaries, constant on each panel, matched at
// the panel midpoints: the potential on the conductors, and on a boundary between e1 and e2 the
// continuity of the normal D, (e1 + e2) sigma pi = (e1 - e2) En (En the field of every other
// charge, in units of 1 / 2 pi eps0). The free charge of a conductor is its total charge times
// the permittivity outside it; a strip of no thickness between two media has e1 on one face and
// e2 on the other, so its free charge is (e1 + e2)/2 sigma + (e2 - e1) En / 2 pi. C0 is the same
// without the dielectrics, Z0 = 1 / (c0 sqrt(C C0)), eeff = C / C0. Without a ground plane the
// potential far off is a further unknown and the total charge is zero.
//
// As solver/solve.h, each system is solved on a mesh and on the mesh with every panel cut in
// three, the coarse system a subset of the fine one, and the fine figure is extrapolated. That
// is done on two such meshes, the second with twice the panels of the first; the estimate is the
// larger of twice the change between them and the second's own extrapolation (SolveModes).
#include "solver/cross_section.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <future>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "published/exact_constants.h"
#include "solver/layered_outline.h"
#include "solver/mesh.h"
#include "solver/solve.h"

namespace mq::field_solver {

namespace {

using detail::Grounds;
using detail::Layout;
using detail::Role;
using detail::Stack;
using detail::StackLayer;
using detail::Trace;
using Eigen::Index;
using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double kPi = std::numbers::pi;
constexpr int kThirds = detail::kRefinement;

bool Stopped(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load(std::memory_order_relaxed);
}

// ---- The systems ----

// The potential rows (conductors) and normal-field rows (boundaries, and strips of no thickness
// between two media) of every panel's own charge and of its mirror image's.
struct Influences {
  MatrixXd potential, normal;
};

bool NeedsNormal(const detail::PanelRole& r) {
  return r.role == Role::kInterface || r.step != 0;
}

std::optional<std::pair<Influences, Influences>> Assemble(const Layout& l,
                                                          const std::atomic<bool>* stop) {
  const auto n = static_cast<Index>(l.panels.size());
  Influences own{MatrixXd::Zero(n, n), MatrixXd::Zero(n, n)}, mirror = own;
  for (Index j = 0; j < n; ++j) {
    if (Stopped(stop)) {
      return std::nullopt;
    }
    const detail::Panel& source = l.panels[j];
    detail::Panel image = source;
    image.a.x = -image.a.x, image.b.x = -image.b.x, image.mid.x = -image.mid.x;
    for (Index i = 0; i < n; ++i) {
      const detail::Panel& p = l.panels[i];
      if (l.roles[i].role == Role::kConductor) {
        own.potential(i, j) = PanelPotential(l.enclosure, p.mid, source);
        mirror.potential(i, j) = PanelPotential(l.enclosure, p.mid, image);
      }
      if (NeedsNormal(l.roles[i])) {
        // The panel's normal: its direction turned a quarter to the left.
        const double nx = -(p.b.y - p.a.y) / p.length, ny = (p.b.x - p.a.x) / p.length;
        const detail::Point e = PanelField(l.enclosure, p.mid, source, i == j);
        const detail::Point m = PanelField(l.enclosure, p.mid, image, false);
        own.normal(i, j) = nx * e.x + ny * e.y;
        mirror.normal(i, j) = nx * m.x + ny * m.y;
      }
    }
  }
  return std::make_pair(std::move(own), std::move(mirror));
}

// One system to solve: matrix, right-hand side, the functional that gives the measured strip's
// free charge, and the panel lengths (for the zero total charge without a ground plane).
struct System {
  MatrixXd matrix;
  VectorXd rhs, functional, lengths;
  VectorXd conductor;    // 1 on a conductor's row: where the potential far off is felt
  bool neutral = false;  // no ground plane: the total charge is zero
};

// The coarse system: matched at the midpoints of the middle thirds, a subset of the fine one.
System Coarse(const System& fine) {
  const Index m = fine.matrix.rows() / kThirds;
  System coarse{MatrixXd(m, m),    VectorXd(m),       VectorXd::Zero(m),
                VectorXd::Zero(m), VectorXd::Zero(m), fine.neutral};
  for (Index i = 0; i < m; ++i) {
    for (Index j = 0; j < m; ++j) {
      const auto block = fine.matrix.block(kThirds * i, kThirds * j, kThirds, kThirds);
      coarse.matrix(i, j) = block.row(kThirds / 2).sum();
    }
    coarse.rhs(i) = fine.rhs(kThirds * i);
    coarse.conductor(i) = fine.conductor(kThirds * i);
    coarse.functional(i) = fine.functional.segment(kThirds * i, kThirds).sum();
    coarse.lengths(i) = fine.lengths.segment(kThirds * i, kThirds).sum();
  }
  return coarse;
}

// The measured strip's free charge over 2 pi eps0; none when asked to stop.
std::optional<double> Charge(const System& s, const std::atomic<bool>* stop) {
  if (Stopped(stop)) {
    return std::nullopt;
  }
  if (!s.neutral) {
    return s.functional.dot(s.matrix.partialPivLu().solve(s.rhs));
  }
  // The potential far off is a further unknown, felt on the conductors alone; the total
  // charge is zero.
  const Index n = s.matrix.rows();
  MatrixXd a = MatrixXd::Zero(n + 1, n + 1);
  a.topLeftCorner(n, n) = s.matrix;
  a.block(0, n, n, 1) = s.conductor;
  a.block(n, 0, 1, n) = s.lengths.transpose();
  VectorXd b = VectorXd::Zero(n + 1);
  b.head(n) = s.rhs;
  return s.functional.dot(a.partialPivLu().solve(b).head(n));
}

// Capacitance over 2 pi eps0 on the mesh and on the coarse one.
struct Pair {
  double fine = 0, coarse = 0;
};

std::optional<Pair> Capacitance(const System& fine, double copies, const std::atomic<bool>* stop) {
  const auto f = Charge(fine, stop);
  const auto c = Charge(Coarse(fine), stop);
  if (!f || !c) {
    return std::nullopt;
  }
  return Pair{copies * *f, copies * *c};
}

// A mode: the charge of the mirror image against its original (a pair's other strip, or a
// single strip's other half), and the potential of a broadside pair's other strip.
struct Mode {
  double sign = 1;
  double other = 1;
};

// The potential a trace is held at in the mode.
double Held(const Trace& t, Mode mode) {
  return t.signal == 1 ? 1 : t.signal == 2 ? mode.other : 0;
}

System WithDielectrics(const Layout& l, const Stack& stack, const Influences& own,
                       const Influences& mirror, Mode mode) {
  const auto n = static_cast<Index>(l.panels.size());
  const MatrixXd potential = own.potential + mode.sign * mirror.potential;
  const MatrixXd normal = own.normal + mode.sign * mirror.normal;
  System s{MatrixXd(n, n), VectorXd::Zero(n), VectorXd::Zero(n),
           VectorXd(n),    VectorXd::Zero(n), stack.grounds == Grounds::kNone && mode.sign > 0};
  for (Index i = 0; i < n; ++i) {
    const detail::PanelRole& r = l.roles[i];
    const double length = l.panels[i].length;
    s.lengths(i) = length;
    if (r.role == Role::kInterface) {
      s.matrix.row(i) = -r.contrast * normal.row(i);
      s.matrix(i, i) += kPi;
      continue;
    }
    const Trace& trace = stack.traces[r.trace];
    s.matrix.row(i) = potential.row(i);
    s.rhs(i) = Held(trace, mode);
    s.conductor(i) = 1;
    if (trace.signal == 1) {
      s.functional(i) += length * r.weight;
      if (r.step != 0) {
        s.functional += length * r.step / (2 * kPi) * normal.row(i).transpose();
      }
    }
  }
  return s;
}

// The same conductors in vacuum: their rows alone.
System InVacuum(const Layout& l, const Stack& stack, const Influences& own,
                const Influences& mirror, Mode mode) {
  std::vector<Index> rows;
  for (std::size_t i = 0; i < l.roles.size(); ++i) {
    if (l.roles[i].role == Role::kConductor) {
      rows.push_back(static_cast<Index>(i));
    }
  }
  const auto n = static_cast<Index>(rows.size());
  System s{MatrixXd(n, n), VectorXd(n),       VectorXd::Zero(n),
           VectorXd(n),    VectorXd::Ones(n), stack.grounds == Grounds::kNone && mode.sign > 0};
  for (Index i = 0; i < n; ++i) {
    for (Index j = 0; j < n; ++j) {
      s.matrix(i, j) =
          own.potential(rows[i], rows[j]) + mode.sign * mirror.potential(rows[i], rows[j]);
    }
    const Trace& trace = stack.traces[l.roles[rows[i]].trace];
    s.lengths(i) = l.panels[rows[i]].length;
    s.rhs(i) = Held(trace, mode);
    s.functional(i) = trace.signal == 1 ? s.lengths(i) : 0;
  }
  return s;
}

// The permittivity of a cross-section in one medium, or none.
std::optional<double> Homogeneous(const Layout& l) {
  const double first = l.roles.front().weight;
  for (const detail::PanelRole& r : l.roles) {
    if (r.role == Role::kInterface || r.step != 0 || r.weight != first) {
      return std::nullopt;
    }
  }
  return first;
}

// Z0 = 1 / (c0 sqrt(C C0)) with C and C0 over 2 pi eps0, and 1 / (2 pi eps0 c0) = eta0 / 2 pi.
double Impedance(double c, double c0) {
  return exact::kEta0 / (2 * kPi * std::sqrt(c * c0));
}

// As solver/solve.h: the fine figure extrapolated, as the error falls about as the square of the
// panel size; here the estimate is the extrapolation's own size, what is left of the fine
// mesh's error (its bound for a figure that converges from one side).
Answer Reported(const Pair& filled, const Pair& vacuum) {
  constexpr double kGain = kThirds * kThirds - 1;
  const double fine = Impedance(filled.fine, vacuum.fine);
  const double coarse = Impedance(filled.coarse, vacuum.coarse);
  Answer answer;
  answer.impedance = fine + (fine - coarse) / kGain;
  const double fineRatio = filled.fine / vacuum.fine, coarseRatio = filled.coarse / vacuum.coarse;
  answer.permittivity = fineRatio + (fineRatio - coarseRatio) / kGain;
  answer.estimate = std::fabs(fine - coarse) / kGain / answer.impedance;
  return answer;
}

// The measured strip is its own mirror when centred: its charge is twice its half's.
double Copies(const Stack& stack) {
  for (const Trace& t : stack.traces) {
    if (t.signal == 1) {
      return t.centre == 0 ? 2 : 1;
    }
  }
  return 1;
}

Answer SolveMode(const Layout& l, const Stack& stack, const Influences& own,
                 const Influences& mirror, Mode mode, const std::atomic<bool>* stop) {
  const double copies = Copies(stack);
  const auto vacuum = Capacitance(InVacuum(l, stack, own, mirror, mode), copies, stop);
  if (!vacuum) {
    return detail::Refused(kStopped);
  }
  if (const auto er = Homogeneous(l)) {
    const Pair filled{*er * vacuum->fine, *er * vacuum->coarse};
    return Reported(filled, *vacuum);
  }
  const auto filled = Capacitance(WithDielectrics(l, stack, own, mirror, mode), copies, stop);
  if (!filled) {
    return detail::Refused(kStopped);
  }
  return Reported(*filled, *vacuum);
}

// The modes solved on one mesh: each figure extrapolated from the mesh and its cut in three.
std::vector<Answer> SolveOnMesh(const Stack& stack, const std::vector<Mode>& modes,
                                const std::atomic<bool>* stop) {
  const Layout layout = detail::MeshStack(stack, detail::kQuadratureDigits);
  const auto influences = Assemble(layout, stop);
  if (!influences) {
    return std::vector<Answer>(modes.size(), detail::Refused(kStopped));
  }
  std::vector<std::future<Answer>> tasks;
  for (std::size_t k = 1; k < modes.size(); ++k) {
    tasks.push_back(std::async(std::launch::async, [&, k] {
      return SolveMode(layout, stack, influences->first, influences->second, modes[k], stop);
    }));
  }
  std::vector<Answer> answers = {
      SolveMode(layout, stack, influences->first, influences->second, modes[0], stop)};
  for (auto& task : tasks) {
    answers.push_back(task.get());
  }
  return answers;
}

// The two meshes: the answer is the denser one's, and the estimate holds both what its figure
// changed from the sparser one, of half the panels (twice it: enough where the error falls but
// as the panel size, and it falls as its square), and its own extrapolation. The denser mesh
// has about kPanels fine panels, within twice or half the usual density: a solve's time is
// mostly the factorisation, as the cube of the panels.
constexpr double kPanels = 300;
constexpr double kLeastDensity = 0.5, kMostDensity = 2;

// Whether each trace lies within the layer above its boundary, under no plane.
bool Fits(const Stack& stack) {
  const auto top = static_cast<int>(stack.layers.size());
  return std::all_of(stack.traces.begin(), stack.traces.end(), [&](const Trace& t) {
    return t.level > 0 && (t.level < top ? t.thickness <= stack.layers[t.level].thickness
                                         : stack.grounds != Grounds::kBoth);
  });
}

std::vector<Answer> SolveModes(const Stack& stack, const std::vector<Mode>& modes,
                               const std::atomic<bool>* stop) {
  if (!Fits(stack)) {
    return std::vector<Answer>(modes.size(), detail::Refused("The layers do not fit."));
  }
  const double usual = static_cast<double>(detail::MeshStack(stack, 0).panels.size());
  Stack sparse = stack, dense = stack;
  dense.density = std::clamp(kPanels / usual, kLeastDensity, kMostDensity);
  sparse.density = 0.5 * dense.density;
  // The sparse mesh costs an eighth of the dense one: beside it on a core of its own.
  auto sparseTask =
      std::async(std::launch::async, [&] { return SolveOnMesh(sparse, modes, stop); });
  std::vector<Answer> second = SolveOnMesh(dense, modes, stop);
  const std::vector<Answer> first = sparseTask.get();
  for (std::size_t k = 0; k < modes.size(); ++k) {
    Answer& answer = second[k];
    if (!answer.reason.empty() || !first[k].reason.empty()) {
      answer = detail::Refused(kStopped);
      continue;
    }
    const double change = std::fabs(answer.impedance - first[k].impedance) / answer.impedance;
    answer.estimate = std::max({2 * change, answer.estimate, detail::kQuadratureError});
  }
  return second;
}

// ---- The lines ----

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

// The single line's figures lie between the even mode's and the odd mode's, so where the two
// agree within their estimate each is the single line within it (as solver/field_solver.h).
bool Uncoupled(const PairAnswer& pair) {
  const double e = std::max(pair.even.estimate, pair.odd.estimate);
  return std::fabs(pair.even.impedance - pair.odd.impedance) <= e * pair.odd.impedance &&
         std::fabs(pair.even.permittivity - pair.odd.permittivity) <= 2 * e * pair.odd.permittivity;
}

}  // namespace

Answer SolveLine(const Line& asked, const std::atomic<bool>* stop) {
  detail::ClearUpperVectorState();
  const Line line = Relevant(asked, false);
  if (std::string reason = Check(line, false); !reason.empty()) {
    return detail::Refused(reason);
  }
  return SolveModes(Build(line, 0), {Mode{}}, stop).front();
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
    modes = SolveModes(Build(line, 0), {{1, 1}, {1, -1}}, stop);
  } else {
    // A coplanar pair shares the gap between its strips; each strip keeps its outer ground.
    const double centre = 0.5 * (line.spacing + line.width) / line.height;
    modes = SolveModes(Build(line, centre), {{1, 1}, {-1, 1}}, stop);
  }
  pair.even = std::move(modes[0]);
  pair.odd = std::move(modes[1]);
  pair.reason = !pair.even.reason.empty() ? pair.even.reason : pair.odd.reason;
  pair.uncoupled = pair.reason.empty() && Uncoupled(pair);
  return pair;
}

}  // namespace mq::field_solver
