// SPDX-License-Identifier: MIT
// The field solver's side of the cross-check: each page's cross-section solved from its field
// texts, its loss basis, and the width (inner diameter) the solver needs for the page's
// Impedance field.
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "model/cross_check.h"
#include "model/figure_words.h"
#include "model/line_loss.h"
#include "model/line_models.h"
#include "published/reference_lines.h"
#include "published/root_finder.h"

namespace mq {
namespace {

namespace msg = messages;

double Read(const FieldSet& fields, std::string_view name) {
  return ReadAsThePagesDo(fields, name);
}

// Where the solver's width search starts: the published model's width, else the height.
double StartingWidth(const std::function<double(double)>& exactOfRatio, double wanted,
                     double height) {
  const auto search = reference::SolveWidth(exactOfRatio, wanted, 0.01, 100);
  return height * (search.outcome == reference::WidthSearch::Outcome::kFound ? search.width : 1);
}

// The slope of ln Z0 against ln W, from the published model, which follows the solver's within
// a few percent: an impedance off by e moves the width by e over it.
double Slope(const std::function<double(double)>& exactOfRatio, double ratio) {
  constexpr double kStep = 1e-3;
  return std::log(exactOfRatio(ratio * std::exp(kStep)) / exactOfRatio(ratio * std::exp(-kStep))) /
         (2 * kStep);
}

std::string Unreached(const roots::Root& root, const field_solver::Answer& last,
                      const char* ratio) {
  using Outcome = roots::Root::Outcome;
  switch (root.outcome) {
    case Outcome::kBeyondLowest:
    case Outcome::kBeyondHighest:
      return "Impedance is " + std::string(root.miss > 0 ? "below" : "above") + " the solver's " +
             Figure(last.impedance, 4) + " ohm at " + ratio + ' ' +
             (root.outcome == Outcome::kBeyondLowest ? "0.01" : "100") + ", the end of its range.";
    case Outcome::kStopped:
      return std::string(field_solver::kStopped);
    case Outcome::kUnsettled:
      return "The field solver's width search did not settle.";
    default:
      return last.reason;
  }
}

// The solver's width for the wanted impedance: published/root_finder.h on ln W against ln Z0
// over the solver's range of W/h, from the published model's width, to within the solver's own
// estimate.
void SolveWidthFor(SolvedPage& solved, double wanted, double height,
                   const std::function<double(double)>& exactOfRatio,
                   const std::function<field_solver::Answer(double)>& solve, const char* ratio,
                   const std::atomic<bool>* stop) {
  if (!(wanted > 0 && std::isfinite(wanted)) || !(height > 0 && std::isfinite(height))) {
    solved.widthReason = std::string(msg::kImpedance);
    return;
  }
  field_solver::Answer last;
  const auto miss = [&](double lnW) {
    last = solve(std::exp(lnW));
    return last.reason.empty() ? roots::Miss{std::log(last.impedance / wanted), last.estimate}
                               : roots::Miss{};
  };
  // Just inside the solver's range, so that rounding in exp(ln W) never steps past its ends.
  const double lnH = std::log(height);
  const roots::Range range{lnH + std::log(0.01) + 1e-9, lnH + std::log(100) - 1e-9,
                           std::log(StartingWidth(exactOfRatio, wanted, height)), false};
  const roots::Root root = roots::FindRoot(miss, range, stop);
  if (root.outcome != roots::Root::Outcome::kFound) {
    solved.widthReason = Unreached(root, last, ratio);
    return;
  }
  solved.width = std::exp(root.x);
  solved.widthEstimate =
      last.estimate / std::max(std::fabs(Slope(exactOfRatio, solved.width / height)), 1e-3);
}

// The strip's loss basis on the cross-section the page's analysis solved, which is the line's
// own solution there: model/line_check.h solves its microstrip and stripline the same way.
std::shared_ptr<const LossBasis> StripLossBasis(LineStructure structure, double w, double h,
                                                double t, double er,
                                                const field_solver::Answer& analysis,
                                                const std::atomic<bool>* stop) {
  LossBasis refused;
  refused.reason = !analysis.reason.empty() ? analysis.reason
                   : !(t > 0) ? "The solution's conductor loss needs the strip's thickness."
                              : "";
  if (!refused.reason.empty()) {
    return std::make_shared<const LossBasis>(std::move(refused));
  }
  LineInputs in;
  in.structure = structure;
  in.width = w, in.height = h, in.thickness = t, in.permittivity = er;
  LineSolution solved;
  solved.single = analysis;
  return std::make_shared<const LossBasis>(SolveLossBasis(in, solved, stop));
}

SolvedPage SolveMicrostripPage(const FieldSet& f, double t, const std::atomic<bool>* stop) {
  SolvedPage solved;
  const double w = Read(f, "WidthField"), h = Read(f, "HeightField");
  const double er = Read(f, "DiConstField");
  const auto solve = [&](double width) {
    return field_solver::SolveMicrostrip(width, h, t, er, stop);
  };
  solved.analysis = solve(w);
  solved.loss = StripLossBasis(LineStructure::kMicrostrip, w, h, t, er, solved.analysis, stop);
  const auto exact = [er](double u) { return reference::MicrostripImpedance(u, 1, er); };
  SolveWidthFor(solved, Read(f, "ImpField"), h, exact, solve, "W/h", stop);
  return solved;
}

SolvedPage SolveStriplinePage(const FieldSet& f, const std::atomic<bool>* stop) {
  SolvedPage solved;
  const double w = Read(f, "WidthField2"), b = Read(f, "HeightField2");
  const double t = Read(f, "ThicknessField2"), er = Read(f, "DiConstField2");
  const auto solve = [&](double width) {
    return field_solver::SolveStripline(width, b, t, er, stop);
  };
  solved.analysis = solve(w);
  solved.loss = StripLossBasis(LineStructure::kStripline, w, b, t, er, solved.analysis, stop);
  const auto exact = [er](double u) { return reference::StriplineImpedance(u, 1, er); };
  SolveWidthFor(solved, Read(f, "ImpField2"), b, exact, solve, "W/b", stop);
  return solved;
}

SolvedPage SolveCoaxPage(const FieldSet& f) {
  SolvedPage solved;
  const double inner = Read(f, "InnerDiaField"), outer = Read(f, "OuterDiaField");
  const double er = Read(f, "DiConstField3");
  solved.analysis = field_solver::SolveCoax(inner, outer, er);
  solved.loss = std::make_shared<const LossBasis>(SolveCoaxLossBasis(inner, outer, er));
  // The solver's coax is the exact form, whose inverse is exact too.
  solved.width = reference::CoaxInnerDiameter(Read(f, "ImpField3"), outer, er);
  solved.widthEstimate = 0;
  if (!(solved.width > 0 && std::isfinite(solved.width))) {
    solved.width = kNoFigure;
    solved.widthReason = "No inner diameter for these inputs.";
  }
  return solved;
}

}  // namespace

SolvedPage SolvePage(int page, const FieldSet& f, double microstripThickness,
                     const std::atomic<bool>* stop) {
  switch (page) {
    case 1:
      return SolveMicrostripPage(f, microstripThickness, stop);
    case 2:
      return SolveStriplinePage(f, stop);
    default:
      return SolveCoaxPage(f);
  }
}

std::string SolverInputs(int page, const FieldSet& f, double microstripThickness) {
  const auto figures = [&](std::initializer_list<std::string_view> names) {
    std::string key = std::to_string(page);
    for (const std::string_view name : names) {
      key += ' ' + Figure(Read(f, name), 17);
    }
    return key;
  };
  switch (page) {
    case 1:
      return figures({"WidthField", "HeightField", "DiConstField", "ImpField"}) + ' ' +
             Figure(microstripThickness, 17);
    case 2:
      return figures(
          {"WidthField2", "HeightField2", "ThicknessField2", "DiConstField2", "ImpField2"});
    default:
      return figures({"InnerDiaField", "OuterDiaField", "DiConstField3", "ImpField3"});
  }
}

}  // namespace mq
