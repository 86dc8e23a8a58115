// SPDX-License-Identifier: MIT
// The layered cross-section's solution. The unknowns are the charge density on the conductors and
// the bound charge density on the dielectric boundaries, constant on each panel, matched at the
// panel midpoints: the potential on the conductors, and on a boundary between e1 and e2 the
// continuity of the normal D, (e1 + e2) sigma pi = (e1 - e2) En (En the field of every other
// charge, in units of 1 / 2 pi eps0). The free charge of a conductor is its total charge times
// the permittivity outside it; a strip of no thickness between two media has e1 on one face and
// e2 on the other, so its free charge is (e1 + e2)/2 sigma + (e2 - e1) En / 2 pi. C0 is the same
// without the dielectrics, Z0 = 1 / (c0 sqrt(C C0)), eeff = C / C0. Without a ground plane the
// potential far off is a further unknown and the total charge is zero. The dense systems are
// solved by LU (Eigen).
//
// As solver/solve.h, each system is solved on a mesh and on the mesh with every panel cut in
// three, the coarse system a subset of the fine one, and the fine figure is extrapolated. That
// is done on two such meshes, the second with twice the panels of the first; the estimate is the
// larger of twice the change between them and the second's own extrapolation (SolveModes).
#include "solver/layered_solve.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "published/exact_constants.h"
#include "solver/mesh.h"
#include "solver/solve.h"

namespace mq::field_solver::detail {

namespace {

using Eigen::Index;
using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double kPi = std::numbers::pi;
constexpr int kThirds = kRefinement;

bool Stopped(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load(std::memory_order_relaxed);
}

// The potential rows (conductors) and normal-field rows (boundaries, and strips of no thickness
// between two media) of every panel's own charge and of its mirror image's.
struct Influences {
  MatrixXd potential, normal;
};

// The panel's mirror image in x = 0.
Panel Mirrored(Panel p) {
  p.a.x = -p.a.x, p.b.x = -p.b.x, p.mid.x = -p.mid.x;
  return p;
}

bool NeedsNormal(const PanelRole& r) {
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
    const Panel& source = l.panels[j];
    const Panel image = Mirrored(source);
    for (Index i = 0; i < n; ++i) {
      const Panel& p = l.panels[i];
      if (l.roles[i].role == Role::kConductor) {
        own.potential(i, j) = PanelPotential(l.enclosure, p.mid, source);
        mirror.potential(i, j) = PanelPotential(l.enclosure, p.mid, image);
      }
      if (NeedsNormal(l.roles[i])) {
        // The panel's normal: its direction turned a quarter to the left.
        const double nx = -(p.b.y - p.a.y) / p.length, ny = (p.b.x - p.a.x) / p.length;
        const Point e = PanelField(l.enclosure, p.mid, source, i == j);
        const Point m = PanelField(l.enclosure, p.mid, image, false);
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

// Each panel's charge density, then the potential far off where it is unknown; none when asked
// to stop.
std::optional<VectorXd> Solution(const System& s, const std::atomic<bool>* stop) {
  if (Stopped(stop)) {
    return std::nullopt;
  }
  if (!s.neutral) {
    return VectorXd(s.matrix.partialPivLu().solve(s.rhs));
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
  return VectorXd(a.partialPivLu().solve(b));
}

// The measured strip's free charge over 2 pi eps0, the solution kept where asked.
std::optional<double> Charge(const System& s, const std::atomic<bool>* stop,
                             VectorXd* kept = nullptr) {
  auto x = Solution(s, stop);
  if (!x) {
    return std::nullopt;
  }
  const double charge = s.functional.dot(x->head(s.matrix.rows()));
  if (kept != nullptr) {
    *kept = std::move(*x);
  }
  return charge;
}

// Capacitance over 2 pi eps0 on the mesh and on the coarse one.
struct Pair {
  double fine = 0, coarse = 0;
};

std::optional<Pair> Capacitance(const System& fine, double copies, const std::atomic<bool>* stop,
                                VectorXd* kept = nullptr) {
  const auto f = Charge(fine, stop, kept);
  const auto c = Charge(Coarse(fine), stop);
  if (!f || !c) {
    return std::nullopt;
  }
  return Pair{copies * *f, copies * *c};
}

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
    const PanelRole& r = l.roles[i];
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
  for (const PanelRole& r : l.roles) {
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

// The conductors' panels, in the order of the system in vacuum.
std::vector<Panel> ConductorPanels(const Layout& l) {
  std::vector<Panel> panels;
  for (std::size_t i = 0; i < l.roles.size(); ++i) {
    if (l.roles[i].role == Role::kConductor) {
      panels.push_back(l.panels[i]);
    }
  }
  return panels;
}

std::shared_ptr<const Field> Drawable(const Layout& l, std::vector<Panel> panels,
                                      const VectorXd& solution, Mode mode) {
  auto charges = std::make_shared<LayeredCharges>();
  const auto n = static_cast<Index>(panels.size());
  charges->panels = std::move(panels);
  charges->charges.assign(solution.data(), solution.data() + n);
  charges->enclosure = l.enclosure;
  charges->sign = mode.sign;
  charges->far = solution.size() > n ? solution(n) : 0;
  auto field = std::make_shared<Field>();
  field->layered = std::move(charges);
  return field;
}

Answer SolveMode(const Layout& l, const Stack& stack, const Influences& own,
                 const Influences& mirror, Mode mode, const std::atomic<bool>* stop) {
  const double copies = Copies(stack);
  VectorXd charges;
  const auto vacuum = Capacitance(InVacuum(l, stack, own, mirror, mode), copies, stop, &charges);
  if (!vacuum) {
    return Refused(kStopped);
  }
  if (const auto er = Homogeneous(l)) {
    const Pair filled{*er * vacuum->fine, *er * vacuum->coarse};
    Answer answer = Reported(filled, *vacuum);
    answer.field = Drawable(l, ConductorPanels(l), charges, mode);
    return answer;
  }
  const auto filled =
      Capacitance(WithDielectrics(l, stack, own, mirror, mode), copies, stop, &charges);
  if (!filled) {
    return Refused(kStopped);
  }
  Answer answer = Reported(*filled, *vacuum);
  answer.field = Drawable(l, l.panels, charges, mode);
  return answer;
}

// The modes solved on one mesh: each figure extrapolated from the mesh and its cut in three.
std::vector<Answer> SolveOnMesh(const Stack& stack, const std::vector<Mode>& modes,
                                const std::atomic<bool>* stop) {
  const Layout layout = MeshStack(stack, kQuadratureDigits);
  const auto influences = Assemble(layout, stop);
  if (!influences) {
    return std::vector<Answer>(modes.size(), Refused(kStopped));
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

}  // namespace

double LayeredPotential(const LayeredCharges& c, Point p) {
  const Enclosure& e = c.enclosure;
  if ((e.grounds != Grounds::kNone && p.y <= 0) || (e.grounds == Grounds::kBoth && p.y >= e.top)) {
    return 0;
  }
  double sum = c.far;
  for (std::size_t j = 0; j < c.panels.size(); ++j) {
    sum += c.charges[j] * (PanelPotential(e, p, c.panels[j]) +
                           c.sign * PanelPotential(e, p, Mirrored(c.panels[j])));
  }
  return sum;
}

std::vector<Answer> SolveModes(const Stack& stack, const std::vector<Mode>& modes,
                               const std::atomic<bool>* stop) {
  if (!Fits(stack)) {
    return std::vector<Answer>(modes.size(), Refused("The layers do not fit."));
  }
  const double usual = static_cast<double>(MeshStack(stack, 0).panels.size());
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
      answer = Refused(kStopped);
      continue;
    }
    const double change = std::fabs(answer.impedance - first[k].impedance) / answer.impedance;
    answer.estimate = std::max({2 * change, answer.estimate, kQuadratureError});
    answer.field = first[k].field;  // fewer panels to draw from
  }
  return second;
}

}  // namespace mq::field_solver::detail
