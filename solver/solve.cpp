// SPDX-License-Identifier: MIT
// The field solver's solution. The unknown is the charge density on the strip, constant on each
// straight panel, with the potential matched at the panel midpoints (collocation). The dense
// system is solved by LU (Eigen).
//
// The answer is solved on a mesh and on the mesh with every panel cut in three. The coarse
// collocation points are the midpoints of the middle thirds, so the coarse system is a subset
// of the fine one and nothing is integrated twice. The fine result is Richardson-extrapolated
// and the difference of the two meshes gives the error estimate.
#include "solver/solve.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <future>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "published/exact_constants.h"
#include "solver/greens_functions.h"
#include "solver/mesh.h"

namespace mq::field_solver::detail {

namespace {

constexpr double kPi = std::numbers::pi;
using exact::kEta0;

bool Stopped(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load(std::memory_order_relaxed);
}

// Capacitance per unit length over 2 pi eps0: on the fine mesh, on the coarse one, and on the
// coarse one matched on average over each panel's thirds. The two coarse schemes err
// differently, so their changes from the fine mesh seldom both vanish by chance.
struct Capacitance {
  double fine = 0, coarse = 0, averaged = 0;
  std::vector<double> charges;  // fine
  bool stopped = false;
};

Capacitance Stop() {
  Capacitance none;
  none.stopped = true;
  return none;
}

// The charge density at unit potential; none when asked to stop, checked before each
// factorisation since the largest takes most of a slow solve's time after the assembly.
std::optional<Eigen::VectorXd> Density(const Eigen::MatrixXd& system,
                                       const std::atomic<bool>* stop) {
  if (Stopped(stop)) {
    return std::nullopt;
  }
  return system.partialPivLu().solve(Eigen::VectorXd::Ones(system.rows()));
}

Capacitance Solve(const Field& f, const Eigen::MatrixXd& fine, const std::atomic<bool>* stop) {
  const auto n = fine.rows();
  const auto m = n / kRefinement;
  Eigen::MatrixXd coarse(m, m), averaged(m, m);
  Eigen::VectorXd fineLength(n), coarseLength = Eigen::VectorXd::Zero(m);
  for (Eigen::Index j = 0; j < n; ++j) {
    fineLength(j) = f.panels[j].length;
    coarseLength(j / kRefinement) += f.panels[j].length;
  }
  // The coarse panel's charge is matched at the midpoint of its middle third: a row of the fine
  // system summed over the thirds of each coarse panel.
  for (Eigen::Index i = 0; i < m; ++i) {
    for (Eigen::Index j = 0; j < m; ++j) {
      const auto block = fine.block(kRefinement * i, kRefinement * j, kRefinement, kRefinement);
      coarse(i, j) = block.row(kRefinement / 2).sum();
      averaged(i, j) = block.sum() / kRefinement;
    }
  }
  const auto fineCharge = Density(fine, stop);
  const auto coarseCharge = Density(coarse, stop);
  const auto averagedCharge = Density(averaged, stop);
  if (!averagedCharge) {
    return Stop();
  }
  // A pair's mirror copy is the other strip: one strip's charge is half of what the copies hold.
  const int copies = IsPair(f) ? CopyCount(f) / 2 : CopyCount(f);
  return {copies * fineLength.dot(*fineCharge), copies * coarseLength.dot(*coarseCharge),
          copies * coarseLength.dot(*averagedCharge),
          std::vector<double>(fineCharge->begin(), fineCharge->end())};
}

struct Systems {
  Eigen::MatrixXd vacuum, dielectric;
  bool stopped = false;
};

// Which copies of each panel a system holds: all of them with their signs, or, for a pair whose
// two modes share one mesh, the strip's own copies alone or its mirror's alone, unsigned.
enum class Copies { kAll, kOwn, kMirror };

bool Holds(Copies copies, int c) {
  return copies == Copies::kAll || ((c & 1) != 0) == (copies == Copies::kMirror);
}

// Column by column, so that a raised stop flag ends even the largest assembly within a column's
// time (well under a millisecond).
Systems Assemble(const Field& f, bool dielectric, const std::atomic<bool>* stop,
                 Copies copies = Copies::kAll) {
  const auto n = static_cast<Eigen::Index>(f.panels.size());
  Systems s{Eigen::MatrixXd::Zero(n, n), Eigen::MatrixXd(dielectric ? n : 0, dielectric ? n : 0)};
  if (dielectric) {
    s.dielectric.setZero();
  }
  for (Eigen::Index j = 0; j < n; ++j) {
    if (Stopped(stop)) {
      s.stopped = true;
      return s;
    }
    for (int c = 0; c < CopyCount(f); ++c) {
      if (!Holds(copies, c)) {
        continue;
      }
      const Panel source = Copy(f, f.panels[j], c);
      const double sign = copies == Copies::kAll ? CopySign(f, c) : 1;
      for (Eigen::Index i = 0; i < n; ++i) {
        const Point p = f.panels[i].mid;
        if (f.shape == Shape::kStripline) {
          s.vacuum(i, j) += sign * StriplineInfluence(f, p, source);
          continue;
        }
        const Influence in = MicrostripInfluence(f, dielectric, p, source);
        s.vacuum(i, j) += sign * in.vacuum;
        if (dielectric) {
          s.dielectric(i, j) += sign * in.dielectric;
        }
      }
    }
  }
  return s;
}

// Z0 = 1 / (c0 sqrt(C C0)) with C and C0 over 2 pi eps0, and 1 / (2 pi eps0 c0) = eta0 / 2 pi.
double Impedance(double c, double c0) {
  return kEta0 / (2 * kPi * std::sqrt(c * c0));
}

// The figure from the two meshes: the fine one extrapolated, as the error falls about as the
// square of the panel size, and the larger change from either coarse scheme as the estimate
// (several times the error left in the extrapolated figure).
void Report(const Capacitance& filled, const Capacitance& vacuum, Answer& answer) {
  constexpr double kGain = kRefinement * kRefinement - 1;
  const double fine = Impedance(filled.fine, vacuum.fine);
  const double coarse = Impedance(filled.coarse, vacuum.coarse);
  const double averaged = Impedance(filled.averaged, vacuum.averaged);
  answer.impedance = fine + (fine - coarse) / kGain;
  const double fineRatio = filled.fine / vacuum.fine, coarseRatio = filled.coarse / vacuum.coarse;
  answer.permittivity *= fineRatio + (fineRatio - coarseRatio) / kGain;
  answer.estimate =
      std::max({std::fabs(fine - coarse), std::fabs(fine - averaged), kQuadratureError * fine}) /
      answer.impedance;
}

}  // namespace

// A library that leaves the upper halves of the AVX registers in use makes every SSE instruction
// after it wait on them until something clears them: Qt's start-up does so on the thread that
// builds the application, and threads started from it inherit the state, so there the solver ran
// ten times slower than in fieldcalc (150 ms against 13 for a thick 0.2 mm pair). Clearing the
// state on entry costs one instruction.
void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  static const bool avx = __builtin_cpu_supports("avx");
  if (avx) {
    asm volatile("vzeroupper" ::: "memory");
  }
#endif
}

Answer Refused(std::string_view reason) {
  Answer answer;
  answer.reason = reason;
  return answer;
}

namespace {

bool Dielectric(const Field& f) {
  return f.shape == Shape::kMicrostrip && f.k > 0;
}

// The answer from the field's assembled systems.
Answer Solved(std::shared_ptr<Field> field, const Systems& systems, double er,
              const std::atomic<bool>* stop) {
  const bool dielectric = Dielectric(*field);
  const Capacitance vacuum = systems.stopped ? Stop() : Solve(*field, systems.vacuum, stop);
  if (vacuum.stopped) {
    return Refused(kStopped);
  }
  Answer answer;
  // A homogeneous dielectric scales C by er: Z0 by 1/sqrt(er), the permittivity is er.
  answer.permittivity = dielectric ? 1 : er;
  if (dielectric) {
    const Capacitance filled = Solve(*field, systems.dielectric, stop);
    if (filled.stopped) {
      return Refused(kStopped);
    }
    Report(filled, vacuum, answer);
    field->charges = filled.charges;
  } else {
    Report(vacuum, vacuum, answer);
    answer.impedance /= std::sqrt(er);
    field->charges = vacuum.charges;
  }
  answer.estimate += field->leftOut;
  answer.field = std::move(field);
  return answer;
}

Systems Combined(const Systems& own, const Systems& mirror, double sign) {
  return {own.vacuum + sign * mirror.vacuum, own.dielectric + sign * mirror.dielectric,
          own.stopped || mirror.stopped};
}

}  // namespace

Answer Finish(std::shared_ptr<Field> field, double er, const std::atomic<bool>* stop) {
  field->panels = Mesh(*field);
  const Systems systems = Assemble(*field, Dielectric(*field), stop);
  return Solved(std::move(field), systems, er, stop);
}

// The two modes differ only in the sign of the mirror's charge: the strip's own influences and
// its mirror's are assembled once, and each mode's system is their sum or difference. For a
// large system the two halves of the work, and then the two modes, run side by side.
std::pair<Answer, Answer> FinishPair(std::shared_ptr<Field> even, std::shared_ptr<Field> odd,
                                     double er, const std::atomic<bool>* stop) {
  even->panels = Mesh(*even);
  odd->panels = even->panels;
  const bool dielectric = Dielectric(*even);
  // A thread pays only for a large system: below some hundred and fifty panels the whole pair
  // takes a few milliseconds, and waiting for a busy core would cost more.
  constexpr std::size_t kWorthAThread = 150;
  const auto policy =
      even->panels.size() > kWorthAThread ? std::launch::async : std::launch::deferred;
  auto mirrorTask =
      std::async(policy, [&] { return Assemble(*even, dielectric, stop, Copies::kMirror); });
  const Systems own = Assemble(*even, dielectric, stop, Copies::kOwn);
  const Systems mirror = mirrorTask.get();
  auto oddTask = std::async(
      policy, [&] { return Solved(std::move(odd), Combined(own, mirror, -1), er, stop); });
  Answer evenAnswer = Solved(std::move(even), Combined(own, mirror, 1), er, stop);
  return {std::move(evenAnswer), oddTask.get()};
}

}  // namespace mq::field_solver::detail
