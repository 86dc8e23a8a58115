// SPDX-License-Identifier: MIT
// The cross-check's rows and verdicts for each page. The published models are those of
// published/reference_lines.h; the verdicts judge each page figure against the field solution, and
// where one is off by more than kAgreement they say by how much, why where the program can tell
// (the page's form ignores the strip's thickness; the page's ratio lies outside the range its
// forms were measured over), and the figure to use instead.
#include "model/cross_check.h"

#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

#include "model/coax.h"
#include "model/constants.h"
#include "model/figure_words.h"
#include "model/line_loss.h"
#include "model/line_models.h"
#include "model/microstrip.h"
#include "model/stated_range.h"
#include "model/stripline.h"
#include "model/unread_text.h"
#include "published/reference_lines.h"

namespace mq {
namespace {

namespace msg = messages;
using Check = std::pair<double, std::string_view>;  // a value that must be positive, its message

constexpr double kHertzPerGigahertz = 1e9;
constexpr double kMetresPerMillimetre = 1e-3;
// The range of W/h and W/b over which the accuracy notes (docs/accuracy.md, installed beside the
// program's other documents) measured the closed forms.
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

bool Measured(double ratio) {
  return Within(ratio, kMeasuredFrom, kMeasuredTo);
}

Limit RangeLimit(std::string_view ratioName, double ratio) {
  const bool inside = Measured(ratio);
  return {inside, std::string(ratioName) + " " + Figure(ratio, 3) +
                      (inside ? " lies inside" : " lies outside") +
                      " 0.05-10, where " MACQUELVOR_ACCURACY_PATH " measured the page's forms"};
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

// A model's width for the wanted impedance, solved for W/h (W/b) so that no bound of the search
// overflows: in mm, or NaN with the reason.
struct ModelWidth {
  double width = kNoFigure;
  std::string reason;
};

ModelWidth WidthOf(double height, const std::function<double(double)>& exactOfRatio,
                   double impedance, std::string_view ratioName, double narrowest, double widest) {
  const auto search = reference::SolveWidth(exactOfRatio, impedance, narrowest, widest);
  if (search.outcome != reference::WidthSearch::Outcome::kFound) {
    return {kNoFigure, SearchFailure(search.outcome, ratioName, narrowest, widest)};
  }
  return {search.width * height, {}};
}

// The solver's column: its figure with its estimate, or why there is none yet.
void AddSolver(Comparison& row, const SolvedPage* solved, double SolvedPage::*width) {
  if (solved == nullptr) {
    row.solverNote = "solving...";
    return;
  }
  row.updating = solved->updating;
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

// --- Verdicts -----------------------------------------------------------------------------

// What a verdict says of one row: the quantity in words, what the program can tell of the cause,
// and the figure to use instead.
struct Judgement {
  std::string subject;  // "impedance", "width for 50 ohm"
  std::string cause;    // "The page ignores the 0.035 mm thickness", or nothing
  std::string instead;  // "The strip should be 0.1356 mm wide."
  // Where two causes share the difference, how: "0.9 % is the page's form at zero thickness,
  // 0.5 % the 0.001 mm of copper it leaves out"; it follows the size.
  std::string split;
};

// The page's figure against the field solution's, or nothing while either is missing.
std::optional<Limit> Judge(Comparison& row, const Judgement& judgement) {
  if (std::isnan(row.page) || !std::isfinite(row.solver) || row.updating) {
    return std::nullopt;
  }
  const double off = row.page / row.solver - 1;
  const std::string instead = judgement.instead.empty() ? "" : " " + judgement.instead;
  if (std::fabs(off) <= kAgreement) {
    row.verdict = Verdict::kAgrees;
    return Limit{true, "The page's " + judgement.subject + " is within " +
                           Figure(100 * kAgreement) + " % of the field solution (" +
                           Percent(row.page, row.solver) + ")."};
  }
  row.verdict = Verdict::kDiffers;
  if (!std::isfinite(off)) {
    return Limit{false, "The page's " + judgement.subject + " has no finite figure." + instead};
  }
  const std::string size = Size(off) + " % " + (off > 0 ? "above" : "below") +
                           " the field solution" +
                           (judgement.split.empty() ? "." : ": " + judgement.split + ".");
  const std::string said = judgement.cause.empty()
                               ? "The page's " + judgement.subject + " is " + size
                               : judgement.cause + ": its " + judgement.subject + " is " + size;
  return Limit{false, said + instead};
}

// The page's own form at zero thickness (against the published one) and the copper it leaves out
// share the difference when the form's part is a tenth of it or more: then both are named.
constexpr double kSharedPart = 0.1;

double OwnFormPart(const Comparison& row) {
  return row.page / row.zeroThickness - 1;
}

bool SharedWithCopper(const Comparison& row) {
  const double off = row.page / row.solver - 1;
  return std::fabs(OwnFormPart(row)) >= kSharedPart * std::fabs(off);
}

// The copper alone is to blame: the page's own part is known and under a tenth.
bool CopperAlone(const Comparison& row) {
  const double off = row.page / row.solver - 1;
  return std::fabs(OwnFormPart(row)) < kSharedPart * std::fabs(off);
}

// "0.9 % is the page's form at zero thickness, 0.5 % the 0.001 mm of copper it leaves out", in
// points of the difference; nothing where the copper alone or neither is to blame.
std::string CopperSplit(const Comparison& row, double thickness) {
  const double off = row.page / row.solver - 1, own = OwnFormPart(row);
  if (!(thickness > 0) || !SharedWithCopper(row) ||
      !(std::fabs(off - own) >= kSharedPart * std::fabs(off))) {
    return {};
  }
  const auto [form, copper] = Parts(off, own);
  return form + " is the page's form at zero thickness, " + copper + " the " +
         Figure(thickness, 4) + " mm of copper it leaves out";
}

// Why a row differs, where the program can tell: the page's own form at zero thickness (against
// the published model of a strip of no thickness) is under a tenth of the difference, so the
// thickness is what it missed; or its ratio lies past the range the page's forms were measured
// over.
std::string Cause(const Comparison& row, const std::string& thicknessCause,
                  std::string_view ratioName, double ratio) {
  if (!thicknessCause.empty() && CopperAlone(row)) {
    return thicknessCause;
  }
  if (!Measured(ratio)) {
    return std::string(ratioName) + " " + Figure(ratio, 3) +
           " lies outside 0.05-10, where the page's forms were measured";
  }
  return {};
}

// The verdicts of a check's rows, before its limits; while the solver works on newer inputs one
// line says they wait for it.
void AddVerdicts(CrossCheck& check, const std::vector<std::optional<Limit>>& verdicts) {
  std::vector<Limit> lines;
  bool updating = false;
  for (const Comparison& row : check.comparisons) {
    updating = updating || row.updating;
  }
  if (updating) {
    lines.push_back({false,
                     "The field solution is being updated for these inputs; the verdicts follow.",
                     true});
  }
  for (const auto& verdict : verdicts) {
    if (verdict) {
      lines.push_back(*verdict);
    }
  }
  check.limits.insert(check.limits.begin(), lines.begin(), lines.end());
}

void AddUnreadText(CrossCheck& check, int page, const FieldSet& fields) {
  std::vector<Limit> lines;
  for (std::string& words : UnreadText(page, fields)) {
    lines.push_back({false, std::move(words)});
  }
  check.limits.insert(check.limits.begin(), lines.begin(), lines.end());
}

std::string Millimetres(double value) {
  return Figure(value, 4) + " mm";
}

// "For 50 ohm the strip should be 0.1356 mm wide.", or the impedance the solver gives.
std::string InsteadOfImpedance(const Comparison& impedance, const Comparison& width,
                               double wanted) {
  if (std::isfinite(width.solver) && !width.updating) {
    return "For " + Figure(wanted, 4) + " ohm the strip should be " + Millimetres(width.solver) +
           " wide.";
  }
  return "The field solution gives " + Figure(impedance.solver, 4) + " ohm.";
}

// --- Attenuation --------------------------------------------------------------------------

// What a page's loss reads besides its cross-section.
struct Materials {
  double gigahertz, conductivity, lossTangent;
};

constexpr std::string_view kConductivity = "Conductivity must be greater than zero.";

// The field solution's loss at the page's frequency, conductivity and loss tangent, of smooth
// copper, in dB/m: only this is worked here, the solve of the cross-section having been done
// with the rest.
void AddSolverLoss(Comparison& row, const SolvedPage* solved, const Materials& m) {
  if (solved == nullptr) {
    row.solverNote = "solving...";
    return;
  }
  row.updating = solved->updating;
  const LossBasis* basis = solved->loss.get();
  if (basis == nullptr || !basis->reason.empty()) {
    row.solverNote = basis == nullptr ? solved->analysis.reason : basis->reason;
    return;
  }
  MaterialsAt at;
  at.frequency = m.gigahertz * kHertzPerGigahertz;
  at.conductivity = m.conductivity;
  at.dk = basis->permittivities;
  at.df.assign(basis->permittivities.size(), m.lossTangent);
  row.solver = LossAt(basis->single, *basis, at).Total() * kDecibelsPerNeper;
}

// The page's attenuation beside the field solution's; its published model is the page's own.
Comparison AttenuationRow(std::string model, std::initializer_list<Check> needs, const Materials& m,
                          const SolvedPage* solved, const std::function<double()>& page) {
  return Row("Attenuation", "dB/m", std::move(model), needs, [&](Comparison& row) {
    row.page = page();
    row.publishedNote = "the page's own form";
    AddSolverLoss(row, solved, m);
  });
}

std::optional<Limit> JudgeAttenuation(Comparison& row) {
  return Judge(
      row, {"attenuation", "", "The field solution gives " + Figure(row.solver, 4) + " dB/m.", ""});
}

// --- Microstrip ---------------------------------------------------------------------------

struct Microstrip {
  double width, height, permittivity, gigahertz, impedance, degrees, thickness;
  double conductivity, lossTangent;
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

std::string MicrostripModel(double thickness) {
  return thickness > 0 ? "Hammerstad and Jensen (1980), with their thickness correction"
                       : "Hammerstad and Jensen (1980)";
}

Comparison DispersionRow(const Microstrip& in) {
  const double w = in.width, h = in.height, er = in.permittivity;
  // The page has no dispersion: at any frequency it shows its static figure.
  const std::string at = in.gigahertz > 0 ? Figure(in.gigahertz) + " GHz" : "the page's frequency";
  return Row("Eff. dielectric constant at " + at, "", "Kirschning and Jansen (1982)",
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
             });
}

// The length of the page's electrical length: the page's from its static eeff (with its own
// constants, as its procedures work it), the model's from the dispersed eeff at its frequency.
Comparison LengthRow(const Microstrip& in) {
  const double w = in.width, h = in.height, er = in.permittivity;
  const std::string at = in.gigahertz > 0 ? Figure(in.gigahertz) + " GHz" : "the page's frequency";
  return Row("Physical length at " + at, "mm", "Kirschning and Jansen (1982), dispersed",
             {{h, msg::kHeight},
              {w, msg::kWidth},
              {in.gigahertz, msg::kFrequency},
              {er, msg::kPermittivity},
              {in.degrees, "Electrical length must be greater than zero."},
              NotBelowAir(er)},
             [&](Comparison& row) {
               const double hertz = in.gigahertz * kHertzPerGigahertz;
               const double radians = in.degrees * constants::kRadiansPerDegree;
               row.page =
                   radians /
                   constants::PhaseConstant(hertz, microstrip::EffectivePermittivity(w, h, er)) /
                   kMetresPerMillimetre;
               const double dispersed = reference::MicrostripDispersedPermittivity(
                   w * kMetresPerMillimetre, h * kMetresPerMillimetre, er, hertz);
               row.published = in.degrees / 360 * reference::kSpeedOfLight /
                               (hertz * std::sqrt(dispersed)) / kMetresPerMillimetre;
               row.solverNote = "quasi-static";
             });
}

// The page's static length against the dispersed line's: the page ignores its frequency.
std::optional<Limit> JudgeLength(const Comparison& row, const Microstrip& in) {
  if (std::isnan(row.page) || !(row.published > 0 && std::isfinite(row.published))) {
    return std::nullopt;
  }
  const double off = row.page / row.published - 1;
  const std::string what = "the page's length for " + Figure(in.degrees, 4) + " degrees";
  const std::string cut = " Cut it " + Millimetres(row.published) + " long.";
  if (std::fabs(off) <= kAgreement) {
    return Limit{true, "At " + Figure(in.gigahertz) + " GHz " + what + " is within " +
                           Figure(100 * kAgreement) + " % of the dispersed line's (" +
                           Percent(row.page, row.published) + ")."};
  }
  if (!std::isfinite(off)) {
    return Limit{false, "The page's length has no finite figure." + cut};
  }
  return Limit{false, "The page ignores dispersion: at " + Figure(in.gigahertz) + " GHz " + what +
                          " is " + Size(off) + " % " + (off > 0 ? "above" : "below") +
                          " the dispersed line's (Kirschning and Jansen)." + cut};
}

// Pozar's conductor loss takes the current as spread evenly over the strip's width; the field
// solution sees it crowd to the edges and into the ground plane.
Comparison MicrostripLossRow(const Microstrip& in, const SolvedPage* solved) {
  const double w = in.width, h = in.height, er = in.permittivity;
  const Materials m{in.gigahertz, in.conductivity, in.lossTangent};
  return AttenuationRow(
      "Pozar (2012), Rs/(Z0 W) and the dielectric loss",
      {{h, msg::kHeight},
       {w, msg::kWidth},
       {in.gigahertz, msg::kFrequency},
       {er, msg::kPermittivity},
       {m.conductivity, kConductivity}},
      m, solved, [&] {
        microstrip::AnalysisInput page;
        page.line = {w * kMetresPerMillimetre, h * kMetresPerMillimetre,        er, m.lossTangent,
                     m.conductivity,           m.gigahertz * kHertzPerGigahertz};
        return microstrip::ComputeAnalysis(page).attenuation;
      });
}

CrossCheck CheckMicrostrip(const Microstrip& in, const SolvedPage* solved) {
  const double w = in.width, h = in.height, er = in.permittivity, t = in.thickness;
  const std::string model = MicrostripModel(t);
  const std::initializer_list<Check> line = {
      {h, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, NotBelowAir(er)};
  CrossCheck check;
  auto& rows = check.comparisons;
  rows.push_back(Row("Impedance", "ohm", model, line, [&](Comparison& row) {
    row.page =
        microstrip::CharacteristicImpedance(w, h, microstrip::EffectivePermittivity(w, h, er));
    row.published = reference::MicrostripThickImpedance(w, h, t, er);
    row.zeroThickness = reference::MicrostripImpedance(w, h, er);
    AddSolver(row, solved, nullptr);
  }));
  rows.push_back(Row("Eff. dielectric constant, static", "", model, line, [&](Comparison& row) {
    row.page = microstrip::EffectivePermittivity(w, h, er);
    row.published = reference::MicrostripThickEffectivePermittivity(w, h, t, er);
    row.zeroThickness = reference::MicrostripEffectivePermittivity(w, h, er);
    AddSolver(row, solved, nullptr);
  }));
  rows.push_back(DispersionRow(in));
  rows.push_back(LengthRow(in));
  rows.push_back(Row(
      "Width for the Impedance field", "mm", model + ", solved for W",
      {{h, msg::kHeight},
       {in.impedance, msg::kImpedance},
       {er, msg::kPermittivity},
       NotBelowAir(er)},
      [&](Comparison& row) {
        row.page = microstrip::SynthesizedWidth(in.impedance, h, er);
        const auto thick = [&](double u) {
          return reference::MicrostripThickImpedance(u, 1, t / h, er);
        };
        const auto flat = [&](double u) { return reference::MicrostripImpedance(u, 1, er); };
        const ModelWidth published =
            WidthOf(h, thick, in.impedance, "W/h", kMicrostripNarrowest, kMicrostripWidest);
        row.published = published.width;
        row.missing = published.reason;
        row.zeroThickness =
            WidthOf(h, flat, in.impedance, "W/h", kMicrostripNarrowest, kMicrostripWidest).width;
        AddSolver(row, solved, &SolvedPage::width);
      }));
  rows.push_back(MicrostripLossRow(in, solved));
  const std::string copper =
      t > 0 ? "The page assumes no copper, the cross-check a " + Millimetres(t) + " thick strip"
            : "";
  const std::string wanted = "width for " + Figure(in.impedance, 4) + " ohm";
  AddVerdicts(
      check,
      {Judge(rows[0],
             {"impedance", Cause(rows[0], copper, "W/h", w / h),
              InsteadOfImpedance(rows[0], rows[4], in.impedance), CopperSplit(rows[0], t)}),
       Judge(rows[1], {"static effective dielectric constant", Cause(rows[1], copper, "W/h", w / h),
                       "The field solution gives " + Figure(rows[1].solver, 5) + ".",
                       CopperSplit(rows[1], t)}),
       JudgeLength(rows[3], in),
       Judge(rows[4], {wanted, Cause(rows[4], copper, "W/h", rows[4].page / h),
                       "The strip should be " + Millimetres(rows[4].solver) + " wide.",
                       CopperSplit(rows[4], t)}),
       JudgeAttenuation(rows[5])});
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

// --- Stripline ----------------------------------------------------------------------------

struct Stripline {
  double width, spacing, thickness, permittivity, conductivity, gigahertz, impedance, lossTangent;
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

std::string StriplineModel(double thickness) {
  return thickness > 0 ? "Cohn (1955), thick strip, W/(b - t) from 0.35"
                       : "Cohn (1954), exact at zero thickness";
}

// The published impedance of the strip as it is: Cohn's exact form at zero thickness, his
// thick-strip form where it applies; NaN where neither does.
double StriplinePublished(double w, double b, double t, double er) {
  if (!(t > 0)) {
    return reference::StriplineImpedance(w, b, er);
  }
  return Within(w / (b - t), reference::kThickStriplineNarrowest, HUGE_VAL)
             ? reference::StriplineThickImpedance(w, b, t, er)
             : kNoFigure;
}

constexpr std::string_view kNoThickForm = "No published thick-strip form below W/(b - t) 0.35.";

Comparison StriplineWidthRow(const Stripline& in, const SolvedPage* solved) {
  const double b = in.spacing, t = in.thickness, er = in.permittivity;
  const Check thin{b - t, msg::kThicknessNotSmaller};
  return Row("Width for the Impedance field", "mm", StriplineModel(t) + ", solved for W",
             {{b, msg::kHeight}, {er, msg::kPermittivity}, {in.impedance, msg::kImpedance}, thin},
             [&](Comparison& row) {
               row.page = stripline::SynthesizedWidth(in.impedance, b, er);
               const auto exact = [er](double u) {
                 return reference::StriplineImpedance(u, 1, er);
               };
               const ModelWidth flat =
                   WidthOf(b, exact, in.impedance, "W/b", kStriplineNarrowest, kStriplineWidest);
               row.zeroThickness = flat.width;
               if (t > 0) {
                 // Searched over the thick form's own range, W/(b - t) from 0.35.
                 const double gap = 1 - t / b;
                 const auto thick = [&](double u) {
                   return reference::StriplineThickImpedance(u, 1, t / b, er);
                 };
                 const ModelWidth published =
                     WidthOf(b, thick, in.impedance, "W/b",
                             reference::kThickStriplineNarrowest * gap, kStriplineWidest);
                 row.published = published.width;
                 row.publishedNote = published.width > 0 ? "" : std::string(kNoThickForm);
               } else {
                 row.published = flat.width;
                 row.missing = flat.reason;
               }
               AddSolver(row, solved, &SolvedPage::width);
             });
}

Comparison StriplineLossRow(const Stripline& in, const SolvedPage* solved) {
  const double w = in.width, b = in.spacing, t = in.thickness, er = in.permittivity;
  const Materials m{in.gigahertz, in.conductivity, in.lossTangent};
  return AttenuationRow(
      "Pozar (2012), Wheeler's incremental inductance for low and high Z0, and k tan(delta) / 2",
      {{b, msg::kHeight},
       {w, msg::kWidth},
       {in.gigahertz, msg::kFrequency},
       {er, msg::kPermittivity},
       {b - t, msg::kThicknessNotSmaller},
       {m.conductivity, kConductivity}},
      m, solved, [&] {
        stripline::AnalysisInput page;
        page.line = {w * kMetresPerMillimetre,
                     b * kMetresPerMillimetre,
                     t * kMetresPerMillimetre,
                     er,
                     m.lossTangent,
                     m.conductivity,
                     m.gigahertz * kHertzPerGigahertz};
        return stripline::ComputeAnalysis(page).attenuation;
      });
}

CrossCheck CheckStripline(const Stripline& in, const SolvedPage* solved) {
  const double w = in.width, b = in.spacing, er = in.permittivity, t = in.thickness;
  // A strip as thick as the spacing fails as the procedures fail it.
  const Check thin{b - t, msg::kThicknessNotSmaller};
  CrossCheck check;
  auto& rows = check.comparisons;
  rows.push_back(Row(
      "Impedance", "ohm", StriplineModel(t),
      {{b, msg::kHeight}, {w, msg::kWidth}, {er, msg::kPermittivity}, thin}, [&](Comparison& row) {
        row.page = stripline::CharacteristicImpedance(w, b, er);
        row.published = StriplinePublished(w, b, t, er);
        row.publishedNote = std::isnan(row.published) ? std::string(kNoThickForm) : "";
        row.zeroThickness = reference::StriplineImpedance(w, b, er);
        AddSolver(row, solved, nullptr);
      }));
  rows.push_back(StriplineWidthRow(in, solved));
  rows.push_back(StriplineLossRow(in, solved));
  const std::string ignored = t > 0 ? "The page ignores the " + Millimetres(t) + " thickness" : "";
  AddVerdicts(check,
              {Judge(rows[0],
                     {"impedance", Cause(rows[0], ignored, "W/b", w / b),
                      InsteadOfImpedance(rows[0], rows[1], in.impedance), CopperSplit(rows[0], t)}),
               Judge(rows[1], {"width for " + Figure(in.impedance, 4) + " ohm",
                               Cause(rows[1], ignored, "W/b", rows[1].page / b),
                               "The strip should be " + Millimetres(rows[1].solver) + " wide.",
                               CopperSplit(rows[1], t)}),
               JudgeAttenuation(rows[2])});
  check.limits.push_back(LimitOf("Skin depth",
                                 {{in.thickness, "The strip has no thickness to compare."},
                                  {in.gigahertz, msg::kFrequency},
                                  {in.conductivity, "Conductivity must be greater than zero."}},
                                 [&] { return SkinDepthLimit(in); }));
  check.limits.push_back(LimitOf("W/b", {{b, msg::kHeight}, {w, msg::kWidth}},
                                 [&] { return RangeLimit("W/b", w / b); }));
  return check;
}

// --- Coax ---------------------------------------------------------------------------------

struct Coax {
  double inner, outer, permittivity, gigahertz, impedance, conductivity, lossTangent;
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

Comparison CoaxLossRow(const Coax& in, const SolvedPage* solved) {
  const double d = in.inner, outer = in.outer, er = in.permittivity;
  const Materials m{in.gigahertz, in.conductivity, in.lossTangent};
  return AttenuationRow(
      "Pozar (2012), exact: Rs/(4 pi Z0) (1/a + 1/b) and k tan(delta) / 2",
      {{d, msg::kInnerDiameter},
       {outer, msg::kOuterDiameter},
       {outer - d, msg::kInnerNotSmaller},
       {in.gigahertz, msg::kFrequency},
       {er, msg::kPermittivity},
       {m.conductivity, kConductivity}},
      m, solved, [&] {
        coax::AnalysisInput page;
        page.material = {er, m.lossTangent, m.conductivity, m.gigahertz * kHertzPerGigahertz};
        page.innerRadius = d / 2 * kMetresPerMillimetre;
        page.outerRadius = outer / 2 * kMetresPerMillimetre;
        return coax::ComputeAnalysis(page).attenuation;
      });
}

CrossCheck CheckCoax(const Coax& in, const SolvedPage* solved) {
  const double d = in.inner, outer = in.outer, er = in.permittivity;
  const Check smaller{outer - d, msg::kInnerNotSmaller};
  const std::string model = "Exact TEM form, CODATA wave impedance";
  CrossCheck check;
  auto& rows = check.comparisons;
  rows.push_back(Row(
      "Impedance", "ohm", model,
      {{d, msg::kInnerDiameter}, {outer, msg::kOuterDiameter}, smaller, {er, msg::kPermittivity}},
      [&](Comparison& row) {
        row.page = coax::CharacteristicImpedance(d / 2, outer / 2, er);
        row.published = reference::CoaxImpedance(d, outer, er);
        AddSolver(row, solved, nullptr);
      }));
  rows.push_back(Row(
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
  rows.push_back(CoaxLossRow(in, solved));
  AddVerdicts(
      check,
      {Judge(rows[0], {"impedance", "",
                       "The field solution gives " + Figure(rows[0].solver, 4) + " ohm.", ""}),
       Judge(rows[1], {"inner diameter for " + Figure(in.impedance, 4) + " ohm", "",
                       "The inner diameter should be " + Millimetres(rows[1].solver) + ".", ""}),
       JudgeAttenuation(rows[2])});
  check.limits.push_back(LimitOf("First higher mode",
                                 {{d, msg::kInnerDiameter},
                                  {outer, msg::kOuterDiameter},
                                  smaller,
                                  {in.gigahertz, msg::kFrequency},
                                  {er, msg::kPermittivity}},
                                 [&] { return HigherModeLimit(in); }));
  return check;
}

CrossCheck CheckPage(int page, const FieldSet& f, const SolvedPage* solved, double thickness) {
  switch (page) {
    case 1:
      return CheckMicrostrip(
          {Read(f, "WidthField"), Read(f, "HeightField"), Read(f, "DiConstField"),
           Read(f, "FreqField"), Read(f, "ImpField"), Read(f, "ElLengthField"), thickness,
           Read(f, "ConField"), Read(f, "LossTanField")},
          solved);
    case 2:
      return CheckStripline(
          {Read(f, "WidthField2"), Read(f, "HeightField2"), Read(f, "ThicknessField2"),
           Read(f, "DiConstField2"), Read(f, "ConField2"), Read(f, "FreqField2"),
           Read(f, "ImpField2"), Read(f, "LossTanField2")},
          solved);
    case 3:
      return CheckCoax({Read(f, "InnerDiaField"), Read(f, "OuterDiaField"),
                        Read(f, "DiConstField3"), Read(f, "FreqField3"), Read(f, "ImpField3"),
                        Read(f, "ConField3"), Read(f, "LossTanField3")},
                       solved);
  }
  return {};
}

}  // namespace

double ReadAsThePagesDo(const FieldSet& fields, std::string_view name) {
  return ParseLeadingNumber(ReplaceFirstComma(fields.Text(name)));
}

CrossCheck CrossCheckPage(int page, const FieldSet& f, const SolvedPage* solved,
                          double microstripThickness) {
  CrossCheck check = CheckPage(page, f, solved, microstripThickness);
  AddUnreadText(check, page, f);
  return check;
}

}  // namespace mq
