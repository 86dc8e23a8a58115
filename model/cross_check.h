// SPDX-License-Identifier: MIT
// How far to trust a page's figures: each beside the published model it comes from and the field
// solver's quasi-static answer for the cross-section, and the limits of the closed forms, from
// the page's field texts read as its procedures read them. Nothing is written and no message is
// shown: a missing or impossible input is named in the row it spoils, in the words of the page's
// own messages.
#pragma once

#include <array>
#include <atomic>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_set.h"
#include "solver/field_solver.h"

namespace mq {

inline constexpr double kNoFigure = std::numeric_limits<double>::quiet_NaN();

// How near the field solution a page's figure must lie to be called right.
inline constexpr double kAgreement = 0.01;

// A page's figure judged against the field solution's: none while either figure is missing.
enum class Verdict { kNone, kAgrees, kDiffers };

// One figure of the page beside the published model's and the field solver's; a figure that
// is not there is NaN, and the words say why.
struct Comparison {
  std::string quantity;  // "Impedance"
  std::string unit;      // "ohm", "mm" or empty
  std::string model;     // the published model and its source: "Hammerstad and Jensen (1980)"
  double page = kNoFigure;
  double published = kNoFigure;
  double solver = kNoFigure;
  double estimate = kNoFigure;  // the solver's relative error estimate
  std::string missing;          // why the page and the model give no figure
  std::string publishedNote;    // why the model gives none where the page does
  std::string solverNote;       // why the solver gives none: still solving, its reason
  Verdict verdict = Verdict::kNone;
  bool updating = false;  // the solver's figure is of earlier inputs
  // The published model of a strip of no thickness, as the page assumes: where the page agrees
  // with it and not with the field solution, the thickness is what the page missed.
  double zeroThickness = kNoFigure;
};

// A verdict or a note: ok, a warning, or (pending) one that waits for the field solution.
struct Limit {
  bool ok;
  std::string words;
  bool pending = false;
};

struct CrossCheck {
  std::vector<Comparison> comparisons;
  std::vector<Limit> limits;
};

struct LossBasis;  // model/line_loss.h, which needs this header's figures

// The field solver's figures for a page: its cross-section analysed, and the width (inner
// diameter) it needs for the page's Impedance field, in mm. The loss basis holds what of the
// line's loss frequency, conductivity and loss tangent leave alone, so an edit of those costs
// no solve.
struct SolvedPage {
  field_solver::Answer analysis;
  std::shared_ptr<const LossBasis> loss;  // its reason says why there is no figure
  double width = kNoFigure;
  double widthEstimate = kNoFigure;  // relative
  std::string widthReason;
  bool updating = false;  // of earlier inputs, shown while the newest are solved
};

// Page 1 microstrip, 2 stripline, 3 coaxial. Without the solver's figures its column says
// they are still to come. First come what the page left unread, then the verdicts on its
// figures, then the limits of its forms. The microstrip page has no thickness field: its
// strip's thickness (mm) comes apart.
CrossCheck CrossCheckPage(int page, const FieldSet& fields, const SolvedPage* solved = nullptr,
                          double microstripThickness = 0);

// A field's number as the pages read it, a decimal comma counted, without writing the field.
double ReadAsThePagesDo(const FieldSet& fields, std::string_view name);

// Up to a few hundred milliseconds of work, so the window runs it off its own thread. The
// microstrip page has no thickness field: its strip's thickness (mm) comes apart.
// A raised `stop` ends the solve at its next step (its reasons then say so).
SolvedPage SolvePage(int page, const FieldSet& fields, double microstripThickness,
                     const std::atomic<bool>* stop = nullptr);

// What the solve of a page reads, as text: the same text for inputs that solve the same (a
// frequency, a loss or a length typed, "1.6" for "1,60"), so a window asks again only on a change.
std::string SolverInputs(int page, const FieldSet& fields, double microstripThickness);

// A comparison's cells, in the order of the columns; and the whole check as text lines: the
// columns, a row each, then each limit as "ok: ...", "warning: ..." or "pending: ...".
inline constexpr std::array<std::string_view, 5> kCrossCheckColumns = {
    "Quantity", "This page", "Published model", "Field solver", "Difference"};
std::array<std::string, 5> Cells(const Comparison& row);
std::vector<std::string> CrossCheckText(const CrossCheck& check);

}  // namespace mq
