// SPDX-License-Identifier: MIT
#include "model/pair.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

#include "model/figure_words.h"
#include "model/stated_range.h"
#include "published/coupled_microstrip.h"
#include "published/coupled_stripline.h"
#include "published/exact_constants.h"
#include "published/root_finder.h"

namespace mq {
namespace {

constexpr double kMetresPerMillimetre = 1e-3;
constexpr double kHertzPerGigahertz = 1e9;
// The solver's range for the width and the spacing, in heights (plane spacings).
constexpr double kNarrowest = kNarrowestRatio;
constexpr double kWidest = kWidestRatio;

struct Modes {
  double even = kNoFigure, odd = kNoFigure;
  double evenPermittivity = kNoFigure, oddPermittivity = kNoFigure;
  double estimate = kNoFigure;  // relative, of the impedances
};

bool Microstrip(const PairInputs& in) {
  return in.structure == PairStructure::kMicrostrip;
}

// The published model of the pair as it is, or why there is none.
struct Published {
  Modes modes;
  std::string model;
  std::string note;
};

Published PublishedModes(const PairInputs& in) {
  const double w = in.width, s = in.spacing, h = in.height, t = in.thickness, er = in.permittivity;
  if (Microstrip(in)) {
    const auto m = reference::CoupledMicrostrip(w, s, h, t, er);
    return {{m.evenImpedance, m.oddImpedance, m.evenPermittivity, m.oddPermittivity},
            t > 0 ? "Kirschning and Jansen (1984), Jansen's thickness widening (1978)"
                  : "Kirschning and Jansen (1984)",
            {}};
  }
  if (!(t > 0)) {
    const auto z = reference::CoupledStripline(w, s, h, er);
    return {{z.even, z.odd, er, er}, "Cohn (1955), exact at zero thickness", {}};
  }
  if (!(w / h >= reference::kCoupledThickStriplineNarrowest)) {
    return {{}, "Cohn (1955), thick strips", "No published thick-strip form below W/b 0.35."};
  }
  const auto z = reference::CoupledThickStripline(w, s, h, t, er);
  return {{z.even, z.odd, er, er}, "Cohn (1955), thick strips, W/b from 0.35", {}};
}

Modes SolvedModes(const field_solver::PairAnswer& pair) {
  if (!pair.reason.empty()) {
    return {};
  }
  return {pair.even.impedance, pair.odd.impedance, pair.even.permittivity, pair.odd.permittivity,
          std::max(pair.even.estimate, pair.odd.estimate)};
}

// A derived quantity: its figure from the modes, and its relative error from theirs (e, the
// impedances' relative estimate; the permittivities err at most twice as much, C and C0 erring
// alike on one mesh).
struct Quantity {
  std::string name;
  std::string unit;
  std::function<double(const Modes&)> figure;
  std::function<double(const Modes&)> error;  // relative
};

double Delay(double permittivity) {  // ps/mm
  return std::sqrt(permittivity) / exact::kSpeedOfLight * 1e12 * kMetresPerMillimetre;
}

double Coupling(const Modes& m) {
  return (m.even - m.odd) / (m.even + m.odd);
}

// dk = 2 Ze Zo / (Ze + Zo)^2 (dZe/Ze + dZo/Zo): both at e.
double CouplingError(const Modes& m) {
  return 4 * m.even * m.odd / std::pow(m.even + m.odd, 2) * m.estimate / std::fabs(Coupling(m));
}

std::vector<Quantity> Quantities() {
  const auto same = [](const Modes& m) { return m.estimate; };
  const auto twice = [](const Modes& m) { return 2 * m.estimate; };
  return {
      {"Differential impedance", "ohm", [](const Modes& m) { return 2 * m.odd; }, same},
      {"Common-mode impedance", "ohm", [](const Modes& m) { return m.even / 2; }, same},
      {"Odd-mode impedance", "ohm", [](const Modes& m) { return m.odd; }, same},
      {"Even-mode impedance", "ohm", [](const Modes& m) { return m.even; }, same},
      {"Odd-mode eff. dielectric constant", "", [](const Modes& m) { return m.oddPermittivity; },
       twice},
      {"Even-mode eff. dielectric constant", "", [](const Modes& m) { return m.evenPermittivity; },
       twice},
      {"Coupling k", "", Coupling, CouplingError},
      {"Coupling", "dB", [](const Modes& m) { return 20 * std::log10(std::fabs(Coupling(m))); },
       [](const Modes& m) {
         return 20 / std::log(10.0) * CouplingError(m) /
                std::fabs(20 * std::log10(std::fabs(Coupling(m))));
       }},
      {"Odd-mode delay", "ps/mm", [](const Modes& m) { return Delay(m.oddPermittivity); }, same},
      {"Even-mode delay", "ps/mm", [](const Modes& m) { return Delay(m.evenPermittivity); }, same},
      {"Skew, even less odd", "ps/mm",
       [](const Modes& m) { return Delay(m.evenPermittivity) - Delay(m.oddPermittivity); },
       [](const Modes& m) {
         return m.estimate * (Delay(m.evenPermittivity) + Delay(m.oddPermittivity)) /
                std::fabs(Delay(m.evenPermittivity) - Delay(m.oddPermittivity));
       }},
  };
}

std::vector<PairRow> Rows(const Published& published, const Modes& solved,
                          const std::string& solverNote, bool updating) {
  std::vector<PairRow> rows;
  for (const Quantity& q : Quantities()) {
    PairRow row;
    row.quantity = q.name;
    row.unit = q.unit;
    row.model = published.model;
    if (std::isnan(published.modes.even)) {
      row.publishedNote = published.note;
    } else {
      row.published = q.figure(published.modes);
    }
    if (std::isnan(solved.even)) {
      row.solverNote = solverNote;
    } else {
      row.solver = q.figure(solved);
      row.estimate = q.error(solved);
      row.updating = updating;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

// The ratios of the pair that lie outside its published model's stated range, as ", W/h 0.05,
// s/h 12"; nothing inside it.
std::string OutsideStatedRange(const PairInputs& in) {
  const double u = in.width / in.height, g = in.spacing / in.height;
  std::string outside;
  if (!Microstrip(in)) {
    if (in.thickness > 0 && !Within(u, reference::kCoupledThickStriplineNarrowest, HUGE_VAL)) {
      outside += ", W/b " + Figure(u, 3);
    }
    return outside;
  }
  if (!Within(u, reference::kCoupledNarrowest, reference::kCoupledWidest)) {
    outside += ", W/h " + Figure(u, 3);
  }
  if (!Within(g, reference::kCoupledClosest, reference::kCoupledFarthest)) {
    outside += ", s/h " + Figure(g, 3);
  }
  if (!Within(in.permittivity, 1, reference::kCoupledHighestPermittivity)) {
    outside += ", er " + Figure(in.permittivity, 3);
  }
  return outside;
}

// --- Verdicts -----------------------------------------------------------------------------

// The rows judged, in the order of Quantities(), with their words.
constexpr std::size_t kDifferentialRow = 0, kCommonRow = 1, kOddPermittivityRow = 4,
                      kEvenPermittivityRow = 5;
struct Judged {
  std::size_t row;
  const char* subject;
};
constexpr std::array<Judged, 4> kJudged = {
    {{kDifferentialRow, "differential impedance"},
     {kCommonRow, "common-mode impedance"},
     {kOddPermittivityRow, "odd-mode eff. dielectric constant"},
     {kEvenPermittivityRow, "even-mode eff. dielectric constant"}}};

// From t/s a quarter the facing walls' own capacitance, about er t/s, is a fair share of the odd
// mode's: Cohn's form is 7-9 % off at t/s 0.5 (docs/accuracy.md), 1 % at t/s 0.2.
constexpr double kFacingWallsMatter = 0.25;

// The zero-thickness form shares the difference with the thickness form when each part is a
// tenth of it or more; under a tenth, a part is not named.
constexpr double kSharedPart = 0.1;

// Why the published model is off, where the program can tell: its zero-thickness form meets the
// solution at zero thickness where the thick form misses, so the thickness form is to blame
// (Cohn's zero-thickness stripline pair is exact; his thick-strip form counts no field between
// the strips' facing walls, which carry much of the odd mode's charge when they stand close); or
// the pair lies outside the model's stated range.
std::string Cause(const PairInputs& in, const PairSolution& solution, const Judged& judged,
                  const PairRow& row) {
  const Quantity quantity = Quantities()[judged.row];
  if (in.thickness > 0 && !Microstrip(in)) {
    const bool facingWalls =
        judged.row == kDifferentialRow && in.thickness >= kFacingWallsMatter * in.spacing;
    return facingWalls ? "its thick-strip form, which leaves out the field between the strips' "
                         "facing walls"
                       : "its thickness form";
  }
  if (in.thickness > 0 && solution.flat != nullptr && solution.flat->reason.empty()) {
    PairInputs flat = in;
    flat.thickness = 0;
    const double whole = row.published / row.solver - 1;
    const double zero =
        quantity.figure(PublishedModes(flat).modes) / quantity.figure(SolvedModes(*solution.flat)) -
        1;
    if (std::fabs(zero) <= kAgreement && std::fabs(zero) < kSharedPart * std::fabs(whole)) {
      return "its thickness form";
    }
    if (std::fabs(zero) <= kAgreement &&
        std::fabs(whole - zero) >= kSharedPart * std::fabs(whole)) {
      const auto [form, thick] = Parts(whole, zero);
      return form + " of it its zero-thickness form, " + thick + " its thickness form";
    }
  }
  const std::string outside = OutsideStatedRange(in);
  return outside.empty() ? "" : outside.substr(2) + " outside its stated range";
}

// "use 99.999 ohm", "use 2.9876"
std::string Instead(const PairRow& row) {
  return "use " + Figure(row.solver, 5) + (row.unit.empty() ? "" : " " + row.unit);
}

// The published figure of a row against the solved one, or nothing while either is missing.
std::optional<Limit> Judge(PairRow& row, const std::string& subject, const std::string& cause) {
  if (!std::isfinite(row.published) || !std::isfinite(row.solver) || row.updating) {
    return std::nullopt;
  }
  const double off = row.published / row.solver - 1;
  if (std::fabs(off) <= kAgreement) {
    row.verdict = Verdict::kAgrees;
    return Limit{true, "The published model's " + subject + " is within " +
                           Figure(100 * kAgreement) + " % of the field solution (" +
                           Percent(row.published, row.solver) + ")."};
  }
  row.verdict = Verdict::kDiffers;
  return Limit{false, "The published model is " + Size(off) + " % " +
                          (off > 0 ? "above" : "below") + " the field solution on the " + subject +
                          (cause.empty() ? "" : " (" + cause + ")") + "; " + Instead(row) + "."};
}

// The verdicts, first among the check's lines; while the solution is of earlier inputs one
// pending line stands in for them.
std::vector<Limit> Verdicts(const PairInputs& in, const PairSolution& solution,
                            std::vector<PairRow>& rows) {
  if (solution.pair != nullptr && solution.updating) {
    return {{false, "The field solution is being updated for these inputs; the verdicts follow.",
             true}};
  }
  std::vector<Limit> lines;
  for (const Judged& judged : kJudged) {
    // A stripline's modes both have er itself: nothing to judge.
    const bool permittivity =
        judged.row == kOddPermittivityRow || judged.row == kEvenPermittivityRow;
    if (permittivity && !Microstrip(in)) {
      continue;
    }
    PairRow& row = rows[judged.row];
    if (auto line = Judge(row, judged.subject, Cause(in, solution, judged, row))) {
      lines.push_back(std::move(*line));
    }
  }
  return lines;
}

// The microstrip's permittivities at the frequency: Kirschning and Jansen's dispersion.
void AddDispersion(const PairInputs& in, std::vector<PairRow>& rows) {
  const double m = kMetresPerMillimetre;
  const auto d = reference::CoupledMicrostripDispersed(in.width * m, in.spacing * m, in.height * m,
                                                       in.thickness * m, in.permittivity,
                                                       in.gigahertz * kHertzPerGigahertz);
  const std::string at = " at " + Figure(in.gigahertz) + " GHz";
  const std::string model = "Kirschning and Jansen (1984), dispersed";
  auto where = rows.begin() + 6;  // after the static permittivities
  where = rows.insert(where, PairRow{"Even-mode eff. dielectric constant" + at,
                                     "",
                                     model,
                                     d.evenPermittivity,
                                     kNoFigure,
                                     kNoFigure,
                                     {},
                                     "quasi-static"});
  rows.insert(where, PairRow{"Odd-mode eff. dielectric constant" + at,
                             "",
                             model,
                             d.oddPermittivity,
                             kNoFigure,
                             kNoFigure,
                             {},
                             "quasi-static"});
}

// The largest difference of the published impedances from the field solution, or NaN before
// the solution is in.
double LargestImpedanceDifference(const std::vector<PairRow>& rows) {
  double largest = kNoFigure;
  for (const std::size_t row : {kDifferentialRow, kCommonRow}) {
    if (rows.size() > row && rows[row].verdict != Verdict::kNone) {
      const double off = std::fabs(rows[row].published / rows[row].solver - 1);
      largest = std::isnan(largest) ? off : std::max(largest, off);
    }
  }
  return largest;
}

// The microstrip model's stated range, and its stated accuracy only where the field solution
// bears it out.
Limit CoupledMicrostripRange(const PairInputs& in, const std::vector<PairRow>& rows) {
  const std::string outside = OutsideStatedRange(in);
  const std::string range =
      "the range Kirschning and Jansen state (W/h and s/h 0.1-10, er up to 18)";
  if (!outside.empty()) {
    return {false, "Outside " + range + ":" + outside.substr(1)};
  }
  const double stated = reference::kCoupledStaticImpedanceAccuracy;
  const double measured = LargestImpedanceDifference(rows);
  if (std::isnan(measured)) {
    return {true, "The pair lies inside " + range};
  }
  const std::string claim = "; they state " + Figure(100 * stated) + " % on the impedances, ";
  return measured <= stated ? Limit{true, "The pair lies inside " + range + claim +
                                              "as the field solution bears out"}
                            : Limit{false, "The pair lies inside " + range + claim +
                                               "the field solution finds " + Size(measured) + " %"};
}

Limit PublishedRange(const PairInputs& in, const std::vector<PairRow>& rows) {
  if (Microstrip(in)) {
    return CoupledMicrostripRange(in, rows);
  }
  if (!(in.thickness > 0)) {
    return {true, "Cohn's zero-thickness pair is exact"};
  }
  const double u = in.width / in.height;
  const bool inside = OutsideStatedRange(in).empty();
  return {inside, "W/b " + Figure(u, 3) + (inside ? " lies inside" : " lies outside") +
                      " the range of Cohn's thick-strip form (W/b from 0.35)"};
}

// Kirschning and Jansen's dispersion inside or outside the f h its authors state.
Limit DispersionRange(const PairInputs& in) {
  const double frequencyHeight = in.gigahertz * in.height;  // GHz mm
  const bool inside = frequencyHeight <= reference::kCoupledHighestFrequencyHeight;
  return {inside, "f h " + Figure(frequencyHeight, 3) + " GHz mm" +
                      (inside ? " lies inside" : " lies outside") +
                      " the range of Kirschning and Jansen's dispersion (f h up to " +
                      Figure(reference::kCoupledHighestFrequencyHeight) + " GHz mm)"};
}

std::string MissingInput(const PairInputs& in) {
  const auto bad = [](double v) { return !(std::isfinite(v) && v > 0); };
  if (bad(in.width)) {
    return "Width must be greater than zero.";
  }
  if (bad(in.spacing)) {
    return "Spacing must be greater than zero.";
  }
  if (bad(in.height)) {
    return "Height must be greater than zero.";
  }
  if (!(std::isfinite(in.thickness) && in.thickness >= 0)) {
    return "Thickness must not be negative.";
  }
  if (!Microstrip(in) && !(in.thickness < in.height)) {
    return "Thickness must be smaller than the planes' spacing.";
  }
  if (!(std::isfinite(in.permittivity) && in.permittivity >= 1)) {
    return "Dielectric constant must be at least 1.";
  }
  return {};
}

}  // namespace

field_solver::PairAnswer SolvePairOf(const PairInputs& in, const std::atomic<bool>* stop) {
  return Microstrip(in) ? field_solver::SolveMicrostripPair(in.width, in.spacing, in.height,
                                                            in.thickness, in.permittivity, stop)
                        : field_solver::SolveStriplinePair(in.width, in.spacing, in.height,
                                                           in.thickness, in.permittivity, stop);
}

SolvedPair SolvePairToJudge(const PairInputs& in, const std::atomic<bool>* stop) {
  SolvedPair solved{SolvePairOf(in, stop), std::nullopt};
  if (Microstrip(in) && in.thickness > 0 && solved.pair.reason.empty()) {
    PairInputs flat = in;
    flat.thickness = 0;
    solved.flat = SolvePairOf(flat, stop);
  }
  return solved;
}

PairCheck CheckPair(const PairInputs& in, const PairSolution& solution) {
  PairCheck check;
  if (std::string missing = MissingInput(in); !missing.empty()) {
    check.limits.push_back({false, missing});
    return check;
  }
  const field_solver::PairAnswer* solved = solution.pair;
  const Published published = PublishedModes(in);
  const std::string note = solved == nullptr ? "solving..." : solved->reason;
  check.rows =
      Rows(published, solved == nullptr ? Modes{} : SolvedModes(*solved), note, solution.updating);
  check.limits = Verdicts(in, solution, check.rows);
  if (Microstrip(in) && in.gigahertz > 0) {
    AddDispersion(in, check.rows);
  }
  check.limits.push_back(PublishedRange(in, check.rows));
  if (Microstrip(in) && in.gigahertz > 0) {
    check.limits.push_back(DispersionRange(in));
  }
  if (solved != nullptr && solved->uncoupled && !solution.updating) {
    check.limits.push_back({true, std::string(kUncoupledPair)});
  }
  if (solved != nullptr && !solved->reason.empty()) {
    check.limits.push_back({false, "Field solver: " + solved->reason});
  }
  return check;
}

PairCheck CheckPair(const PairInputs& in, const field_solver::PairAnswer* solved) {
  return CheckPair(in, PairSolution{solved, nullptr, false});
}

std::array<std::string, 4> PairCells(const PairRow& row) {
  std::string solver = FigureOr(row.solver, row.solverNote, 6);
  if (std::isfinite(row.solver) && std::isfinite(row.estimate)) {
    solver += " ± " + Figure(100 * row.estimate, 2) + " %";
  }
  if (std::isfinite(row.solver) && row.updating) {
    solver += " (updating)";
  }
  std::string difference;
  if (std::isfinite(row.published) && std::isfinite(row.solver) && !row.updating) {
    difference = "model " + Percent(row.published, row.solver);
  }
  return {row.quantity + (row.unit.empty() ? "" : " (" + row.unit + ")"),
          FigureOr(row.published, row.publishedNote), solver, difference};
}

namespace {

// Where a search starts: the published model's value for the target, found by bisection on its
// closed form (cheap), else one height.
double StartingRatio(const PairInputs& in, double target, double PairInputs::*unknown) {
  const auto published = [&](double ratio) {
    PairInputs trial = in;
    trial.*unknown = ratio * in.height;
    return 2 * PublishedModes(trial).modes.odd;
  };
  double low = kNarrowest, high = kWidest;
  const bool falling = published(low) > published(high);  // a wider strip, a lower impedance
  for (int step = 0; step < 60; ++step) {
    const double middle = std::sqrt(low * high);
    const double z = published(middle);
    if (std::isnan(z)) {
      return 1;
    }
    ((z > target) == falling ? low : high) = middle;
  }
  return std::sqrt(low * high);
}

std::string Unreached(const roots::Root& root, double target, const char* ratio,
                      const field_solver::PairAnswer& last) {
  return UnreachedTarget(root, target, "pair", ratio, last.reason);
}

// The value (in heights) at which the pair's differential impedance meets the target, by
// published/root_finder.h on ln x against ln Zdiff, from the published model's value, to within
// the solver's own estimate. Zdiff = 2 Zodd falls as the strips widen and rises as they part.
PairSynthesis Search(const PairInputs& in, double target, double PairInputs::*unknown,
                     const char* ratio, const std::atomic<bool>* stop) {
  PairSynthesis found;
  if (!(std::isfinite(target) && target > 0)) {
    found.reason = "The target impedance must be greater than zero.";
    return found;
  }
  PairInputs trial = in;
  const auto miss = [&](double lnX) {
    trial.*unknown = std::exp(lnX) * in.height;
    found.pair = SolvePairOf(trial, stop);
    return found.pair.reason.empty() ? roots::Miss{std::log(2 * found.pair.odd.impedance / target),
                                                   found.pair.odd.estimate}
                                     : roots::Miss{};
  };
  // Just inside the range, so that rounding in exp(ln x) never steps past its ends.
  const roots::Range range{std::log(kNarrowest) + 1e-9, std::log(kWidest) - 1e-9,
                           std::log(StartingRatio(in, target, unknown)),
                           unknown == &PairInputs::spacing};
  const roots::Root root = roots::FindRoot(miss, range, stop);
  if (root.outcome == roots::Root::Outcome::kFound) {
    found.value = trial.*unknown;  // the last solved
  } else {
    found.reason = Unreached(root, target, ratio, found.pair);
  }
  return found;
}

}  // namespace

PairSynthesis FindPairWidth(const PairInputs& in, double differentialImpedance,
                            const std::atomic<bool>* stop) {
  return Search(in, differentialImpedance, &PairInputs::width, Microstrip(in) ? "W/h" : "W/b",
                stop);
}

PairSynthesis FindPairSpacing(const PairInputs& in, double differentialImpedance,
                              const std::atomic<bool>* stop) {
  return Search(in, differentialImpedance, &PairInputs::spacing, Microstrip(in) ? "s/h" : "s/b",
                stop);
}

PublishedPair PublishedPairModel(const PairInputs& in) {
  const Published p = PublishedModes(in);
  return {p.modes.even, p.modes.odd, p.modes.evenPermittivity, p.modes.oddPermittivity,
          p.model,      p.note};
}

std::string PairOutsideStatedRange(const PairInputs& in) {
  return OutsideStatedRange(in);
}

std::optional<Limit> JudgeRow(PairRow& row, const std::string& subject, const std::string& cause) {
  return Judge(row, subject, cause);
}

// Why a search found no figure: the end of the range the target lies beyond, with the pair's
// figure solved at that end, or the solver's reason.
std::string UnreachedTarget(const roots::Root& root, double target, std::string_view what,
                            std::string_view ratio, const std::string& lastReason) {
  using Outcome = roots::Root::Outcome;
  switch (root.outcome) {
    case Outcome::kBeyondLowest:
    case Outcome::kBeyondHighest:
      return std::string("The target lies ") + (root.miss > 0 ? "below" : "above") + " the " +
             std::string(what) + "'s " + Figure(target * std::exp(root.miss), 4) + " ohm at " +
             std::string(ratio) + ' ' +
             Figure(root.outcome == Outcome::kBeyondLowest ? kNarrowestRatio : kWidestRatio) +
             ", the end of the range.";
    case Outcome::kStopped:
      return std::string(field_solver::kStopped);
    case Outcome::kUnsettled:
      return std::string("The solver's ") + (what == "pair" ? "differential " : "") +
             "impedance does not settle on the target.";
    default:
      return lastReason;
  }
}

}  // namespace mq
