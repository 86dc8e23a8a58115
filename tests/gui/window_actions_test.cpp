// SPDX-License-Identifier: MIT
// The window as a user drives it: every arrow button and popup by mouse, a failing check with
// the real modal box, page keys and the About window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/about_win.h"
#include "app/app.h"
#include "model/field_names.h"
#include "model/line_models.h"
#include "tests/gui/window_driver.h"
#include "tests/test_fields.h"
#include "toolkit/tab_panel.h"

namespace mq::test {
namespace {

QAction* MenuItem(const char* name) {
  return qobject_cast<App*>(QCoreApplication::instance())->MenuItem(name);
}

// A clicked button leaves every field as its procedure does over a copy of the window's texts;
// the figures themselves are checked in the core tests.
TEST_F(CalculatorWindowTest, EachArrowButtonRunsItsProcedure) {
  const char* const typed[] = {"WidthField=3 PhyLengthField=100 DiConstField=4,6",
                               "WidthField2=2 PhyLengthField2=20 DiConstField2=2.2", ""};
  for (const ButtonProcedure& button : kButtonProcedures) {
    const std::string name(button.handler.substr(0, button.handler.find('_')));
    const int page = name.back() == '3' ? 3 : name.back() == '2' ? 2 : 1;
    ASSERT_EQ(ui_->ShowPage(page), "");
    ASSERT_EQ(ui_->TypeAll(typed[page - 1]), "");
    MemoryFieldSet expected(AllFieldNames());
    for (const auto& [field, text] : ui_->Snapshot()) {
      expected.SetText(field, text);
    }
    RecordingMessageSink expectedMessages;
    button.run(expected, expectedMessages);
    ASSERT_TRUE(expectedMessages.messages.empty()) << name;
    ASSERT_EQ(ui_->Click(name), "");
    EXPECT_TRUE(messages_.messages.empty()) << name;
    EXPECT_EQ(ui_->Snapshot(), expected.All()) << name;
  }
}

// One pick per popup, with the constants of the material table; other pages keep theirs.
TEST_F(CalculatorWindowTest, EachPopupWritesThePickedMaterial) {
  struct Row {
    const char* popup;
    int page;
    int row;
    const char* expected;
  };
  // clang-format off
  const Row rows[] = {
    {"DiPopup", 1, 1, "DiConstField=9.80 LossTanField=0.0003 DiConstField2=1.00"},
    {"ConPopup", 1, 4, "ConField=6.17e+7 ConField2=3.54e+7"},
    {"DiPopup2", 2, 2, "DiConstField2=12.90 LossTanField2=0.006 DiConstField3=1.00"},
    {"ConPopup2", 2, 1, "ConField2=5.81e+7 ConField3=3.54e+7"},
    {"DiPopup3", 3, 8, "DiConstField3=2.08 LossTanField3=0.0004"},
    {"ConPopup3", 3, 3, "ConField3=1.45e+7 DiConstField3=2.08"},
  };
  // clang-format on
  for (const Row& row : rows) {
    ASSERT_EQ(ui_->ShowPage(row.page), "");
    ASSERT_EQ(ui_->Pick(row.popup, row.row), "") << row.popup;
    EXPECT_EQ(Mismatches(window_->Fields(), row.expected), "") << row.popup;
  }
}

// A failed check shows the real modal box once; a key closes it and no result changes.
TEST_F(CalculatorWindowTest, FailedCheckShowsOneMessageBox) {
  window_->SetMessageSink(nullptr);
  ASSERT_EQ(ui_->ShowPage(3), "");
  ASSERT_EQ(ui_->TypeAll("InnerDiaField=7 ImpField3=before"), "");
  QStringList shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->text();
      QTest::keyClick(box, Qt::Key_Escape);
    }
  });
  closer.start(20);
  // Should the key not close it, the box is dismissed anyway after five seconds.
  QTimer::singleShot(5000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  ASSERT_EQ(ui_->Click("PhyToElBtn3"), "");
  EXPECT_EQ(shown, QStringList{"Inner diameter must be smaller than outer diameter."});
  EXPECT_EQ(ui_->Text("ImpField3"), "before");
}

// A page key goes to the next or previous page, wrapping, and leaves focus in an edit field of the
// new page: the one at the same place, otherwise the first; never the tab bar or a popup.
TEST_F(CalculatorWindowTest, PageKeysSwitchPagesAndFocusAFieldOfTheNewPage) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  struct Row {
    const char* from;  // empty: the tab bar
    QKeyCombination keys;
    int page;
    const char* focus;
  };
  // clang-format off
  const Row rows[] = {
    {"ImpField", Qt::CTRL | Qt::Key_Tab, 2, "ImpField2"},
    {"ThicknessField2", Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, 1, "DiConstField"},  // no such row
    {"DiPopup", Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3, "DiConstField3"},
    {"ImpField3", Qt::CTRL | Qt::Key_Tab, 1, "ImpField"},
    {"WidthField", Qt::CTRL | Qt::Key_PageDown, 2, "WidthField2"},
    {"HeightField2", Qt::CTRL | Qt::Key_PageDown, 3, "OuterDiaField"},
    {"InnerDiaField", Qt::CTRL | Qt::Key_PageUp, 2, "WidthField2"},
    {"", Qt::CTRL | Qt::Key_PageUp, 1, "DiConstField"},
  };
  // clang-format on
  for (const Row& row : rows) {
    QWidget* from = *row.from != 0 ? window_->Controls().Find(row.from) : window_->Tabs().TabBar();
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(from, row.keys.key(), row.keys.keyboardModifiers());
    EXPECT_EQ(ui_->Page(), row.page) << row.from;
    ASSERT_NE(QApplication::focusWidget(), nullptr) << row.from;
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), row.focus) << row.from;
  }
}

int OpenAboutWindows() {
  int count = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    count += qobject_cast<AboutWin*>(top) != nullptr && top->isVisible() ? 1 : 0;
  }
  return count;
}

TEST_F(CalculatorWindowTest, AboutShowsOneWindowBesideAWorkingCalculator) {
  QAction* about = MenuItem("AppleMacQuelvor");
  EXPECT_EQ(about->menuRole(), QAction::AboutRole);
  about->trigger();
  about->trigger();
  EXPECT_EQ(OpenAboutWindows(), 1);
  AboutWin& window = AboutWin::Instance();
  EXPECT_EQ(window.windowTitle(), "About MacQuelvor");
  EXPECT_EQ(window.size(), QSize(230, 120));
  EXPECT_FALSE(window.isModal());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_FALSE(window_->windowIcon().pixmap(32).isNull());
  const QString credits = window.Controls().Find<QLabel>("StaticText2")->text();
  EXPECT_TRUE(credits.startsWith("MacQuelvor (v1.0)\n\n")) << credits.toStdString();
  EXPECT_TRUE(window.Controls().Find<QLabel>("StaticText1")->font().bold());
  ASSERT_EQ(ui_->TypeAll("WidthField=3 PhyLengthField=100"), "");
  ASSERT_EQ(ui_->Click("PhyToElBtn"), "");
  EXPECT_NE(ui_->Text("ImpField"), "50");  // the calculator still calculates

  // The application's shortcuts work while About is the active window.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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
}

}  // namespace
}  // namespace mq::test
