// SPDX-License-Identifier: MIT
// The window as a user drives it: buttons, popups, menus, page keys and the About window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <tuple>

#include "app/about_win.h"
#include "app/app.h"
#include "tests/gui/window_driver.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/cross_section_view.h"

namespace mq::test {
namespace {

QAction* MenuItem(const char* name) {
  return qobject_cast<App*>(QCoreApplication::instance())->MenuItem(name);
}

check::Procedure Button(const std::string& handler) {
  const auto& buttons = check::ButtonProcedures();
  return *std::find_if(buttons.begin(), buttons.end(),
                       [&handler](const auto& button) { return button.name == handler; });
}

// Each arrow button clicked and popup picked leaves every field as its procedure does over a copy
// of the window's texts; the figures themselves are checked in the core tests.
TEST_F(CalculatorWindowTest, EachButtonAndPopupRunsItsProcedure) {
  const char* const typed[] = {"WidthField=3 PhyLengthField=100 DiConstField=4,6",
                               "WidthField2=2 DiConstField2=2,2", "OuterDiaField=0"};
  const std::pair<const char*, int> rows[] = {
      // a popup's row to pick, or -1 for a button
      {"ElToPhyBtn", -1},  {"PhyToElBtn", -1},  {"ElToPhyBtn2", -1}, {"PhyToElBtn2", -1},
      {"ElToPhyBtn3", -1}, {"PhyToElBtn3", -1}, {"DiPopup", 1},      {"ConPopup", 4},
      {"DiPopup2", 2},     {"ConPopup2", 1},    {"DiPopup3", 8},     {"ConPopup3", 3}};
  for (const auto& [name, pick] : rows) {
    const std::string handler = std::string(name) + (pick < 0 ? "_Action" : "_Change");
    const check::Procedure procedure =
        pick < 0 ? Button(handler) : check::PopupHandler(handler, pick);
    ASSERT_EQ(ui_->ShowPage(procedure.page), "");
    ASSERT_EQ(ui_->TypeAll(typed[procedure.page - 1]), "");
    RecordingMessageSink expectedMessages;
    const check::Texts expected = ui_->RunOverACopy(procedure, expectedMessages);
    ASSERT_EQ(pick < 0 ? ui_->Click(name) : ui_->Pick(name, pick), "");
    EXPECT_EQ(messages_.messages, expectedMessages.messages) << name;
    EXPECT_EQ(ui_->Snapshot(), expected) << name;
    messages_.messages.clear();
  }
}

// F3 and F4 run the shown page's arrows as a click does; Copy Page puts the page's lines on the
// clipboard; the Edit commands act on the focused field.
TEST_F(CalculatorWindowTest, CalculateMenuRunsThePageAndCrossChecksIt) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  for (int page = 1; page <= 3; ++page) {
    ASSERT_EQ(ui_->ShowPage(page), "");
    const std::string suffix = page > 1 ? std::to_string(page) : "";
    for (const auto& [key, handler] :
         {std::pair(Qt::Key_F4, "ElToPhyBtn"), std::pair(Qt::Key_F3, "PhyToElBtn")}) {
      RecordingMessageSink expectedMessages;
      const check::Texts expected =
          ui_->RunOverACopy(Button(handler + suffix + "_Action"), expectedMessages);
      QTest::keyClick(window_, key);
      EXPECT_EQ(messages_.messages, expectedMessages.messages) << handler << page;
      EXPECT_EQ(ui_->Snapshot(), expected) << handler << page;
      messages_.messages.clear();
    }
  }
  ASSERT_EQ(ui_->ShowPage(1), "");
  ASSERT_EQ(ui_->TypeAll("WidthField=3,2 HeightField=1.6"), "");
  QTest::keyClick(window_, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QString page = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(page.startsWith("Dielectric: Air\nConductor: Aluminium\nDielectric Const.: 1.00\n") &&
              page.contains("\nImpedance: 49.98 Ohm\n") &&  // as meant, not as spelt on the page
              page.contains("\nWidth: 3,2 mm\nHeight: 1.6 mm\n") && page.count(QChar(10)) == 13)
      << page.toStdString();
  MenuItem("SelectAll")->trigger();  // the focused Height field
  MenuItem("Cut")->trigger();
  EXPECT_EQ(window_->Fields().Text("HeightField"), "");
  MenuItem("Paste")->trigger();
  EXPECT_EQ(window_->Fields().Text("HeightField"), "1.6");
}

QTableWidget& Table(CrossCheckWin& window) {
  return *window.findChild<QTableWidget*>();
}

QString Cell(CrossCheckWin& window, int row, int column) {
  return Table(window).item(row, column)->text();
}

bool Settled(CrossCheckWin& window) {
  return QTest::qWaitFor([&window] { return !window.Solving(); }, 10000);
}

// Ctrl+K opens one cross-check window. It follows the page: the page's, the published model's
// and the field solver's figures, the solver's only for the newest inputs; the copper's
// thickness counts; a selection stays across updates and copies with its header; Escape closes
// the window and Ctrl+K brings a new one. Figures by hand: Hammerstad-Jensen's air line is
// 89.029 ohm at W/h 2 and 126.42 ohm at W/h 1 (within 0.01 % there, so the solver meets it);
// the exact coax of 1 in 6.5 mm is 59.9585 ln 6.5 = 112.23 ohm.
TEST_F(CalculatorWindowTest, CrossCheckFollowsThePageWithTheSolversFigures) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  ASSERT_EQ(ui_->TypeAll("WidthField=3,2 HeightField=1.6"), "");
  QTest::keyClick(window_, Qt::Key_K, Qt::ControlModifier);
  auto open = window_->findChildren<CrossCheckWin*>();
  ASSERT_EQ(open.size(), 1);
  CrossCheckWin& check = *open[0];
  EXPECT_EQ(Cell(check, 0, 2), "89.029");
  EXPECT_EQ(Cell(check, 0, 3), "solving...");
  // The line is drawn at once, its field to follow.
  EXPECT_EQ(check.findChild<CrossSectionView*>()->accessibleDescription().toStdString(),
            "Cross-section: 3.2 mm strip on 1.6 mm, er 1, solving");
  ASSERT_TRUE(Settled(check));
  EXPECT_TRUE(Cell(check, 0, 3).startsWith("89.0")) << Cell(check, 0, 3).toStdString();

  // A frequency is no input of the solver: the rows follow at once, the solver's figures stay.
  const int asked = check.SolvesAsked();
  ASSERT_EQ(ui_->TypeAll("FreqField=5 ElLengthField=90"), "");
  EXPECT_EQ(check.SolvesAsked(), asked);
  EXPECT_FALSE(check.Solving());
  EXPECT_TRUE(check.Text().contains("Physical length at 5 GHz (mm)"));

  ASSERT_EQ(ui_->TypeAll("WidthField=3"), "");  // superseded before it is solved
  ASSERT_EQ(ui_->TypeAll("WidthField=1,6"), "");
  // The last figures stay, marked, and no verdict is drawn from them.
  EXPECT_TRUE(Cell(check, 0, 3).startsWith("89.0") && Cell(check, 0, 3).endsWith("(updating)"))
      << Cell(check, 0, 3).toStdString();
  EXPECT_TRUE(check.Text().contains("being updated") &&
              !check.Text().contains("The page's impedance"));
  ASSERT_TRUE(Settled(check));
  EXPECT_TRUE(Cell(check, 0, 3).startsWith("126.42")) << Cell(check, 0, 3).toStdString();

  auto* thickness = check.findChild<QLineEdit*>();
  // The thickness's caption and unit stand beside its field, however wide the window.
  for (const QLabel* label : check.findChildren<QLabel*>()) {
    const QRect field = thickness->geometry();
    const QRect words = label->style()
                            ->itemTextRect(label->fontMetrics(), label->contentsRect(),
                                           int(label->alignment()), true, label->text().remove('&'))
                            .translated(label->pos());
    if (label->buddy() == thickness || label->text() == "mm") {
      EXPECT_LE(std::max(field.left() - words.right(), words.left() - field.right()), 12)
          << label->text().toStdString();
    }
  }
  thickness->selectAll();
  QTest::keyClicks(thickness, "0,035");
  ASSERT_TRUE(Settled(check));
  const double thick = Cell(check, 0, 3).section(' ', 0, 0).toDouble();
  // The impedance row's Difference cell carries the warning exactly when its verdict is one; every
  // column is in view at the opening size.
  const bool warned = !check.Text().contains("The page's impedance is within 1 %");
  EXPECT_EQ(!Table(check).item(0, 4)->icon().isNull(), warned);
  EXPECT_LE(Table(check).horizontalHeader()->length(), Table(check).viewport()->width());
  EXPECT_TRUE(thick > 120 && thick < 126.4) << thick;  // copper lowers the impedance a little
  EXPECT_EQ(check.findChild<CrossSectionView*>()->accessibleDescription(),
            "Cross-section: 1.6 mm strip, 0.035 mm thick, on 1.6 mm, er 1, equipotentials every "
            "10 %");

  // An analysis rewrites the table; the selection and the current cell stay.
  QTableWidget& table = Table(check);
  table.setCurrentCell(1, 2);
  table.setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
  const QString before = check.Text();
  window_->RunShownPage(true);
  EXPECT_NE(check.Text(), before);
  ASSERT_EQ(table.selectedRanges().size(), 1);
  EXPECT_EQ(table.selectedRanges()[0].rowCount() * table.selectedRanges()[0].columnCount(), 4);
  EXPECT_EQ(std::pair(table.currentRow(), table.currentColumn()), std::pair(1, 2));
  check.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&check] { return QApplication::activeWindow() == &check; }));
  table.setFocus();
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "This page\tPublished model\n" + Cell(check, 0, 1) + '\t' + Cell(check, 0, 2) + '\n' +
                Cell(check, 1, 1) + '\t' + Cell(check, 1, 2) + '\n');
  // Cells picked apart: each row and column with a pick, the cells not picked left empty.
  table.clearSelection();
  table.setRangeSelected(QTableWidgetSelectionRange(0, 1, 0, 1), true);
  table.setRangeSelected(QTableWidgetSelectionRange(1, 2, 1, 2), true);
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(
      QGuiApplication::clipboard()->text(),
      "This page\tPublished model\n" + Cell(check, 0, 1) + "\t\n\t" + Cell(check, 1, 2) + '\n');
  QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), check.Text());
  table.clearSelection();  // nothing to copy: the clipboard keeps what it had
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), check.Text());

  ASSERT_EQ(ui_->ShowPage(3), "");
  EXPECT_EQ(Cell(check, 0, 0), "Impedance (ohm)");
  EXPECT_EQ(Cell(check, 0, 2), "112.23");
  EXPECT_FALSE(thickness->isVisible());
  check.showMinimized();  // the command brings it back from minimised too
  MenuItem("CrossCheck")->trigger();
  EXPECT_FALSE(check.isMinimized());
  ASSERT_TRUE(QTest::qWaitFor([&check] { return QApplication::activeWindow() == &check; }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // and gone once closed
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window_->findChildren<CrossCheckWin*>().isEmpty());
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window_; }));
  QTest::keyClick(window_, Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(window_->findChildren<CrossCheckWin*>().size(), 1);
}

// Alt and a letter pick one item of a menu: no two items of a menu, nor two menus, share one.
TEST_F(CalculatorWindowTest, EveryMenuHasItsOwnMnemonics) {
  const auto mnemonic = [](const QString& caption) {
    const auto at = caption.indexOf(QRegularExpression("&[^&]"));
    return at < 0 ? QChar() : caption.at(at + 1).toLower();
  };
  QStringList menus;
  for (QAction* menu : window_->menuBar()->actions()) {
    menus << mnemonic(menu->text());
    QStringList items;
    for (const QAction* item : menu->menu()->actions()) {
      if (!item->isSeparator()) {
        items << mnemonic(item->text());
      }
    }
    EXPECT_EQ(items.size(), QSet<QString>(items.begin(), items.end()).size())
        << menu->text().toStdString() << ": " << items.join(' ').toStdString();
  }
  EXPECT_EQ(menus.size(), QSet<QString>(menus.begin(), menus.end()).size());
}

// A page key goes to the next or previous page, wrapping, and leaves focus in an edit field of the
// new page: the one at the same place, otherwise the first; never the tab bar or a popup.
TEST_F(CalculatorWindowTest, PageKeysSwitchPagesAndFocusAFieldOfTheNewPage) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  // From (empty: the tab bar), keys, the page shown and the control focused after them.
  // clang-format off
  const std::tuple<const char*, QKeyCombination, int, const char*> rows[] = {
    {"ImpField", Qt::CTRL | Qt::Key_Tab, 2, "ImpField2"},
    {"ThicknessField2", Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, 1, "DiConstField"},  // no such row
    {"DiPopup", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3, "DiConstField3"},
    {"ImpField3", Qt::CTRL | Qt::Key_Tab, 1, "ImpField"},
    {"ImpField", Qt::CTRL | Qt::Key_PageDown, 2, "ImpField2"},
    {"HeightField2", Qt::CTRL | Qt::Key_PageDown, 3, "OuterDiaField"},
    {"", Qt::CTRL | Qt::Key_PageUp, 2, "DiConstField2"},
  };
  // clang-format on
  for (const auto& [name, keys, page, focus] : rows) {
    QWidget* from = *name != 0 ? window_->Controls().Find(name) : window_->Tabs().TabBar();
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(from, keys.key(), keys.keyboardModifiers());
    EXPECT_EQ(window_->Tabs().CurrentPage(), page) << name;
    ASSERT_NE(QApplication::focusWidget(), nullptr) << name;
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), focus) << name;
  }
}

int OpenAboutWindows() {
  const auto tops = QApplication::topLevelWidgets();
  return static_cast<int>(std::count_if(tops.begin(), tops.end(), [](QWidget* top) {
    return qobject_cast<AboutWin*>(top) != nullptr && top->isVisible();
  }));
}

TEST_F(CalculatorWindowTest, AboutShowsOneWindowBesideAWorkingCalculator) {
  QAction* about = MenuItem("AppleMacQuelvor");
  about->trigger();
  about->trigger();
  EXPECT_EQ(OpenAboutWindows(), 1);
  AboutWin& window = AboutWin::Instance();
  EXPECT_EQ(window.windowTitle(), "About MacQuelvor");
  EXPECT_EQ(window.size(), QSize(230, 120));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window_->windowIcon().pixmap(32).isNull());
  // Quit has the desktop's own key (Ctrl+Q).
  EXPECT_EQ(MenuItem("Quit")->shortcut(), QKeySequence(QKeySequence::Quit));
  // The menus are in the window's own bar, not handed to a desktop-wide one.
  EXPECT_FALSE(window_->findChild<QMenuBar*>()->isNativeMenuBar());
  // Docks match the windows to the installed desktop entry by this name.
  EXPECT_EQ(QGuiApplication::desktopFileName(), "org.macquelvor.MacQuelvor");
  const QString credits = window.Controls().Find<QLabel>("StaticText2")->text();
  EXPECT_TRUE(credits.startsWith("MacQuelvor (v1.0)\n\n")) << credits.toStdString();
  // The desktop (a screen reader, a crash reporter) reads the version from the application.
  EXPECT_EQ(QCoreApplication::applicationVersion(), "1.0");
  EXPECT_TRUE(window.Controls().Find<QLabel>("StaticText1")->font().bold());
  ASSERT_EQ(ui_->TypeAll("WidthField=3 PhyLengthField=100"), "");
  ASSERT_EQ(ui_->Click("PhyToElBtn"), "");  // About is not modal: the calculator calculates
  EXPECT_NE(window_->Fields().Text("ImpField"), "50");

  // Chosen from the calculator, About comes to the front, and the application's shortcuts work
  // while it is the active window.
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window_; }));
  about->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
  QSignalSpy selectAll(MenuItem("SelectAll"), &QAction::triggered);
  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(selectAll.count(), 1);

  // Chosen while minimised, About comes back.
  window.showMinimized();
  about->trigger();
  EXPECT_FALSE(window.isMinimized());

  window.close();
  about->trigger();  // before the closed window is deleted
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(OpenAboutWindows(), 1);
  EXPECT_EQ(AboutWin::Instance().Controls().Find<QLabel>("StaticText2")->text(), credits);
  // The one closed is freed, not kept hidden: opening About again and again costs nothing.
  const auto tops = QApplication::topLevelWidgets();
  EXPECT_EQ(std::count_if(tops.begin(), tops.end(),
                          [](QWidget* top) { return qobject_cast<AboutWin*>(top) != nullptr; }),
            1);
}

}  // namespace
}  // namespace mq::test
