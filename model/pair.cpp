// SPDX-License-Identifier: MIT
#include "model/pair.h"

#include <algorithm>
#include <cmath>
#include <functional>
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
constexpr double kNarrowest = 0.01;
constexpr double kWidest = 100;

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
                          const std::string& solverNote) {
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
    }
    rows.push_back(std::move(row));
  }
  return rows;
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

Limit PublishedRange(const PairInputs& in) {
  const double u = in.width / in.height, g = in.spacing / in.height;
  if (Microstrip(in)) {
    std::string outside;
    if (!Within(u, reference::kCoupledNarrowest, reference::kCoupledWidest)) {
      outside += ", W/h " + Figure(u, 3);
    }
    if (!Within(g, reference::kCoupledClosest, reference::kCoupledFarthest)) {
      outside += ", s/h " + Figure(g, 3);
    }
    if (!Within(in.permittivity, 1, reference::kCoupledHighestPermittivity)) {
      outside += ", er " + Figure(in.permittivity, 3);
    }
    const std::string range =
        "the range Kirschning and Jansen state (W/h and s/h 0.1-10, er up to 18; 0.6 % on the "
        "impedances)";
    return outside.empty() ? Limit{true, "The pair lies inside " + range}
                           : Limit{false, "Outside " + range + ":" + outside.substr(1)};
  }
  if (!(in.thickness > 0)) {
    return {true, "Cohn's zero-thickness pair is exact"};
  }
  const bool inside = Within(u, reference::kCoupledThickStriplineNarrowest, HUGE_VAL);
  return {inside, "W/b " + Figure(u, 3) + (inside ? " lies inside" : " lies outside") +
                      " the range of Cohn's thick-strip form (W/b from 0.35)"};
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

PairCheck CheckPair(const PairInputs& in, const field_solver::PairAnswer* solved) {
  PairCheck check;
  if (std::string missing = MissingInput(in); !missing.empty()) {
    check.limits.push_back({false, missing});
    return check;
  }
  const Published published = PublishedModes(in);
  const std::string note = solved == nullptr ? "solving..." : solved->reason;
  check.rows = Rows(published, solved == nullptr ? Modes{} : SolvedModes(*solved), note);
  if (Microstrip(in) && in.gigahertz > 0) {
    AddDispersion(in, check.rows);
  }
  check.limits.push_back(PublishedRange(in));
  if (solved != nullptr && solved->uncoupled) {
    check.limits.push_back({true,
                            "The strips lie more than 100 times the height apart: they are "
                            "uncoupled, and each mode is the single line."});
  }
  if (solved != nullptr && !solved->reason.empty()) {
    check.limits.push_back({false, "Field solver: " + solved->reason});
  }
  return check;
}

std::array<std::string, 4> PairCells(const PairRow& row) {
  std::string solver = FigureOr(row.solver, row.solverNote, 6);
  if (std::isfinite(row.solver) && std::isfinite(row.estimate)) {
    solver += " ± " + Figure(100 * row.estimate, 2) + " %";
  }
  std::string difference;
  if (std::isfinite(row.published) && std::isfinite(row.solver)) {
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

// Why a search found no figure: the end of the range the target lies beyond, with the pair's
// figure solved at that end, or the solver's reason.
std::string Unreached(const roots::Root& root, double target, const char* ratio,
                      const field_solver::PairAnswer& last) {
  using Outcome = roots::Root::Outcome;
  switch (root.outcome) {
    case Outcome::kBeyondLowest:
    case Outcome::kBeyondHighest:
      return std::string("The target lies ") + (root.miss > 0 ? "below" : "above") +
             " the pair's " + Figure(target * std::exp(root.miss), 4) + " ohm at " + ratio + ' ' +
             Figure(root.outcome == Outcome::kBeyondLowest ? kNarrowest : kWidest) +
             ", the end of the range.";
    case Outcome::kStopped:
      return std::string(field_solver::kStopped);
    case Outcome::kUnsettled:
      return "The solver's differential impedance does not settle on the target.";
    default:
      return last.reason;
  }
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

}  // namespace mq
