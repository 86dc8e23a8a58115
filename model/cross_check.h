// SPDX-License-Identifier: MIT
// How far to trust a page's figures: each beside the published model it comes from and the field
// solver's quasi-static answer for the cross-section, and the limits of the closed forms, from
// the page's field texts read as its procedures read them. Nothing is written and no message is
// shown: a missing or impossible input is named in the row it spoils, in the words of the page's
// own messages.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_set.h"
#include "model/field_solver.h"

namespace mq {

inline constexpr double kNoFigure = std::numeric_limits<double>::quiet_NaN();

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
  std::string solverNote;       // why the solver gives none: still solving, its reason
};

struct Limit {
  bool ok;
  std::string words;
};

struct CrossCheck {
  std::vector<Comparison> comparisons;
  std::vector<Limit> limits;
};

// The field solver's figures for a page: its cross-section analysed, and the width (inner
// diameter) it needs for the page's Impedance field, in mm.
struct SolvedPage {
  field_solver::Answer analysis;
  double width = kNoFigure;
  double widthEstimate = kNoFigure;  // relative
  std::string widthReason;
};

// Page 1 microstrip, 2 stripline, 3 coaxial. Without the solver's figures its column says
// they are still to come.
CrossCheck CrossCheckPage(int page, const FieldSet& fields, const SolvedPage* solved = nullptr);

// A field's number as the pages read it, a decimal comma counted, without writing the field.
double ReadAsThePagesDo(const FieldSet& fields, std::string_view name);

// Up to a few hundred milliseconds of work, so the window runs it off its own thread. The
// microstrip page has no thickness field: its strip's thickness (mm) comes apart.
SolvedPage SolvePage(int page, const FieldSet& fields, double microstripThickness);

// A comparison's cells, in the order of the columns; and the whole check as text lines: the
// columns, a row each, then each limit as "ok: ..." or "warning: ...".
inline constexpr std::array<std::string_view, 5> kCrossCheckColumns = {
    "Quantity", "This page", "Published model", "Field solver", "Difference"};
std::array<std::string, 5> Cells(const Comparison& row);
std::vector<std::string> CrossCheckText(const CrossCheck& check);

}  // namespace mq
