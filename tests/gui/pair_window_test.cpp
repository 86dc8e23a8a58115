// SPDX-License-Identifier: MIT
// The differential pair window as a user drives it: opened on the page's substrate with Ctrl+D,
// typed, solved, searched, copied and closed.
#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QThreadPool>

#include "model/figure_words.h"
#include "solver/field_solver.h"
#include "tests/gui/window_driver.h"
#include "ui/cross_check_win.h"
#include "ui/cross_section_view.h"
#include "ui/pair_win.h"

namespace mq::test {
namespace {

template <typename Control = QLineEdit>
Control* Find(PairWin& pair, const QString& name) {
  for (Control* control : pair.findChildren<Control*>()) {
    if (control->accessibleName() == name || control->objectName() == name) {
      return control;
    }
  }
  ADD_FAILURE() << "no control " << name.toStdString();
  return nullptr;
}

void Retype(PairWin& pair, const QString& name, const QString& text) {
  QLineEdit* field = Find(pair, name);
  field->selectAll();
  QTest::keyClicks(field, text);
}

QString SolverCell(PairWin& pair) {  // the differential impedance's, the first row
  return pair.findChild<QTableWidget*>()->item(0, 2)->text();
}

PairWin& OpenWithCtrlD(MacQuelvorWnd& window) {
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
  const auto open = window.findChildren<PairWin*>();
  EXPECT_EQ(open.size(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !open[0]->Solving(); }, 10000));
  return *open[0];
}

void CloseWithEscape(MacQuelvorWnd& window, PairWin& pair) {
  pair.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return QApplication::activeWindow() == &pair; }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.findChildren<PairWin*>().isEmpty());
}

// Each page's substrate, one width apart (a page without a width: one height wide); the coax
// page starts from page 1's as built. The texts are the calculator's defaults where not typed.
TEST_F(CalculatorWindowTest, PairWindowOpensOnThePagesSubstrate) {
  const std::tuple<int, const char*, const char*, QStringList> rows[] = {
      {1,
       "WidthField=0,2 HeightField=0.1 DiConstField=3.66",
       "Microstrip pair",
       {"0.2", "0.2", "0.1", "0", "3.66", "2.5", "100"}},
      {2, "FreqField2=5", "Stripline pair", {"3.2", "3.2", "3.2", "0.01", "1", "5", "100"}},
      {3, "", "Microstrip pair", {"1.27", "1.27", "1.27", "0", "1", "2.5", "100"}},
  };
  const char* const names[] = {"Width (mm)",
                               "Spacing (mm)",
                               "Height (mm)",
                               "Thickness (mm)",
                               "Dielectric constant",
                               "Frequency (GHz)",
                               "Target differential impedance (ohm)"};
  for (const auto& [page, typed, structure, texts] : rows) {
    ASSERT_EQ(ui_->ShowPage(page), "");
    ASSERT_EQ(ui_->TypeAll(typed), "");
    PairWin& pair = OpenWithCtrlD(*window_);
    EXPECT_EQ(Find<QComboBox>(pair, "Structure")->currentText(), structure);
    // The height's note says which height it is.
    const QString note = page == 2 ? "planes' spacing b" : "substrate h";
    const auto labels = pair.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&note](const QLabel* label) {
      return label->text() == note;
    })) << page;
    for (int i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(Find(pair, names[i])->text(), texts[i]) << page << ' ' << names[i];
    }
    // Laid out: the table shows below the fields and the picture, inside the window.
    const QWidget* table = pair.findChild<QTableWidget*>();
    const QWidget* last = Find(pair, names[6]);
    EXPECT_TRUE(table->isVisible() && pair.rect().contains(table->geometry()));
    EXPECT_GT(table->y(), last->mapTo(&pair, QPoint(0, last->height())).y());
    CloseWithEscape(*window_, pair);
  }
}

// From the keyboard: each caption's Alt+letter goes to its control.
TEST_F(CalculatorWindowTest, PairWindowCaptionsLeadToTheirControls) {
  PairWin& pair = OpenWithCtrlD(*window_);
  pair.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return QApplication::activeWindow() == &pair; }));
  const std::pair<Qt::Key, const char*> rows[] = {
      {Qt::Key_R, "Structure"},       {Qt::Key_W, "Width (mm)"},
      {Qt::Key_S, "Spacing (mm)"},    {Qt::Key_H, "Height (mm)"},
      {Qt::Key_T, "Thickness (mm)"},  {Qt::Key_D, "Dielectric constant"},
      {Qt::Key_F, "Frequency (GHz)"}, {Qt::Key_G, "Target differential impedance (ohm)"}};
  for (const auto& [key, name] : rows) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), name);
  }
  // Tab walks the fields in reading order, then the buttons.
  QWidget* at = Find<QComboBox>(pair, "Structure");
  for (const char* next :
       {"Width (mm)", "Spacing (mm)", "Height (mm)", "Thickness (mm)", "Dielectric constant",
        "Frequency (GHz)", "Target differential impedance (ohm)", "Find width", "Find spacing"}) {
    at = at->nextInFocusChain();
    while (at->focusPolicy() == Qt::NoFocus) {
      at = at->nextInFocusChain();
    }
    EXPECT_EQ(at->accessibleName(), next);
  }
  // And each stands on its control's row, to its left.
  for (const QLabel* caption : pair.findChildren<QLabel*>()) {
    if (const QWidget* control = caption->buddy()) {
      const QRect at = caption->geometry(), of = control->geometry();
      EXPECT_TRUE(at.right() < of.left() && at.center().y() >= of.top() &&
                  at.center().y() <= of.bottom())
          << caption->text().toStdString();
    }
  }
}

// The solver's differential impedance is 2 Zodd of the pair solved alone; a text that is no
// number is named and solves nothing; Find width writes the width the solver puts at 100 ohm;
// the picture follows the mode; Ctrl+A, Ctrl+C copies the inputs and the table.
TEST_F(CalculatorWindowTest, PairWindowSolvesFindsAndCopies) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  PairWin& pair = OpenWithCtrlD(*window_);
  Retype(pair, "Spacing (mm)", "0,15");
  Retype(pair, "Thickness (mm)", "0,035");
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Solving() && !pair.Drawing(); }, 10000));
  const auto solved = field_solver::SolveMicrostripPair(0.2, 0.15, 0.1, 0.035, 3.66);
  EXPECT_EQ(SolverCell(pair).section(' ', 0, 0).toStdString(), Figure(2 * solved.odd.impedance, 6));
  auto* picture = pair.findChild<CrossSectionView*>();
  EXPECT_EQ(picture->accessibleDescription(),
            "Cross-section: a microstrip pair, W 0.2 mm, spacing 0.15 mm, 0.035 mm thick, on "
            "0.1 mm, er 3.66, odd mode, equipotentials every 10 %");
  QTest::mouseClick(Find<QCheckBox>(pair, "Even mode"), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(picture->accessibleDescription().contains("even mode, equipotentials"));

  Retype(pair, "Width (mm)", "abc");
  EXPECT_EQ(Find<QLabel>(pair, "Message")->text(), "Width: \"abc\" is not a number.");
  Retype(pair, "Width (mm)", "0.2 mm");  // a number, then more: not read as 0.2 unseen
  EXPECT_EQ(Find<QLabel>(pair, "Message")->text(), "Width: \"0.2 mm\" is not a number.");
  EXPECT_FALSE(Find<QPushButton>(pair, "Find width")->isEnabled());
  Retype(pair, "Width (mm)", "0.2");
  QTest::mouseClick(Find<QPushButton>(pair, "Find width"), Qt::LeftButton);
  EXPECT_TRUE(!Find<QPushButton>(pair, "Find width")->isEnabled() &&
              !Find<QPushButton>(pair, "Find spacing")->isEnabled())
      << "both searches wait while one runs";
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Finding() && !pair.Solving(); }, 10000));
  const double width = Find(pair, "Width (mm)")->text().toDouble();
  const auto found = field_solver::SolveMicrostripPair(width, 0.15, 0.1, 0.035, 3.66);
  EXPECT_NEAR(2 * found.odd.impedance, 100, 0.01) << width;

  pair.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return QApplication::activeWindow() == &pair; }));
  auto* table = pair.findChild<QTableWidget*>();
  table->setFocus();
  QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_EQ(copied, pair.Text());
  EXPECT_TRUE(copied.startsWith("Structure\tMicrostrip pair\nWidth (mm)\t" +
                                Find(pair, "Width (mm)")->text() + "\nSpacing (mm)\t0,15\n") &&
              copied.contains("\nQuantity\tPublished model\tField solver\tDifference\n"
                              "Differential impedance (ohm)\t"))
      << copied.toStdString();
  CloseWithEscape(*window_, pair);
}

// An edit keeps the last figures, marked, with no verdict drawn from them and no cell
// "solving...", in rows of the same heights with every note in view; the new figures come before
// the field's picture. Every row shows at the opening size, so no scroll bar comes and goes.
TEST_F(CalculatorWindowTest, PairWindowKeepsItsFiguresWhileSolving) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  PairWin& pair = OpenWithCtrlD(*window_);
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Drawing(); }, 10000));
  auto* table = pair.findChild<QTableWidget*>();
  const auto inView = [table] {
    const QTableWidgetItem* last = table->item(table->rowCount() - 1, 0);
    return !table->verticalScrollBar()->isVisible() &&
           table->viewport()->rect().contains(table->visualItemRect(last));
  };
  EXPECT_TRUE(inView());
  const QString before = SolverCell(pair);
  QList<int> heights;
  for (int row = 0; row < table->rowCount(); ++row) {
    heights << table->rowHeight(row);
  }
  Retype(pair, "Spacing (mm)", "0.25");
  ASSERT_TRUE(pair.Solving());
  EXPECT_EQ(SolverCell(pair), before + " (updating)");
  EXPECT_TRUE(!pair.Text().contains("solving...") && pair.Text().contains("being updated"));
  for (int row = 0; row < std::min<int>(table->rowCount(), heights.size()); ++row) {
    EXPECT_EQ(table->rowHeight(row), heights[row]) << row;
  }
  EXPECT_TRUE(inView());
  auto* picture = pair.findChild<CrossSectionView*>();
  // Event by event, so that the moment the figures come is seen before anything after it.
  QEventLoop events;
  while (pair.Solving()) {
    events.processEvents(QEventLoop::WaitForMoreEvents);
  }
  EXPECT_TRUE(picture->accessibleDescription().endsWith(", solving"));
  EXPECT_FALSE(SolverCell(pair).endsWith("(updating)"));
  ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Drawing(); }, 10000));
  EXPECT_TRUE(picture->accessibleDescription().endsWith("equipotentials every 10 %"));
  EXPECT_TRUE(inView());
}

// Every control of the two side windows has its own place: one left out of the layout would sit
// over another at the window's corner.
TEST_F(CalculatorWindowTest, SideWindowsControlsEachHaveTheirPlace) {
  PairWin& pair = OpenWithCtrlD(*window_);
  CrossCheckWin& check = CrossCheckWin::Show(*window_);
  for (QWidget* window : {static_cast<QWidget*>(&pair), static_cast<QWidget*>(&check)}) {
    QApplication::sendPostedEvents();
    QList<QWidget*> shown;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible() && !child->isWindow()) {
        shown << child;
      }
    }
    EXPECT_GE(shown.size(), 4) << window->windowTitle().toStdString();
    // And in the pair window each control a user works says in a tooltip what it does.
    for (const QWidget* control : shown) {
      if (window == &pair &&
          (control->inherits("QLineEdit") || control->inherits("QAbstractButton"))) {
        EXPECT_FALSE(control->toolTip().isEmpty())
            << control->metaObject()->className() << " " << control->accessibleName().toStdString();
      }
    }
    for (int i = 0; i < shown.size(); ++i) {
      EXPECT_TRUE(window->rect().contains(shown[i]->geometry()))
          << shown[i]->metaObject()->className() << ' ' << shown[i]->accessibleName().toStdString();
      for (int j = i + 1; j < shown.size(); ++j) {
        EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
            << shown[i]->metaObject()->className() << ' '
            << shown[i]->accessibleName().toStdString() << " over "
            << shown[j]->metaObject()->className() << ' '
            << shown[j]->accessibleName().toStdString();
      }
    }
  }
}

// Typed texts come back when the window is closed and opened again on the same substrate.
TEST_F(CalculatorWindowTest, PairWindowKeepsItsInputsWhenReopened) {
  PairWin& pair = OpenWithCtrlD(*window_);
  Find<QComboBox>(pair, "Structure")->setCurrentIndex(1);
  Retype(pair, "Width (mm)", "0,3");
  Retype(pair, "Target differential impedance (ohm)", "85");
  const QString typed = pair.Text().section("\nQuantity", 0, 0);
  CloseWithEscape(*window_, pair);
  EXPECT_EQ(OpenWithCtrlD(*window_).Text().section("\nQuantity", 0, 0), typed);
}

// The W, s, h (b) and t labels cover no strip and no other label, in both structures, at the
// opening size and at 620 x 460.
TEST_F(CalculatorWindowTest, PairPictureLabelsKeepClear) {
  ASSERT_EQ(ui_->TypeAll("WidthField=0.2 HeightField=0.1 DiConstField=3.66"), "");
  PairWin& pair = OpenWithCtrlD(*window_);
  Retype(pair, "Thickness (mm)", "0.035");
  auto* view = pair.findChild<CrossSectionView*>();
  for (const auto& [structure, size] : {std::pair(0, QSize()), std::pair(0, QSize(620, 460)),
                                        std::pair(1, QSize(620, 460)), std::pair(1, QSize())}) {
    Find<QComboBox>(pair, "Structure")->setCurrentIndex(structure);
    pair.resize(size.isValid() ? size : QSize(900, 720));
    QApplication::sendPostedEvents();
    const auto labels = view->Labels();
    const auto strips = view->StripRects();
    ASSERT_EQ(labels.size(), 4u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        EXPECT_FALSE(labels[i].box.intersects(labels[j].box))
            << structure << ' ' << labels[i].text.toStdString() << labels[j].text.toStdString();
      }
      for (const QRectF& strip : strips) {
        EXPECT_FALSE(labels[i].box.intersects(strip)) << labels[i].text.toStdString();
      }
    }
  }
  // Strips of no thickness have no "t" label.
  Retype(pair, "Thickness (mm)", "0");
  QApplication::sendPostedEvents();
  EXPECT_EQ(view->Labels().size(), 3u);
  // A view narrower than its labels still places them all, from its left edge.
  CrossSectionView narrow(nullptr);
  narrow.Show(DrawCrossSection({1, 0.2, 0.1, 0.035, 3.66, true, 0.2, false}, nullptr));
  narrow.resize(60, 120);
  EXPECT_EQ(narrow.Labels().size(), 4u);
}

// Closing the window or quitting during a Find stops it: when the pool is done and its answers
// delivered, nothing was written, and a window that is gone was not touched.
TEST_F(CalculatorWindowTest, PairWindowStopsFindingWhenClosedOrQuit) {
  for (const bool quit : {false, true}) {
    PairWin& pair = OpenWithCtrlD(*window_);
    const QPointer<PairWin> open(&pair);
    Retype(pair, "Target differential impedance (ohm)", "90");
    ASSERT_TRUE(QTest::qWaitFor([&pair] { return !pair.Solving(); }, 10000));
    const QString width = Find(pair, "Width (mm)")->text();
    QTest::mouseClick(Find<QPushButton>(pair, "Find width"), Qt::LeftButton);
    ASSERT_TRUE(pair.Finding()) << quit;
    if (quit) {
      ASSERT_TRUE(QMetaObject::invokeMethod(qApp, "aboutToQuit"));
    } else {
      pair.close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_TRUE(open.isNull());
    }
    QThreadPool::globalInstance()->waitForDone();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    if (quit) {
      EXPECT_EQ(Find(pair, "Width (mm)")->text(), width);
      EXPECT_NE(Find<QLabel>(pair, "Message")->text(), "Found the width for the target.");
      pair.close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
}

}  // namespace
}  // namespace mq::test
