// SPDX-License-Identifier: MIT
#include "model/cross_check.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "model/coax.h"
#include "model/line_models.h"
#include "model/microstrip.h"
#include "model/reference_lines.h"
#include "model/stripline.h"

namespace mq {
namespace {

namespace msg = messages;
using Check = std::pair<double, std::string_view>;  // a value that must be positive, its message

constexpr double kHertzPerGigahertz = 1e9;
constexpr double kMetresPerMillimetre = 1e-3;
// The range of W/h and W/b over which docs/accuracy.md measured the closed forms.
constexpr double kMeasuredFrom = 0.05;
constexpr double kMeasuredTo = 10;
// Where the exact forms are solved for a width: W/h from 1e-4 to 1e3, W/b from 1e-3 to the
// widest strip measured.
constexpr double kMicrostripNarrowest = 1e-4;
constexpr double kMicrostripWidest = 1e3;
constexpr double kStriplineNarrowest = 1e-3;
constexpr double kStriplineWidest = kMeasuredTo;

double Read(const FieldSet& fields, std::string_view name) {
  return ReadAsThePagesDo(fields, name);
}

std::string Figure(double value, int digits = 5) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, digits);
  return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
}

// Inputs at the ends of what a double holds can take a figure past it; the cell says so.
std::string FigureOr(double value, std::string_view none, int digits = 5) {
  if (std::isnan(value)) {
    return std::string(none);
  }
  return std::isinf(value) ? "no finite figure" : Figure(value, digits);
}

// "+0.34 %", or nothing where either figure is missing.
std::string Percent(double value, double reference) {
  const double percent = 100 * (value - reference) / reference;
  if (!std::isfinite(percent)) {
    return {};
  }
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), percent,
                                       std::chars_format::fixed, 2);
  const std::string digits(buffer.data(), ec == std::errc{} ? end : buffer.data());
  return (percent >= 0 ? "+" : "") + digits + " %";
}

// The message of the first value that is not positive, as the procedures check, or nothing.
std::string FirstFailure(std::initializer_list<Check> checks) {
  for (const auto& [value, message] : checks) {
    if (!(value > 0)) {
      return std::string(message);
    }
  }
  return {};
}

// Hammerstad and Jensen's eeff takes a power of (er - 0.9): below air the published forms have
// no figure, where the page's form still gives one.
Check NotBelowAir(double permittivity) {
  return {permittivity >= 1 ? 1.0 : 0.0,
          "The published models need a dielectric constant of at least 1."};
}

// A ratio typed at a range's end (0.16 mm on 1.6 mm) is inside it, whatever its last bit.
bool Within(double ratio, double lowest, double highest) {
  constexpr double kSlack = 1e-12;
  return ratio >= lowest * (1 - kSlack) && ratio <= highest * (1 + kSlack);
}

// A row whose figures are filled only when every input it needs is there.
Comparison Row(std::string quantity, std::string unit, std::string model,
               std::initializer_list<Check> needs, const std::function<void(Comparison&)>& fill) {
  Comparison row;
  row.quantity = std::move(quantity);
  row.unit = std::move(unit);
  row.model = std::move(model);
  row.missing = FirstFailure(needs);
  if (row.missing.empty()) {
    fill(row);
  }
  return row;
}

// A limit that needs inputs: its own words, or what it lacks.
Limit LimitOf(std::string_view what, std::initializer_list<Check> needs,
              const std::function<Limit()>& judge) {
  if (std::string failure = FirstFailure(needs); !failure.empty()) {
    return {false, std::string(what) + ": " + failure};
  }
  return judge();
}

Limit RangeLimit(std::string_view ratioName, double ratio) {
  const bool inside = Within(ratio, kMeasuredFrom, kMeasuredTo);
  return {inside, std::string(ratioName) + " " + Figure(ratio, 3) +
                      (inside ? " lies inside" : " lies outside") +
                      " 0.05-10, where docs/accuracy.md measured the page's forms"};
}

// Which end of the search a wanted impedance lies beyond, in words that name the end.
std::string SearchFailure(reference::WidthSearch::Outcome outcome, std::string_view ratioName,
                          double narrowest, double widest) {
  using Outcome = reference::WidthSearch::Outcome;
  if (outcome == Outcome::kAboveNarrowest) {
    return "Impedance is above what a strip down to " + std::string(ratioName) + " " +
           Figure(narrowest) + " reaches.";
  }
  return "Impedance is below what a strip up to " + std::string(ratioName) + " " + Figure(widest) +
         " reaches.";
}

// The published model's width for the wanted impedance, solved for W/h (W/b) so that no bound
// of the search overflows, or why there is none.
void PublishedWidth(Comparison& row, double height,
                    const std::function<double(double)>& exactOfRatio, double impedance,
                    std::string_view ratioName, double narrowest, double widest) {
  const auto search = reference::SolveWidth(exactOfRatio, impedance, narrowest, widest);
  if (search.outcome != reference::WidthSearch::Outcome::kFound) {
    row.missing = SearchFailure(search.outcome, ratioName, narrowest, widest);
    return;
  }
  row.published = search.width * height;
}

// The solver's column: its figure with its estimate, or why there is none yet.
void AddSolver(Comparison& row, const SolvedPage* solved, double SolvedPage::*width) {
  if (solved == nullptr) {
    row.solverNote = "solving...";
    return;
  }
  const field_solver::Answer& answer = solved->analysis;
  if (width != nullptr) {
    row.solver = solved->*width;
    row.estimate = solved->widthEstimate;
    row.solverNote = solved->widthReason;
  } else if (answer.reason.empty()) {
    row.solver = row.unit == "ohm" ? answer.impedance : answer.permittivity;
    // C and C0 err the same way on one mesh, so eeff = C/C0 errs at most twice as much as
    // Z0 = 1/(c0 sqrt(C C0)).
    row.estimate = row.unit == "ohm" ? answer.estimate : 2 * answer.estimate;
  } else {
    row.solverNote = answer.reason;
  }
}

struct Microstrip {
  double width, height, permittivity, gigahertz, impedance;
};

// Kirschning and Jansen's form inside or outside the range its authors state.
Limit DispersionRange(const Microstrip& in) {
  const double u = in.width / in.height, er = in.permittivity;
  const double heightPerWavelength = in.height * kMetresPerMillimetre * in.gigahertz *
                                     kHertzPerGigahertz / reference::kSpeedOfLight;
  std::string outside;
  if (!Within(u, reference::kDispersionNarrowest, reference::kDispersionWidest)) {
    outside += ", W/h " + Figure(u, 3);
  }
  if (!Within(er, 1, reference::kDispersionHighestPermittivity)) {
    outside += ", er " + Figure(er, 3);
  }
  if (!Within(heightPerWavelength, 0, reference::kDispersionThickest)) {
    outside += ", h/lambda0 " + Figure(heightPerWavelength, 3);
  }
  const std::string range =
      "the range Kirschning and Jansen state (W/h 0.1-100, er up to 20, "
      "h/lambda0 up to 0.13)";
  return outside.empty() ? Limit{true, "The dispersion lies inside " + range}
                         : Limit{false, "Outside " + range + ":" + outside.substr(1)};
}

CrossCheck CheckMicrostrip(const Microstrip& in, const SolvedPage* solved) {
  const double w = in.width, h = in.height, er = in.permittivity;
  const std::string model = "Hammerstad and Jensen (1980)";
  const std::initializer_list<Check> line = {
      {h, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, NotBelowAir(er)};
  CrossCheck check;
  check.comparisons.push_back(Row("Impedance", "ohm", model, line, [&](Comparison& row) {
    row.page =
        microstrip::CharacteristicImpedance(w, h, microstrip::EffectivePermittivity(w, h, er));
    row.published = reference::MicrostripImpedance(w, h, er);
    AddSolver(row, solved, nullptr);
  }));
  check.comparisons.push_back(
      Row("Eff. dielectric constant, static", "", model, line, [&](Comparison& row) {
        row.page = microstrip::EffectivePermittivity(w, h, er);
        row.published = reference::MicrostripEffectivePermittivity(w, h, er);
        AddSolver(row, solved, nullptr);
      }));
  // The page has no dispersion: at any frequency it shows its static figure.
  const std::string at = in.gigahertz > 0 ? Figure(in.gigahertz) + " GHz" : "the page's frequency";
  check.comparisons.push_back(Row("Eff. dielectric constant at " + at, "",
                                  "Kirschning and Jansen (1982)",
                                  {{h, msg::kHeight},
                                   {w, msg::kWidth},
                                   {in.gigahertz, msg::kFrequency},
                                   {er, msg::kPermittivity},
                                   NotBelowAir(er)},
                                  [&](Comparison& row) {
                                    row.page = microstrip::EffectivePermittivity(w, h, er);
                                    row.published = reference::MicrostripDispersedPermittivity(
                                        w * kMetresPerMillimetre, h * kMetresPerMillimetre, er,
                                        in.gigahertz * kHertzPerGigahertz);
                                    row.solverNote = "quasi-static";
                                  }));
  check.comparisons.push_back(Row(
      "Width for the Impedance field", "mm", model + ", solved for W",
      {{h, msg::kHeight},
       {in.impedance, msg::kImpedance},
       {er, msg::kPermittivity},
       NotBelowAir(er)},
      [&](Comparison& row) {
        row.page = microstrip::SynthesizedWidth(in.impedance, h, er);
        const auto exact = [er](double u) { return reference::MicrostripImpedance(u, 1, er); };
        PublishedWidth(row, h, exact, in.impedance, "W/h", kMicrostripNarrowest, kMicrostripWidest);
        AddSolver(row, solved, &SolvedPage::width);
      }));
  check.limits.push_back(LimitOf("W/h", {{h, msg::kHeight}, {w, msg::kWidth}},
                                 [&] { return RangeLimit("W/h", w / h); }));
  check.limits.push_back(LimitOf("Dispersion",
                                 {{h, msg::kHeight},
                                  {w, msg::kWidth},
                                  {in.gigahertz, msg::kFrequency},
                                  {er, msg::kPermittivity}},
                                 [&] { return DispersionRange(in); }));
  return check;
}

struct Stripline {
  double width, spacing, thickness, permittivity, conductivity, gigahertz, impedance;
};

Limit SkinDepthLimit(const Stripline& in) {
  const double depth =
      reference::SkinDepthMetres(in.gigahertz * kHertzPerGigahertz, in.conductivity);
  const double depths = in.thickness * kMetresPerMillimetre / depth;
  if (!std::isfinite(depths)) {
    return {false, "Skin depth: no finite figure for these inputs"};
  }
  return {depths >= 3, "Skin depth " + Figure(depth * 1e6, 3) + " um at " + Figure(in.gigahertz) +
                           " GHz: the strip is " + Figure(depths, 3) + " skin depths thick" +
                           (depths < 3 ? "; under three, the loss figure (thick conductor) is "
                                         "too low"
                                       : ", enough for the loss figure")};
}

CrossCheck CheckStripline(const Stripline& in, const SolvedPage* solved) {
  const double w = in.width, b = in.spacing, er = in.permittivity;
  // A strip as thick as the spacing fails as the procedures fail it.
  const Check thin{b - in.thickness, msg::kThicknessNotSmaller};
  const std::string model = "Cohn (1954), exact at zero thickness";
  CrossCheck check;
  check.comparisons.push_back(Row(
      "Impedance", "ohm", model,
      {{b, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, thin}, [&](Comparison& row) {
        row.page = stripline::CharacteristicImpedance(w, b, er);
        row.published = reference::StriplineImpedance(w, b, er);
        AddSolver(row, solved, nullptr);
      }));
  check.comparisons.push_back(Row(
      "Width for the Impedance field", "mm", model + ", solved for W",
      {{b, msg::kHeight}, {er, msg::kPermittivity}, {in.impedance, msg::kImpedance}, thin},
      [&](Comparison& row) {
        row.page = stripline::SynthesizedWidth(in.impedance, b, er);
        const auto exact = [er](double u) { return reference::StriplineImpedance(u, 1, er); };
        PublishedWidth(row, b, exact, in.impedance, "W/b", kStriplineNarrowest, kStriplineWidest);
        AddSolver(row, solved, &SolvedPage::width);
      }));
  check.limits.push_back(LimitOf("Skin depth",
                                 {{in.thickness, "The strip has no thickness to compare."},
                                  {in.gigahertz, msg::kFrequency},
                                  {in.conductivity, "Conductivity must be greater than zero."}},
                                 [&] { return SkinDepthLimit(in); }));
  check.limits.push_back(LimitOf("W/b", {{b, msg::kHeight}, {w, msg::kWidth}},
                                 [&] { return RangeLimit("W/b", w / b); }));
  return check;
}

struct Coax {
  double inner, outer, permittivity, gigahertz, impedance;
};

Limit HigherModeLimit(const Coax& in) {
  const double cutoff =
      reference::CoaxFirstHigherModeCutoffHertz(in.inner * kMetresPerMillimetre,
                                                in.outer * kMetresPerMillimetre, in.permittivity) /
      kHertzPerGigahertz;
  if (!std::isfinite(cutoff)) {
    return {false, "First higher mode (TE11): no finite figure for these inputs"};
  }
  const std::string at = Figure(in.gigahertz) + " GHz";
  const bool single = in.gigahertz < cutoff;
  return {single, "First higher mode (TE11) from " + Figure(cutoff, 4) + " GHz: " +
                      (single ? "single-mode at " + at
                              : "at " + at + " the line is no longer single-mode")};
}

CrossCheck CheckCoax(const Coax& in, const SolvedPage* solved) {
  const double d = in.inner, outer = in.outer, er = in.permittivity;
  const Check smaller{outer - d, msg::kInnerNotSmaller};
  const std::string model = "Exact TEM form, CODATA wave impedance";
  CrossCheck check;
  check.comparisons.push_back(Row(
      "Impedance", "ohm", model,
      {{d, msg::kInnerDiameter}, {outer, msg::kOuterDiameter}, smaller, {er, msg::kPermittivity}},
      [&](Comparison& row) {
        row.page = coax::CharacteristicImpedance(d / 2, outer / 2, er);
        row.published = reference::CoaxImpedance(d, outer, er);
        AddSolver(row, solved, nullptr);
      }));
  check.comparisons.push_back(Row(
      "Inner diameter for the Impedance field", "mm", model + ", inverted",
      {{outer, msg::kOuterDiameter}, {in.impedance, msg::kImpedance}, {er, msg::kPermittivity}},
      [&](Comparison& row) {
        const coax::Material material{er, 0, 0, 1};
        row.page = 2 * coax::ComputeSynthesis({material, outer / 2, in.impedance, 0}).innerRadius;
        row.published = reference::CoaxInnerDiameter(in.impedance, outer, er);
        if (!(row.published > 0)) {
          row.published = kNoFigure;
          row.missing = "Impedance is too high: the inner diameter underflows to zero.";
        }
        AddSolver(row, solved, &SolvedPage::width);
      }));
  check.limits.push_back(LimitOf("First higher mode",
                                 {{d, msg::kInnerDiameter},
                                  {outer, msg::kOuterDiameter},
                                  smaller,
                                  {in.gigahertz, msg::kFrequency},
                                  {er, msg::kPermittivity}},
                                 [&] { return HigherModeLimit(in); }));
  return check;
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

double ReadAsThePagesDo(const FieldSet& fields, std::string_view name) {
  return ParseLeadingNumber(ReplaceFirstComma(fields.Text(name)));
}

SolvedPage SolvePage(int page, const FieldSet& f, double microstripThickness) {
  SolvedPage solved;
  if (page == 1) {
    const double h = Read(f, "HeightField"), er = Read(f, "DiConstField");
    const auto solve = [&](double w) {
      return field_solver::SolveMicrostrip(w, h, microstripThickness, er);
    };
    solved.analysis = solve(Read(f, "WidthField"));
    const double wanted = Read(f, "ImpField");
    const auto exact = [er](double u) { return reference::MicrostripImpedance(u, 1, er); };
    SolveWidthFor(solved, wanted, StartingWidth(exact, wanted, h), solve);
  } else if (page == 2) {
    const double b = Read(f, "HeightField2"), t = Read(f, "ThicknessField2");
    const double er = Read(f, "DiConstField2");
    const auto solve = [&](double w) { return field_solver::SolveStripline(w, b, t, er); };
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

CrossCheck CrossCheckPage(int page, const FieldSet& f, const SolvedPage* solved) {
  switch (page) {
    case 1:
      return CheckMicrostrip({Read(f, "WidthField"), Read(f, "HeightField"),
                              Read(f, "DiConstField"), Read(f, "FreqField"), Read(f, "ImpField")},
                             solved);
    case 2:
      return CheckStripline({Read(f, "WidthField2"), Read(f, "HeightField2"),
                             Read(f, "ThicknessField2"), Read(f, "DiConstField2"),
                             Read(f, "ConField2"), Read(f, "FreqField2"), Read(f, "ImpField2")},
                            solved);
    case 3:
      return CheckCoax({Read(f, "InnerDiaField"), Read(f, "OuterDiaField"),
                        Read(f, "DiConstField3"), Read(f, "FreqField3"), Read(f, "ImpField3")},
                       solved);
  }
  return {};
}

std::array<std::string, 5> Cells(const Comparison& row) {
  const bool solverFigure = std::isfinite(row.solver);
  std::string difference;
  if (solverFigure && std::isfinite(row.page)) {
    difference = "page " + Percent(row.page, row.solver);
    if (std::isfinite(row.published)) {
      difference += ", model " + Percent(row.published, row.solver);
    }
  } else if (std::isfinite(row.page) && std::isfinite(row.published)) {
    difference = "page " + Percent(row.page, row.published) + " on the model";
  }
  return {row.quantity + (row.unit.empty() ? "" : " (" + row.unit + ")"),
          FigureOr(row.page, row.missing.empty() ? "none" : row.missing),
          FigureOr(row.published, std::isnan(row.page) ? "" : row.missing),
          solverFigure ? Figure(row.solver, 6) + (std::isfinite(row.estimate)
                                                      ? " ± " + Figure(100 * row.estimate, 2) + " %"
                                                      : "")
                       : FigureOr(row.solver, row.solverNote),
          difference};
}

std::vector<std::string> CrossCheckText(const CrossCheck& check) {
  const auto join = [](const auto& cells) {
    std::string line;
    for (const auto& cell : cells) {
      line += (line.empty() ? "" : " | ") + std::string(cell);
    }
    return line;
  };
  std::vector<std::string> lines{join(kCrossCheckColumns) + " | Published model's source"};
  for (const Comparison& row : check.comparisons) {
    lines.push_back(join(Cells(row)) + " | " + row.model);
  }
  for (const Limit& limit : check.limits) {
    lines.push_back((limit.ok ? "ok: " : "warning: ") + limit.words);
  }
  return lines;
}

}  // namespace mq
