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

// Row -1 is the header.
QString ResultTable::Line(int row, const QList<int>& columns, bool selectedOnly) const {
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
}

void ResultTable::SetRow(int row, std::span<const std::string> cells, const std::string& under) {
  if (columnSpan(row, 0) != 1) {
    setSpan(row, 0, 1, 1);
  }
  for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
    const std::string& text = cells[static_cast<std::size_t>(column)];
    SetCell(row, column, QString::fromStdString(text), QString::fromStdString(text + "\n" + under));
  }
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
  const QIcon* icon = limit.pending ? nullptr : limit.ok ? &okIcon_ : &warningIcon_;
  const QString said = limit.pending ? QStringLiteral("Waiting: ")
                       : limit.ok    ? QStringLiteral("OK: ")
                                     : QStringLiteral("Warning: ");
  SetIcon(row, 0, icon, said + words);
}

void ResultTable::SetVerdict(int row, int column, bool warning, const QString& spoken) {
  SetIcon(row, column, warning ? &warningIcon_ : nullptr,
          warning && column != 0 ? "Warning: " + spoken : spoken);
}

// Only a change of verdict touches the icon: the table lays itself out again on each change.
void ResultTable::SetIcon(int row, int column, const QIcon* icon, const QString& said) {
  QTableWidgetItem* cell = item(row, column);
  if (cell->data(Qt::AccessibleTextRole).toString() != said || cell->icon().isNull() != !icon) {
    cell->setIcon(icon != nullptr ? *icon : QIcon());
    cell->setData(Qt::AccessibleTextRole, said);
  }
}

}  // namespace mq
