// SPDX-License-Identifier: MIT
// Any line of the layered solver beside its published closed form: see model/line_check.h. The
// forms and their stated ranges are those of published/ (each header names its sources).
#include "model/line_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "model/figure_words.h"
#include "model/stated_range.h"
#include "published/broadside_stripline.h"
#include "published/coated_microstrip.h"
#include "published/coplanar_waveguide.h"
#include "published/embedded_microstrip.h"
#include "published/offset_stripline.h"
#include "published/reference_lines.h"
#include "published/root_finder.h"

namespace mq {
namespace {

using field_solver::LineKind;

struct Structure {
  std::string_view name;
  LineKind kind;
  bool pair;
};

// In the order of LineStructure.
constexpr std::array<Structure, 15> kStructures = {{
    {"microstrip", LineKind::kMicrostrip, false},
    {"coated-microstrip", LineKind::kCoatedMicrostrip, false},
    {"embedded-microstrip", LineKind::kEmbeddedMicrostrip, false},
    {"stripline", LineKind::kStripline, false},
    {"offset-stripline", LineKind::kOffsetStripline, false},
    {"cpw", LineKind::kCoplanar, false},
    {"gcpw", LineKind::kGroundedCoplanar, false},
    {"microstrip-pair", LineKind::kMicrostrip, true},
    {"coated-microstrip-pair", LineKind::kCoatedMicrostrip, true},
    {"embedded-microstrip-pair", LineKind::kEmbeddedMicrostrip, true},
    {"stripline-pair", LineKind::kStripline, true},
    {"offset-stripline-pair", LineKind::kOffsetStripline, true},
    {"cpw-pair", LineKind::kCoplanar, true},
    {"gcpw-pair", LineKind::kGroundedCoplanar, true},
    {"broadside-pair", LineKind::kBroadside, true},
}};

const Structure& Of(LineStructure structure) {
  return kStructures[static_cast<std::size_t>(structure)];
}

bool Coplanar(LineKind kind) {
  return kind == LineKind::kCoplanar || kind == LineKind::kGroundedCoplanar;
}

// The broadside pair is centred between its planes, b apart.
double BroadsidePlaneSpacing(const LineInputs& in) {
  return in.height + in.heightAbove + 2 * in.thickness + in.spacing;
}

// --- Published forms, each of numbers ------------------------------------------------------

// A ratio and the range its model states for it.
struct Bound {
  const char* name;
  double value, lowest, highest;
};

// The bounds broken, as "W/h 0.05, er 20"; nothing inside them all.
std::string Broken(std::initializer_list<Bound> bounds) {
  std::string broken;
  for (const Bound& b : bounds) {
    if (!Within(b.value, b.lowest, b.highest)) {
      broken += (broken.empty() ? "" : ", ") + std::string(b.name) + ' ' + Figure(b.value, 3);
    }
  }
  return broken;
}

PublishedLine Single(reference::LineFigures f, std::string model, std::string range,
                     std::string outside) {
  return {f.impedance, f.permittivity, std::move(model), std::move(range), std::move(outside), {}};
}

PublishedLine HammerstadJensen(double w, double h, double t, double er) {
  return Single({reference::MicrostripThickImpedance(w, h, t, er),
                 reference::MicrostripThickEffectivePermittivity(w, h, t, er)},
                "Hammerstad and Jensen (1980)", "W/h 0.01-100, er up to 128",
                Broken({{"W/h", w / h, 0.01, 100}, {"er", er, 1, 128}}));
}

PublishedLine Coated(double w, double h, double t, double er, double mask, double maskEr) {
  return Single(reference::CoatedMicrostrip(w, h, t, er, mask, maskEr),
                "Bahl and Stuchly (1980), Wan and Hoorfar's filling factors (2000)", "W/h from 1",
                Broken({{"W/h", w / h, reference::kCoatedNarrowest, HUGE_VAL}}));
}

PublishedLine Embedded(double w, double h, double t, double cover, double er, double erAbove) {
  using namespace reference;
  if (erAbove != er) {
    return {kNoFigure, kNoFigure, "IPC-2141 (1996)",
            {},        {},        "The form's cover is of the substrate's dielectric."};
  }
  return Single(EmbeddedMicrostrip(w, h, t, cover, er), "IPC-2141 (1996)", "W/h 0.1-2, er up to 15",
                Broken({{"W/h", w / h, kEmbeddedNarrowest, kEmbeddedWidest},
                        {"er", er, 1, kEmbeddedHighestPermittivity}}));
}

PublishedLine CohnStripline(double w, double b, double t, double er) {
  if (!(t > 0)) {
    return Single({reference::StriplineImpedance(w, b, er), er},
                  "Cohn (1954), exact at zero thickness", {}, {});
  }
  return Single(
      {reference::StriplineThickImpedance(w, b, t, er), er}, "Cohn (1955), thick strip",
      "W/(b - t) from 0.35",
      Broken({{"W/(b - t)", w / (b - t), reference::kThickStriplineNarrowest, HUGE_VAL}}));
}

PublishedLine Offset(double w, double h, double above, double t, double er, double erAbove) {
  const std::string model = "Cohn's thick strips offset (1955; Wadell 1991)";
  if (erAbove != er) {
    return {kNoFigure, kNoFigure, model, {}, {}, "The form has one dielectric, not two."};
  }
  const double farther = w / (2 * std::max(h, above));
  return Single(reference::OffsetStripline(w, h, above, t, er), model,
                "W/2d from 0.35, d the farther plane's distance",
                Broken({{"W/2d", farther, reference::kOffsetStriplineNarrowest, HUGE_VAL}}));
}

PublishedLine GhioneNaldi(const reference::CoplanarGeometry& g, bool grounded) {
  const bool finite = std::isfinite(g.groundWidth);
  PublishedLine p =
      grounded ? Single(reference::GroundedCoplanarWaveguide(g),
                        "Ghione and Naldi (1983), Gupta et al.'s thickness (1996)",
                        "wide side grounds", finite ? "side grounds of finite width" : "")
               : Single(reference::CoplanarWaveguide(g),
                        "Ghione and Naldi (1984, 1987), Gupta et al.'s thickness (1996)", {}, {});
  if (std::isnan(p.impedance)) {
    p.note = "Its thickness correction closes the gap.";
  }
  return p;
}

// Today's pairs (model/pair.h): Kirschning and Jansen, Cohn; the differential impedance 2 Zodd.
PublishedLine TodaysPair(const PairInputs& in) {
  const PublishedPair p = PublishedPairModel(in);
  const std::string outside = PairOutsideStatedRange(in);
  const bool microstrip = in.structure == PairStructure::kMicrostrip;
  const std::string range = microstrip         ? "W/h and s/h 0.1-10, er up to 18"
                            : in.thickness > 0 ? "W/b from 0.35"
                                               : "";
  return {2 * p.odd, kNoFigure, p.model, range, outside.empty() ? "" : outside.substr(2), p.note};
}

PublishedLine CohnBroadside(double w, double s, double b, double t, double er) {
  const auto z = reference::BroadsideCoupledStripline(w, s, b, er);
  return {2 * z.odd,
          kNoFigure,
          "Cohn (1960), exact at zero thickness",
          "strips of no thickness",
          t > 0 ? "t " + Figure(t, 3) + " mm" : "",
          {}};
}

PublishedLine PublishedOfKind(const LineInputs& in) {
  const double w = in.width, s = in.spacing, h = in.height, t = in.thickness, er = in.permittivity;
  const reference::CoplanarGeometry coplanar{w, in.gap, h,
                                             t, er,     in.groundWidth.value_or(INFINITY)};
  switch (in.structure) {
    case LineStructure::kMicrostrip:
      return HammerstadJensen(w, h, t, er);
    case LineStructure::kCoatedMicrostrip:
      return Coated(w, h, t, er, in.maskThickness, in.maskPermittivity);
    case LineStructure::kEmbeddedMicrostrip:
      return Embedded(w, h, t, in.cover, er, in.permittivityAbove.value_or(er));
    case LineStructure::kStripline:
      return CohnStripline(w, h, t, er);
    case LineStructure::kOffsetStripline:
      return Offset(w, h, in.heightAbove, t, er, in.permittivityAbove.value_or(er));
    case LineStructure::kCoplanar:
    case LineStructure::kGroundedCoplanar:
      return GhioneNaldi(coplanar, in.structure == LineStructure::kGroundedCoplanar);
    case LineStructure::kMicrostripPair:
      return TodaysPair({PairStructure::kMicrostrip, w, s, h, t, er, 0});
    case LineStructure::kStriplinePair:
      return TodaysPair({PairStructure::kStripline, w, s, h, t, er, 0});
    case LineStructure::kBroadsidePair:
      return CohnBroadside(w, s, BroadsidePlaneSpacing(in), t, er);
    default:
      return {};
  }
}

// --- Checks --------------------------------------------------------------------------------

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

bool NotNegative(double v) {
  return std::isfinite(v) && v >= 0;
}

bool Dielectric(double er) {
  return std::isfinite(er) && er >= 1;
}

std::string FirstFailure(std::initializer_list<std::pair<bool, const char*>> checks) {
  for (const auto& [fails, words] : checks) {
    if (fails) {
      return words;
    }
  }
  return {};
}

// Judged rows, in order: the impedance, then for a single line its eeff.
PairRow Row(std::string quantity, std::string unit, const PublishedLine& published,
            double publishedFigure, const LineSolution& solved, double solverFigure,
            double estimate) {
  PairRow row;
  row.quantity = std::move(quantity);
  row.unit = std::move(unit);
  row.model = published.model;
  row.published = publishedFigure;
  row.publishedNote = published.note.empty() ? published.model : published.note;
  if (solved.reason.empty()) {
    row.solver = solverFigure;
    row.estimate = estimate;
  } else {
    row.solverNote = solved.reason;
  }
  return row;
}

std::vector<PairRow> Rows(const LineInputs& in, const PublishedLine& published,
                          const LineSolution& solved) {
  const bool pair = IsPair(in.structure);
  const double e = solved.Estimate(pair);
  std::vector<PairRow> rows = {Row(pair ? "Differential impedance" : "Impedance", "ohm", published,
                                   published.impedance, solved, solved.Impedance(pair), e)};
  if (!pair) {
    // C and C0 err alike on one mesh: eeff errs at most twice as much as Z0.
    rows.push_back(Row("Eff. dielectric constant", "", published, published.permittivity, solved,
                       solved.single.permittivity, 2 * e));
  }
  return rows;
}

// A line in one dielectric has eeff = er by its form: nothing to judge.
bool OneDielectric(const LineInputs& in) {
  return in.structure == LineStructure::kStripline ||
         in.structure == LineStructure::kOffsetStripline;
}

std::vector<Limit> Verdicts(const LineInputs& in, const PublishedLine& published,
                            std::vector<PairRow>& rows) {
  const std::string cause =
      published.outside.empty() ? "" : published.outside + " outside its stated range";
  std::vector<Limit> limits;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i == 1 && OneDielectric(in)) {
      continue;
    }
    const std::string subject =
        i == 0 ? (IsPair(in.structure) ? "differential impedance" : "impedance")
               : "eff. dielectric constant";
    if (auto limit = JudgeRow(rows[i], subject, cause)) {
      limits.push_back(std::move(*limit));
    }
  }
  return limits;
}

std::vector<Limit> Notes(const PublishedLine& published, const LineSolution& solved) {
  std::vector<Limit> notes;
  if (!published.note.empty()) {
    notes.push_back({false, "Published model: " + published.note});
  }
  if (!published.range.empty()) {
    notes.push_back(published.outside.empty()
                        ? Limit{true, "The line lies inside the published model's stated range (" +
                                          published.range + ")."}
                        : Limit{false, "Outside the published model's stated range (" +
                                           published.range + "): " + published.outside + "."});
  }
  if (!solved.reason.empty()) {
    notes.push_back({false, "Field solver: " + solved.reason});
  }
  return notes;
}

// --- The search ----------------------------------------------------------------------------

double LineInputs::*Member(LineUnknown unknown) {
  switch (unknown) {
    case LineUnknown::kSpacing:
      return &LineInputs::spacing;
    case LineUnknown::kGap:
      return &LineInputs::gap;
    default:
      return &LineInputs::width;
  }
}

// "W/h", "s/b", "g/h": the unknown over the Height field, b for the stripline's planes.
std::string RatioName(LineStructure structure, LineUnknown unknown) {
  const bool planes =
      structure == LineStructure::kStripline || structure == LineStructure::kStriplinePair;
  const char* over = planes ? "/b" : "/h";
  switch (unknown) {
    case LineUnknown::kSpacing:
      return std::string("s") + over;
    case LineUnknown::kGap:
      return std::string("g") + over;
    default:
      return std::string("W") + over;
  }
}

std::string UnknownMissing(const LineInputs& in, LineUnknown unknown) {
  if (unknown == LineUnknown::kSpacing && !IsPair(in.structure)) {
    return "A single line has no spacing to solve for.";
  }
  if (unknown == LineUnknown::kGap && !Coplanar(Of(in.structure).kind)) {
    return "Only a coplanar line has a gap to solve for.";
  }
  return {};
}

}  // namespace

std::optional<LineStructure> StructureNamed(std::string_view name) {
  for (std::size_t i = 0; i < kStructures.size(); ++i) {
    if (kStructures[i].name == name) {
      return static_cast<LineStructure>(i);
    }
  }
  return std::nullopt;
}

std::string_view StructureName(LineStructure structure) {
  return Of(structure).name;
}

bool IsPair(LineStructure structure) {
  return Of(structure).pair;
}

std::vector<std::string_view> StructureNames() {
  std::vector<std::string_view> names;
  for (const Structure& s : kStructures) {
    names.push_back(s.name);
  }
  return names;
}

std::string InvalidInput(const LineInputs& in) {
  const LineKind kind = Of(in.structure).kind;
  const bool offset = kind == LineKind::kOffsetStripline, broadside = kind == LineKind::kBroadside;
  return FirstFailure({
      {!Positive(in.width), "Width must be greater than zero."},
      {in.topWidth && !Positive(*in.topWidth), "Top width must be greater than zero."},
      {!Positive(in.height), "Height must be greater than zero."},
      {!NotNegative(in.thickness), "Thickness must not be negative."},
      {!Dielectric(in.permittivity), "Dielectric constant must be at least 1."},
      {IsPair(in.structure) && !Positive(in.spacing), "Spacing must be greater than zero."},
      {Coplanar(kind) && !Positive(in.gap), "Gap must be greater than zero."},
      {Coplanar(kind) && in.groundWidth && !Positive(*in.groundWidth),
       "Ground width must be greater than zero."},
      {(offset || broadside) && !Positive(in.heightAbove),
       "Height above must be greater than zero."},
      {broadside && in.heightAbove != in.height,
       "The broadside pair lies centred between its planes: Height above must equal Height."},
      {in.permittivityAbove && !Dielectric(*in.permittivityAbove),
       "Dielectric constant above must be at least 1."},
      {kind == LineKind::kEmbeddedMicrostrip && !NotNegative(in.cover),
       "Cover must not be negative."},
      {kind == LineKind::kCoatedMicrostrip && !NotNegative(in.maskThickness),
       "Mask thickness must not be negative."},
      {kind == LineKind::kCoatedMicrostrip && !Dielectric(in.maskPermittivity),
       "Mask dielectric constant must be at least 1."},
      {kind == LineKind::kStripline && !(in.thickness < in.height),
       "Thickness must be smaller than the planes' spacing."},
  });
}

field_solver::Line SolverLine(const LineInputs& in) {
  field_solver::Line l;
  l.kind = Of(in.structure).kind;
  l.width = in.width;
  l.topWidth = in.topWidth;
  l.thickness = in.thickness;
  l.height = l.kind == LineKind::kBroadside ? BroadsidePlaneSpacing(in) : in.height;
  l.permittivity = in.permittivity;
  l.permittivityAbove = in.permittivityAbove;
  l.heightAbove = in.heightAbove;
  l.cover = in.cover;
  l.gap = in.gap;
  l.groundWidth = in.groundWidth;
  if (in.maskThickness > 0) {
    l.mask = field_solver::Mask{in.maskThickness, in.maskThickness, in.maskPermittivity};
  }
  l.spacing = in.spacing;
  return l;
}

double LineSolution::Impedance(bool isPair) const {
  return isPair ? 2 * pair.odd.impedance : single.impedance;
}

double LineSolution::Estimate(bool isPair) const {
  return isPair ? pair.odd.estimate : single.estimate;
}

namespace {

// A rectangular strip on one substrate or between two planes is what the strip solver was built
// for: the same figures within their estimates, at a tenth of the layered solve's cost.
bool StripSolverLine(const LineInputs& in) {
  const bool rectangular = !in.topWidth || *in.topWidth == in.width;
  const LineStructure s = in.structure;
  return rectangular && (s == LineStructure::kMicrostrip || s == LineStructure::kStripline ||
                         s == LineStructure::kMicrostripPair || s == LineStructure::kStriplinePair);
}

field_solver::PairAnswer SolvePairOfStrips(const LineInputs& in, const std::atomic<bool>* stop) {
  return in.structure == LineStructure::kMicrostripPair
             ? field_solver::SolveMicrostripPair(in.width, in.spacing, in.height, in.thickness,
                                                 in.permittivity, stop)
             : field_solver::SolveStriplinePair(in.width, in.spacing, in.height, in.thickness,
                                                in.permittivity, stop);
}

field_solver::Answer SolveStrip(const LineInputs& in, const std::atomic<bool>* stop) {
  return in.structure == LineStructure::kMicrostrip
             ? field_solver::SolveMicrostrip(in.width, in.height, in.thickness, in.permittivity,
                                             stop)
             : field_solver::SolveStripline(in.width, in.height, in.thickness, in.permittivity,
                                            stop);
}

}  // namespace

LineSolution SolveLineInputs(const LineInputs& in, const std::atomic<bool>* stop) {
  LineSolution solved;
  const bool strip = StripSolverLine(in);
  if (IsPair(in.structure)) {
    solved.pair =
        strip ? SolvePairOfStrips(in, stop) : field_solver::SolveLinePair(SolverLine(in), stop);
    solved.reason = solved.pair.reason;
  } else {
    solved.single = strip ? SolveStrip(in, stop) : field_solver::SolveLine(SolverLine(in), stop);
    solved.reason = solved.single.reason;
  }
  return solved;
}

PublishedLine PublishedFigures(const LineInputs& in) {
  PublishedLine published = PublishedOfKind(in);
  const bool trapezoid = in.topWidth && *in.topWidth != in.width;
  if (trapezoid && published.model != kNoPublishedModel) {
    published.range += (published.range.empty() ? "" : ", ") + std::string("rectangular strips");
    published.outside += (published.outside.empty() ? "" : ", ") + std::string("a trapezoid");
  }
  return published;
}

LineCheck CheckLine(const LineInputs& in, const LineSolution& solved) {
  return CheckLine(in, &solved, false);
}

LineCheck CheckLine(const LineInputs& in, const LineSolution* solved, bool updating) {
  LineCheck check;
  if (std::string invalid = InvalidInput(in); !invalid.empty()) {
    check.limits.push_back({false, invalid});
    return check;
  }
  LineSolution solving;
  solving.reason = "solving...";
  check.published = PublishedFigures(in);
  check.rows = Rows(in, check.published, solved != nullptr ? *solved : solving);
  for (PairRow& row : check.rows) {
    row.updating = updating && std::isfinite(row.solver);
  }
  check.limits =
      updating ? std::vector<Limit>{{false,
                                     "The field solution is being updated for these inputs; the "
                                     "verdicts follow.",
                                     true}}
               : Verdicts(in, check.published, check.rows);
  for (Limit& note : Notes(check.published, solved != nullptr ? *solved : LineSolution{})) {
    check.limits.push_back(std::move(note));
  }
  if (solved != nullptr && solved->pair.uncoupled && !updating) {
    check.limits.push_back({true, std::string(kUncoupledPair)});
  }
  return check;
}

LineSynthesis FindLineDimension(const LineInputs& in, LineUnknown unknown, double target,
                                const std::atomic<bool>* stop) {
  LineSynthesis found;
  double LineInputs::*member = Member(unknown);
  LineInputs trial = in;
  // The dimension sought may be left out: the search then starts at one height.
  if (!Positive(trial.*member)) {
    trial.*member = in.height;
  }
  found.reason = UnknownMissing(in, unknown);
  if (found.reason.empty()) {
    found.reason = InvalidInput(trial);
  }
  if (found.reason.empty() && !Positive(target)) {
    found.reason = "The target impedance must be greater than zero.";
  }
  if (!found.reason.empty()) {
    return found;
  }
  const bool pair = IsPair(in.structure);
  const auto miss = [&](double lnX) {
    trial.*member = std::exp(lnX) * in.height;
    found.solution = SolveLineInputs(trial, stop);
    return found.solution.reason.empty()
               ? roots::Miss{std::log(found.solution.Impedance(pair) / target),
                             found.solution.Estimate(pair)}
               : roots::Miss{};
  };
  // Just inside the range, so that rounding in exp(ln x) never steps past its ends; a wider
  // strip lowers the impedance, a wider spacing or gap raises it.
  const double lowest = std::log(kNarrowestRatio) + 1e-9, highest = std::log(kWidestRatio) - 1e-9;
  const double start = std::clamp(std::log(trial.*member / in.height), lowest, highest);
  const roots::Root root =
      roots::FindRoot(miss, {lowest, highest, start, unknown != LineUnknown::kWidth}, stop);
  if (root.outcome == roots::Root::Outcome::kFound) {
    found.value = trial.*member;  // the last solved
  } else {
    found.reason = UnreachedTarget(root, target, pair ? "pair" : "line",
                                   RatioName(in.structure, unknown), found.solution.reason);
  }
  return found;
}

}  // namespace mq
