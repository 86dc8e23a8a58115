// SPDX-License-Identifier: MIT
// A differential pair, edge-coupled microstrip or stripline: its field solution beside the
// published models (Kirschning and Jansen's coupled microstrip, Cohn's coupled stripline), the
// rows of the pair window and of `fieldcalc Pair`, and the width or spacing for a target
// differential impedance. Lengths in mm, the frequency in GHz.
#pragma once

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cross_check.h"
#include "published/root_finder.h"
#include "solver/field_solver.h"

namespace mq {

enum class PairStructure { kMicrostrip, kStripline };

struct PairInputs {
  PairStructure structure = PairStructure::kMicrostrip;
  double width = 0;
  double spacing = 0;  // between the strips' facing edges
  double height = 0;   // the substrate h, or the planes' spacing b
  double thickness = 0;
  double permittivity = 0;
  double gigahertz = 0;  // for the microstrip's dispersion; none at 0
};

// Both modes by the field solver; a raised `stop` ends it at its next step.
field_solver::PairAnswer SolvePairOf(const PairInputs& in, const std::atomic<bool>* stop = nullptr);

// One quantity of the pair: the published model's figure beside the solver's, with its relative
// error estimate; a figure that is not there is NaN and a note says why.
struct PairRow {
  std::string quantity;
  std::string unit;
  std::string model;  // the published model and its source
  double published = kNoFigure;
  double solver = kNoFigure;
  double estimate = kNoFigure;  // relative
  std::string publishedNote;
  std::string solverNote;
  // The published figure judged against the solver's; none while either is missing or the
  // solver's figure belongs to earlier inputs.
  Verdict verdict = Verdict::kNone;
  bool updating = false;  // the solver's figure is of earlier inputs
};

struct PairCheck {
  std::vector<PairRow> rows;
  std::vector<Limit> limits;
};

// What the published model is judged against: the solved pair and, for microstrips with
// thickness, the same pair at zero thickness, which tells whether the model's thickness form is to
// blame. An answer of earlier inputs (`updating`) is shown, but judges nothing.
struct PairSolution {
  const field_solver::PairAnswer* pair = nullptr;
  const field_solver::PairAnswer* flat = nullptr;
  bool updating = false;
};

// The pair solved for its check: as it is and, for microstrips with thickness, at zero thickness
// (Cohn's zero-thickness stripline pair is exact, so a stripline needs no second solve).
struct SolvedPair {
  field_solver::PairAnswer pair;
  std::optional<field_solver::PairAnswer> flat;
  PairSolution Judged(bool updating = false) const {
    return {&pair, flat ? &*flat : nullptr, updating};
  }
};
SolvedPair SolvePairToJudge(const PairInputs& in, const std::atomic<bool>* stop = nullptr);

// The rows: differential, common-mode, odd- and even-mode impedance; odd and even eeff (static,
// and for microstrip at the frequency); coupling as k and in dB; odd and even delay and their
// skew. Then the verdicts: the published model's differential and common-mode impedance and
// odd and even eeff against the field solution, ok within kAgreement, else a warning with the
// size, the cause where it can be told and the figure to use; then the published models' ranges
// and the solver's notes. Without the solver's answer its column says it is still to come.
PairCheck CheckPair(const PairInputs& in, const PairSolution& solution);
PairCheck CheckPair(const PairInputs& in, const field_solver::PairAnswer* solved);
// Said of a pair whose modes agree within the solver's estimate.
inline constexpr std::string_view kUncoupledPair =
    "The two modes agree within the solver's estimate: the strips are uncoupled, and each mode "
    "is the single line.";

inline constexpr std::array<std::string_view, 4> kPairColumns = {"Quantity", "Published model",
                                                                 "Field solver", "Difference"};
std::array<std::string, 4> PairCells(const PairRow& row);

// The width (spacing) that gives the pair the target differential impedance, the other
// dimensions as they are: in mm, or NaN with the reason, which names the end of the range
// reached. A raised `stop` ends the search at its next solve, with no figure.
struct PairSynthesis {
  double value = kNoFigure;
  std::string reason;
  field_solver::PairAnswer pair;  // of the pair found
};
PairSynthesis FindPairWidth(const PairInputs& in, double differentialImpedance,
                            const std::atomic<bool>* stop = nullptr);
PairSynthesis FindPairSpacing(const PairInputs& in, double differentialImpedance,
                              const std::atomic<bool>* stop = nullptr);

// --- Shared with the other lines' checks (model/line_check.h) ---------------------------------

// The pair's published model (Kirschning and Jansen, or Cohn): its static modes, NaN with the
// note why where it gives none.
struct PublishedPair {
  double even = kNoFigure, odd = kNoFigure;
  double evenPermittivity = kNoFigure, oddPermittivity = kNoFigure;
  std::string model;
  std::string note;
};
PublishedPair PublishedPairModel(const PairInputs& in);

// The pair's ratios outside its published model's stated range, as ", W/h 0.05, s/h 12";
// nothing inside it.
std::string PairOutsideStatedRange(const PairInputs& in);

// A row's published figure against the solver's: ok within kAgreement with the signed
// difference, else a warning with the size, the cause (where not empty) and the solver's figure
// to use; nothing while either figure is missing. Sets the row's verdict.
std::optional<Limit> JudgeRow(PairRow& row, const std::string& subject, const std::string& cause);

// The searches' range, in heights (plane spacings), and why a search found no figure: the end
// the target lies beyond with `what`'s figure there ("the pair's 80.1 ohm at W/h 0.01"), the
// stop, or the solver's last reason.
inline constexpr double kNarrowestRatio = 0.01;
inline constexpr double kWidestRatio = 100;
std::string UnreachedTarget(const roots::Root& root, double target, std::string_view what,
                            std::string_view ratio, const std::string& lastReason);

}  // namespace mq
