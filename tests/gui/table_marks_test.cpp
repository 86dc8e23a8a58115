// SPDX-License-Identifier: MIT
// The rows of the Line Designer and the cross-check window show only what is true of the newest
// inputs: no icon, tooltip or spoken words of what a row showed before, old figures marked, and
// notes copied with their kind as fieldcalc prints them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include "model/cross_check.h"
#include "model/pair.h"
#include "tests/gui/window_driver.h"
#include "ui/cross_check_win.h"
#include "ui/cross_section_view.h"
#include "ui/line_designer_win.h"

namespace mq::test {
namespace {

const QString kKinds[] = {"OK: ", "Warning: ", "Waiting: "};

// What a note's cell says: its kind, then its words; only a waiting note has no icon.
std::string NoteMarks(const QTableWidget& table, int row) {
  const QTableWidgetItem* cell = table.item(row, 0);
  const QString said = cell->data(Qt::AccessibleTextRole).toString();
  const bool kind = std::any_of(std::begin(kKinds), std::end(kKinds),
                                [&](const QString& k) { return said == k + cell->text(); });
  if (!kind || cell->toolTip() != cell->text() ||
      cell->icon().isNull() != said.startsWith("Waiting")) {
    return "note " + said.toStdString();
  }
  for (int column = 1; column < table.columnCount(); ++column) {
    if (table.item(row, column) != nullptr) {
      return "a cell under the note in column " + std::to_string(column);
    }
  }
  return {};
}

// The first mark a row's earlier content left, or nothing. Only the last column (the Difference)
// of a row of figures carries an icon, a warning's, and then says so.
std::string StaleMark(const QTableWidget& table) {
  const int last = table.columnCount() - 1;
  for (int row = 0; row < table.rowCount(); ++row) {
    if (table.columnSpan(row, 0) != 1) {
      if (std::string bad = NoteMarks(table, row); !bad.empty()) {
        return "row " + std::to_string(row) + ": " + bad;
      }
      continue;
    }
    for (int column = 0; column <= last; ++column) {
      const QTableWidgetItem* cell = table.item(row, column);
      const QVariant said = cell->data(Qt::AccessibleTextRole);
      const bool warned = said.toString() == "Warning: " + cell->text();
      const bool fine = cell->toolTip().startsWith(cell->text() + '\n') &&
                        !cell->data(Qt::ForegroundRole).isValid() &&
                        (column == last ? (warned || said.toString() == cell->text()) &&
                                              cell->icon().isNull() != warned
                                        : !said.isValid() && cell->icon().isNull());
      if (!fine) {
        return "row " + std::to_string(row) + " column " + std::to_string(column) + ": " +
               cell->text().toStdString() + " / " + said.toString().toStdString();
      }
    }
  }
  return {};
}

QStringList Notes(const QString& text) {
  QStringList notes;
  for (const QString& line : text.split('\n')) {
    if (line.startsWith("ok: ") || line.startsWith("warning: ") || line.startsWith("pending: ")) {
      notes << line;
    }
  }
  return notes;
}

// The Line Designer on the microstrip pair, whose rows are today's pair's (model/pair.h).
LineDesignerWin& OpenPair(MacQuelvorWnd& window) {
  LineDesignerWin& pair = LineDesignerWin::Show(window);
  for (QComboBox* popup : pair.findChildren<QComboBox*>()) {
    if (popup->accessibleName() == "Structure") {
      popup->setCurrentIndex(popup->findText("Microstrip pair"));
    }
  }
  EXPECT_TRUE(QTest::qWaitFor([&pair] { return !pair.Solving(); }, 10000));
  return pair;
}

void Retype(LineDesignerWin& pair, const char* name, const char* text) {
  for (QLineEdit* field : pair.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == name) {
      field->selectAll();
      QTest::keyClicks(field, text);
    }
  }
}

// A width of 0 turns the first row into a warning note; a width again makes it a row of figures
// with none of the note's marks. A width that is no number greys the figures of the last one.
TEST_F(CalculatorWindowTest, PairRowsKeepNoMarkOfWhatTheyShowedBefore) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  LineDesignerWin& pair = OpenPair(*window_);
  auto& table = *pair.findChild<QTableWidget*>(QStringLiteral("Figures"));
  Retype(pair, "Width (mm)", "0");
  ASSERT_EQ(table.item(0, 0)->data(Qt::AccessibleTextRole).toString(),
            "Warning: Width must be greater than zero.");
  EXPECT_EQ(StaleMark(table), "");
  Retype(pair, "Width (mm)", "0.2");
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Solving(); }, 10000));
  EXPECT_EQ(StaleMark(table), "");
  // The Difference warns exactly where the pair's check (fieldcalc Pair) finds a difference.
  const PairInputs in{PairStructure::kMicrostrip, 0.2, 0.2, 0.1, 0, 3.66, 2.5};
  const field_solver::PairAnswer answer = SolvePairOf(in);
  const PairCheck expected = CheckPair(in, &answer);
  for (std::size_t row = 0; row < expected.rows.size(); ++row) {
    EXPECT_EQ(table.item(static_cast<int>(row), 3)->icon().isNull(),
              expected.rows[row].verdict != Verdict::kDiffers)
        << row;
  }
  const QString figure = table.item(0, 2)->text();
  Retype(pair, "Width (mm)", "x");
  for (int column = 1; column < table.columnCount(); ++column) {
    const QTableWidgetItem* cell = table.item(0, column);
    EXPECT_TRUE(cell->text().endsWith(" (old)") && cell->toolTip().endsWith(" (old)") &&
                cell->data(Qt::ForegroundRole).isValid() && cell->icon().isNull())
        << column << ' ' << cell->text().toStdString();
  }
  EXPECT_EQ(table.item(0, 2)->text(), figure + " (old)");
  // Pasted whole, so that the figures come back straight from their old, greyed state.
  for (QLineEdit* field : pair.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == "Width (mm)") {
      field->selectAll();
      field->insert("0.2");
    }
  }
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Solving(); }, 10000));
  EXPECT_EQ(StaleMark(table), "");
  EXPECT_EQ(table.item(0, 2)->text(), figure);
  // The notes copy with their kind first, one a line.
  const QStringList notes = Notes(pair.Text());
  EXPECT_FALSE(notes.isEmpty());
  for (int row = 0; row < table.rowCount(); ++row) {
    if (table.columnSpan(row, 0) != 1) {
      EXPECT_TRUE(notes.contains(QRegularExpression(
          "^\\w+: " + QRegularExpression::escape(table.item(row, 0)->text()) + "$")))
          << table.item(row, 0)->text().toStdString();
    }
  }
}

// Rows that were the stripline's notes become the microstrip's figures with none of the notes'
// icons or words; the notes copy as `fieldcalc CrossCheck 1` prints them (CrossCheckText).
TEST_F(CalculatorWindowTest, CrossCheckRowsKeepNoMarkAcrossPages) {
  ASSERT_EQ(ui_->TypeAll("WidthField=3,2 HeightField=1.6"), "");
  ASSERT_EQ(ui_->ShowPage(2), "");
  CrossCheckWin& check = CrossCheckWin::Show(*window_);
  ASSERT_TRUE(QTest::qWaitFor([&check] { return !check.Solving(); }, 10000));
  const auto heading = [&check] {  // the page checked, named over the table
    for (const QLabel* label : check.findChildren<QLabel*>()) {
      if (label->text().endsWith(" page")) {
        return label->text();
      }
    }
    return QString();
  };
  EXPECT_EQ(heading(), "Stripline page");
  auto& table = *check.findChild<QTableWidget*>();
  QList<int> notes;
  for (int row = 0; row < table.rowCount(); ++row) {
    if (table.columnSpan(row, 0) != 1) {
      notes << row;
    }
  }
  ASSERT_EQ(ui_->ShowPage(1), "");
  EXPECT_EQ(heading(), "Microstrip page");
  // At once the new page's outline, not the old page's field marked as updating.
  const QString outline = check.findChild<CrossSectionView*>()->accessibleDescription();
  EXPECT_TRUE(outline.startsWith("Cross-section: 3.2 mm strip") && outline.endsWith(", solving"))
      << outline.toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&check] { return !check.Solving(); }, 10000));
  ASSERT_TRUE(std::any_of(notes.begin(), notes.end(),
                          [&table](int row) { return table.columnSpan(row, 0) == 1; }));
  EXPECT_EQ(StaleMark(table), "");
  const SolvedPage solved = SolvePage(1, window_->Fields(), 0);
  QStringList printed;
  for (const std::string& line : CrossCheckText(CrossCheckPage(1, window_->Fields(), &solved))) {
    printed << QString::fromStdString(line);
  }
  EXPECT_EQ(Notes(check.Text()), Notes(printed.join('\n')));
  EXPECT_FALSE(Notes(check.Text()).isEmpty());
}

}  // namespace
}  // namespace mq::test
