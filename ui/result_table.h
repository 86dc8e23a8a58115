// SPDX-License-Identifier: MIT
// The read-only table of a checking window: figures in rows, notes spanning a row with the
// desktop's ok or warning icon. Updates change only the cells whose text changes, so the
// selection, the current cell and the scroll survive them; the Edit menu's Copy puts the
// selection on the clipboard as tab-separated text under a header row.
#pragma once

#include <QIcon>
#include <QTableWidget>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/cross_check.h"

namespace mq {

// The one cell of a row of figures that carries a verdict: a warning's icon, or none, and what a
// screen reader says of the cell.
struct CellMark {
  int column = -1;  // none
  bool warning = false;
  QString spoken;
};

class ResultTable final : public QTableWidget {
  Q_OBJECT

 public:
  ResultTable(std::span<const std::string_view> columns, QWidget* parent);

  // Lines put before the table's whenever it is copied, such as the inputs of its figures.
  void SetCopiedBefore(std::function<QString()> before) { before_ = std::move(before); }

  // With nothing selected the clipboard keeps what it had.
  Q_INVOKABLE void copy() const;
  // The header row, then each row with a cell selected (all rows unless selectedOnly); a note
  // as "ok: ", "warning: " or "pending: " and its words.
  QString Text(bool selectedOnly) const;

  // Each of these sets the whole row: what the row showed before leaves no icon, tooltip, grey
  // or spoken words behind.
  // A row of figures, each cell's tooltip its text and the words under it.
  void SetRow(int row, std::span<const std::string> cells, const std::string& under,
              const CellMark& mark = {});
  // A note spans the row with its verdict's icon.
  void ShowLimit(int row, const Limit& limit);
  // The cell's icon and what a screen reader says of it; a warning says so.
  void SetVerdict(int row, int column, bool warning, const QString& spoken);

  // Everything shown is of inputs that are no longer there: greyed, each text followed by
  // " (old)", no verdict's icon, until the rows are set again.
  void MarkOld();
  // Rows that come back (after a text that is no number, say) take the height they last fitted,
  // so an edit does not make the table jump.
  void SetRows(int count);
  // Each row as tall as its words need, touching only rows whose height changes, so the scroll
  // stays where it is.
  void FitRows();

 private:
  void SetCell(int row, int column, const QString& text, const QString& tip = {});
  QString Line(int row, const QList<int>& columns, bool selectedOnly) const;
  void Mark(int row, int column, const QIcon* icon, const QString& said);

  QIcon okIcon_, warningIcon_;  // the desktop's own, looked up once
  std::function<QString()> before_;
  std::vector<int> fitted_;  // each row's height when last fitted
};

}  // namespace mq
