// SPDX-License-Identifier: MIT
#include "ui/result_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace mq {

ResultTable::ResultTable(std::span<const std::string_view> columns, QWidget* parent)
    : QTableWidget(0, static_cast<int>(columns.size()), parent),
      okIcon_(QIcon::fromTheme(QStringLiteral("emblem-default"),
                               style()->standardIcon(QStyle::SP_DialogApplyButton))),
      warningIcon_(QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                    style()->standardIcon(QStyle::SP_MessageBoxWarning))) {
  QStringList labels;
  for (const auto column : columns) {
    labels << QString::fromUtf8(column.data(), static_cast<qsizetype>(column.size()));
  }
  setHorizontalHeaderLabels(labels);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Every column in view at any width: long words wrap, and each cell's tooltip and the copy keep
  // its whole text. Rows are sized to their words when the solver answers, not on each keystroke:
  // measuring every cell's text would cost the typist milliseconds.
  setWordWrap(true);
  setTextElideMode(Qt::ElideRight);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void ResultTable::copy() const {
  if (selectionModel()->hasSelection()) {
    QGuiApplication::clipboard()->setText((before_ ? before_() : QString()) + Text(true));
  }
}

QString ResultTable::Text(bool selectedOnly) const {
  QList<int> rows, columns;
  for (int row = 0; row < rowCount(); ++row) {
    for (int column = 0; column < columnCount(); ++column) {
      if (!selectedOnly || selectionModel()->isSelected(model()->index(row, column))) {
        rows << row;
        columns << column;
      }
    }
  }
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  QStringList lines{Line(-1, columns, selectedOnly)};
  for (const int row : rows) {
    lines << Line(row, columns, selectedOnly);
  }
  return lines.join('\n') + '\n';
}

namespace {

// A note's kind as the copy writes it, kept on its first cell.
constexpr int kNoteRole = Qt::UserRole + 1;
const QString kOld = QStringLiteral(" (old)");

}  // namespace

// Row -1 is the header. A note is its words alone, after its kind, as fieldcalc prints it.
QString ResultTable::Line(int row, const QList<int>& columns, bool selectedOnly) const {
  const QTableWidgetItem* first = row < 0 ? nullptr : item(row, 0);
  if (first != nullptr && first->data(kNoteRole).isValid()) {
    return first->data(kNoteRole).toString() + first->text();
  }
  QStringList cells;
  for (const int column : columns) {
    const QTableWidgetItem* cell = row < 0 ? horizontalHeaderItem(column) : item(row, column);
    const bool copied =
        row < 0 || !selectedOnly || selectionModel()->isSelected(model()->index(row, column));
    cells << (cell != nullptr && copied ? cell->text() : QString());
  }
  return cells.join('\t');
}

// A cell's text changes only when it differs, so an update that changes nothing changes nothing.
void ResultTable::SetCell(int row, int column, const QString& text, const QString& tip) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setItem(row, column, cell);
  }
  if (cell->text() != text) {
    cell->setText(text);
  }
  if (cell->toolTip() != tip) {
    cell->setToolTip(tip);
  }
  if (cell->data(Qt::ForegroundRole).isValid()) {
    cell->setData(Qt::ForegroundRole, QVariant());
  }
}

void ResultTable::SetRow(int row, std::span<const std::string> cells, const std::string& under,
                         const CellMark& mark) {
  if (columnSpan(row, 0) != 1) {
    setSpan(row, 0, 1, 1);
  }
  for (int column = 0; column < columnCount(); ++column) {
    if (column >= static_cast<int>(cells.size())) {
      delete takeItem(row, column);
      continue;
    }
    const std::string& text = cells[static_cast<std::size_t>(column)];
    SetCell(row, column, QString::fromStdString(text), QString::fromStdString(text + "\n" + under));
  }
  if (QTableWidgetItem* first = item(row, 0); first != nullptr) {
    first->setData(kNoteRole, QVariant());
  }
  Mark(row, mark.column, mark.warning ? &warningIcon_ : nullptr,
       mark.warning && mark.column != 0 ? "Warning: " + mark.spoken : mark.spoken);
}

// The cells a note covers hold nothing, so nothing hidden is copied.
void ResultTable::ShowLimit(int row, const Limit& limit) {
  for (int column = 1; column < columnCount(); ++column) {
    delete takeItem(row, column);
  }
  if (columnSpan(row, 0) != columnCount()) {
    setSpan(row, 0, 1, columnCount());
  }
  const QString words = QString::fromStdString(limit.words);
  SetCell(row, 0, words, words);
  item(row, 0)->setData(kNoteRole, limit.pending ? QStringLiteral("pending: ")
                                   : limit.ok    ? QStringLiteral("ok: ")
                                                 : QStringLiteral("warning: "));
  const QIcon* icon = limit.pending ? nullptr : limit.ok ? &okIcon_ : &warningIcon_;
  const QString said = limit.pending ? QStringLiteral("Waiting: ")
                       : limit.ok    ? QStringLiteral("OK: ")
                                     : QStringLiteral("Warning: ");
  Mark(row, 0, icon, said + words);
}

void ResultTable::SetVerdict(int row, int column, bool warning, const QString& spoken) {
  Mark(row, column, warning ? &warningIcon_ : nullptr,
       warning && column != 0 ? "Warning: " + spoken : spoken);
}

// The quantities stay as they are: only what was worked out from the inputs is old.
void ResultTable::MarkOld() {
  const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
  for (int row = 0; row < rowCount(); ++row) {
    const bool note = columnSpan(row, 0) != 1;
    for (int column = note ? 0 : 1; column < columnCount(); ++column) {
      QTableWidgetItem* cell = item(row, column);
      if (cell == nullptr || cell->text().isEmpty() || cell->text().endsWith(kOld)) {
        continue;
      }
      cell->setText(cell->text() + kOld);
      cell->setToolTip(cell->toolTip() + kOld);
      cell->setForeground(grey);
    }
    Mark(row, -1, nullptr, {});
  }
}

void ResultTable::SetRows(int count) {
  const int before = rowCount();
  if (count == before) {
    return;
  }
  setRowCount(count);
  for (int row = before; row < std::min<int>(count, static_cast<int>(fitted_.size())); ++row) {
    setRowHeight(row, fitted_[static_cast<std::size_t>(row)]);
  }
}

void ResultTable::FitRows() {
  fitted_.resize(static_cast<std::size_t>(std::max<int>(rowCount(), fitted_.size())));
  for (int row = 0; row < rowCount(); ++row) {
    const int height = sizeHintForRow(row);
    fitted_[static_cast<std::size_t>(row)] = height;
    if (rowHeight(row) != height) {
      setRowHeight(row, height);
    }
  }
}

// The one cell marked, every other cell of the row unmarked. Only a change touches a cell: the
// table lays itself out again on each change.
void ResultTable::Mark(int row, int column, const QIcon* icon, const QString& said) {
  for (int other = 0; other < columnCount(); ++other) {
    QTableWidgetItem* cell = item(row, other);
    if (cell == nullptr) {
      continue;
    }
    const bool marked = other == column;
    const QVariant spoken = marked ? QVariant(said) : QVariant();
    const bool iconed = marked && icon != nullptr;
    if (cell->data(Qt::AccessibleTextRole) != spoken || cell->icon().isNull() == iconed) {
      cell->setIcon(iconed ? *icon : QIcon());
      cell->setData(Qt::AccessibleTextRole, spoken);
    }
  }
}

}  // namespace mq
