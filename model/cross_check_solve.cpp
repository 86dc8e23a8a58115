// SPDX-License-Identifier: MIT
// The field solver's side of the cross-check: each page's cross-section solved from its field
// texts, and the width (inner diameter) the solver needs for the page's Impedance field.
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>

#include "model/cross_check.h"
#include "model/figure_words.h"
#include "model/line_models.h"
#include "published/reference_lines.h"

namespace mq {
namespace {

namespace msg = messages;

double Read(const FieldSet& fields, std::string_view name) {
  return ReadAsThePagesDo(fields, name);
}

// The solver's width for the wanted impedance: a secant search on ln W against ln Z0 from the
// published model's width, which lies within a few percent, so a handful of solves settle it.
constexpr int kMostSolves = 12;

void SolveWidthFor(SolvedPage& solved, double wanted, double start,
                   const std::function<field_solver::Answer(double)>& solve) {
  if (!(wanted > 0 && std::isfinite(wanted)) || !(start > 0 && std::isfinite(start))) {
    solved.widthReason = std::string(msg::kImpedance);
    return;
  }
  double lnW[2] = {std::log(start), std::log(start) + 0.05};
  double lnZ[2] = {};
  for (int i = 0; i < 2; ++i) {
    const field_solver::Answer answer = solve(std::exp(lnW[i]));
    if (!answer.reason.empty()) {
      solved.widthReason = answer.reason;
      return;
    }
    lnZ[i] = std::log(answer.impedance);
    solved.widthEstimate = answer.estimate;
  }
  const double target = std::log(wanted);
  double slope = (lnZ[1] - lnZ[0]) / (lnW[1] - lnW[0]);
  for (int step = 2; step < kMostSolves && std::fabs(lnZ[1] - target) > 1e-7; ++step) {
    const double next = lnW[1] + (target - lnZ[1]) / (slope < 0 ? slope : -1);
    const field_solver::Answer answer = solve(std::exp(next));
    if (!answer.reason.empty()) {
      solved.widthReason = answer.reason;
      return;
    }
    lnW[0] = lnW[1], lnZ[0] = lnZ[1];
    lnW[1] = next, lnZ[1] = std::log(answer.impedance);
    solved.widthEstimate = answer.estimate;
    slope = (lnZ[1] - lnZ[0]) / (lnW[1] - lnW[0]);
  }
  // A miss within the solver's own error is as near as it can tell.
  if (!(std::fabs(lnZ[1] - target) <= std::max(1e-7, solved.widthEstimate))) {
    solved.widthReason = "The field solver's width search did not settle.";
    return;
  }
  solved.width = std::exp(lnW[1]);
  // An impedance off by e moves the width by e over the slope of ln Z0 against ln W.
  solved.widthEstimate /= std::max(std::fabs(slope), 1e-3);
}

// Where the solver's width search starts: the published model's width, else the height.
double StartingWidth(const std::function<double(double)>& exactOfRatio, double wanted,
                     double height) {
  const auto search = reference::SolveWidth(exactOfRatio, wanted, 0.01, 100);
  return height * (search.outcome == reference::WidthSearch::Outcome::kFound ? search.width : 1);
}

}  // namespace

SolvedPage SolvePage(int page, const FieldSet& f, double microstripThickness,
                     const std::atomic<bool>* stop) {
  SolvedPage solved;
  if (page == 1) {
    const double h = Read(f, "HeightField"), er = Read(f, "DiConstField");
    const auto solve = [&](double w) {
      return field_solver::SolveMicrostrip(w, h, microstripThickness, er, stop);
    };
    solved.analysis = solve(Read(f, "WidthField"));
    const double wanted = Read(f, "ImpField");
    const auto exact = [er](double u) { return reference::MicrostripImpedance(u, 1, er); };
    SolveWidthFor(solved, wanted, StartingWidth(exact, wanted, h), solve);
  } else if (page == 2) {
    const double b = Read(f, "HeightField2"), t = Read(f, "ThicknessField2");
    const double er = Read(f, "DiConstField2");
    const auto solve = [&](double w) { return field_solver::SolveStripline(w, b, t, er, stop); };
    solved.analysis = solve(Read(f, "WidthField2"));
    const double wanted = Read(f, "ImpField2");
    const auto exact = [er](double u) { return reference::StriplineImpedance(u, 1, er); };
    SolveWidthFor(solved, wanted, StartingWidth(exact, wanted, b), solve);
  } else {
    const double outer = Read(f, "OuterDiaField"), er = Read(f, "DiConstField3");
    solved.analysis = field_solver::SolveCoax(Read(f, "InnerDiaField"), outer, er);
    // The solver's coax is the exact form, whose inverse is exact too.
    solved.width = reference::CoaxInnerDiameter(Read(f, "ImpField3"), outer, er);
    solved.widthEstimate = 0;
    if (!(solved.width > 0 && std::isfinite(solved.width))) {
      solved.width = kNoFigure;
      solved.widthReason = "No inner diameter for these inputs.";
    }
  }
  return solved;
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
