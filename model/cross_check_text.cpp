// SPDX-License-Identifier: MIT
// The cross-check as cells of a table and as lines of text.
#include <cmath>
#include <string>

#include "model/cross_check.h"
#include "model/figure_words.h"

namespace mq {
namespace {

std::string SolverCell(const Comparison& row) {
  if (!std::isfinite(row.solver)) {
    return FigureOr(row.solver, row.solverNote);
  }
  std::string cell = Figure(row.solver, 6);
  if (std::isfinite(row.estimate)) {
    cell += " ± " + Figure(100 * row.estimate, 2) + " %";
  }
  return row.updating ? cell + " (updating)" : cell;
}

// The page against the solver, and the model against it; against the model where the solver has
// no figure. Nothing while the solver's figure is of earlier inputs.
std::string DifferenceCell(const Comparison& row) {
  if (row.updating) {
    return {};
  }
  if (std::isfinite(row.solver) && std::isfinite(row.page)) {
    std::string difference = "page " + Percent(row.page, row.solver);
    if (std::isfinite(row.published)) {
      difference += ", model " + Percent(row.published, row.solver);
    }
    return difference;
  }
  if (std::isfinite(row.page) && std::isfinite(row.published)) {
    return "page " + Percent(row.page, row.published) + " on the model";
  }
  return {};
}

std::string PublishedCell(const Comparison& row) {
  if (std::isnan(row.published) && !row.publishedNote.empty()) {
    return row.publishedNote;
  }
  return FigureOr(row.published, std::isnan(row.page) ? "" : row.missing);
}

}  // namespace

std::array<std::string, 5> Cells(const Comparison& row) {
  return {row.quantity + (row.unit.empty() ? "" : " (" + row.unit + ")"),
          FigureOr(row.page, row.missing.empty() ? "none" : row.missing), PublishedCell(row),
          SolverCell(row), DifferenceCell(row)};
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
    lines.push_back((limit.pending ? "pending: " : limit.ok ? "ok: " : "warning: ") + limit.words);
  }
  return lines;
}

}  // namespace mq
