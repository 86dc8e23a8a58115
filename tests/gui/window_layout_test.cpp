// SPDX-License-Identifier: MIT
// The window checked against the rules of its layout rather than against a copy of its table:
// every control inside its parent, captions beside their controls, pages 2 and 3 equal to page 1
// but for the listed differences, a few spot rows, and a keyboard order that covers each page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <set>
#include <tuple>

#include "app/about_win.h"
#include "app/app.h"
#include "app/start_up.h"
#include "tests/gui/window_driver.h"
#include "toolkit/group_box.h"
#include "toolkit/tab_panel.h"

namespace mq::test {
namespace {

class WindowLayout : public CalculatorWindowTest {
 protected:
  QRect Geometry(QWidget* control) const {
    return QRect(control->mapTo(window_->centralWidget(), QPoint(0, 0)), control->size());
  }
  // What a user sees of a control: where it is, its kind and its text ("> " right-aligned).
  QString Look(QWidget* control) const {
    const QRect r = Geometry(control);
    QString look =
        QString("%1,%2,%3,%4 ").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
    if (control->inherits("mq::toolkit::ImageWell")) {
      return look + "picture";
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
      return look + (label->alignment() & Qt::AlignRight ? "> " : "") + label->text();
    }
    if (auto* popup = qobject_cast<QComboBox*>(control)) {
      return look + "popup " + popup->itemText(popup->count() - 1);
    }
    if (auto* group = qobject_cast<toolkit::GroupBox*>(control)) {
      return look + "group " + group->Caption();
    }
    auto* field = qobject_cast<QLineEdit*>(control);
    auto* button = qobject_cast<QPushButton*>(control);
    return look + (field ? "field " + field->text() : button ? "button " + button->text() : "");
  }
  // The names of the page's controls that look like no control of the other page.
  std::set<std::string> Unmatched(int page, int other) const {
    std::set<QString> looks;
    for (QWidget* control : window_->Tabs().Page(other)->findChildren<QWidget*>()) {
      looks.insert(Look(control));
    }
    std::set<std::string> unmatched;
    for (QWidget* control : window_->Tabs().Page(page)->findChildren<QWidget*>()) {
      const std::string name = control->objectName().toStdString();
      if (window_->Controls().Contains(name) && !looks.contains(Look(control))) {
        unmatched.insert(name);
      }
    }
    return unmatched;
  }
};

TEST_F(WindowLayout, EveryControlLiesInsideItsParent) {
  EXPECT_EQ(window_->Controls().Count(), 120u);
  for (QWidget* control : window_->centralWidget()->findChildren<QWidget*>()) {
    if (window_->Controls().Contains(control->objectName().toStdString())) {
      EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()))
          << control->objectName().toStdString();
    }
  }
}

// A right-aligned caption names the control that starts 5 to 7 pixels after it, its buddy.
TEST_F(WindowLayout, EachCaptionEndsJustLeftOfItsControl) {
  int captions = 0;
  for (QLabel* label : window_->centralWidget()->findChildren<QLabel*>()) {
    if (label->alignment() & Qt::AlignRight) {
      ++captions;
      ASSERT_NE(label->buddy(), nullptr) << label->text().toStdString();
      const int gap = Geometry(label->buddy()).left() - Geometry(label).right() - 1;
      EXPECT_TRUE(gap >= 5 && gap <= 7) << label->text().toStdString() << ": " << gap;
    }
  }
  EXPECT_EQ(captions, 13 + 13 + 12);  // one for every field and popup of the three pages
}

// What a screen reader says of a control: its caption and unit, or what its picture shows.
TEST_F(WindowLayout, AccessibleNamesSayWhatEachControlIs) {
  // clang-format off
  const std::pair<const char*, const char*> names[] = {
    {"WidthField", "Width (mm)"}, {"InnerDiaField", "Inner diameter (mm)"}, {"EDiConst", "Eff. Dielectric Constant"},
    {"DiPopup2", "Dielectric"}, {"ConPopup3", "Conductor"}, {"ImageWell2", "Stripline cross-section"},
    {"ElToPhyBtn3", "Electrical to physical (synthesis)"}, {"PhyToElBtn", "Physical to electrical (analysis)"}};
  // clang-format on
  for (const auto& [control, name] : names) {
    EXPECT_EQ(window_->Controls().Find(control)->accessibleName().toStdString(), name);
  }
}

// The layout's stated differences between the pages; everything else is page 1 again.
TEST_F(WindowLayout, PagesTwoAndThreeRepeatPageOneButForTheirOwnRows) {
  using Names = std::set<std::string>;
  EXPECT_EQ(Unmatched(1, 2), (Names{"StaticText10", "HeightField", "StaticText56", "EDiConst"}));
  EXPECT_EQ(Unmatched(2, 1), (Names{"StaticText22", "HeightField2", "StaticText24",
                                    "ThicknessField2", "StaticText49"}));
  EXPECT_EQ(Unmatched(1, 3), (Names{"StaticText10", "WidthField", "StaticText11", "HeightField",
                                    "PhyLengthField", "StaticText56", "EDiConst"}));
  EXPECT_EQ(Unmatched(3, 1), (Names{"StaticText34", "InnerDiaField", "StaticText35",
                                    "OuterDiaField", "PhyLengthField3"}));
}

// Spot rows from the layout, where it is odd or easy to get wrong.
TEST_F(WindowLayout, SpotRows) {
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
    {"TabPanel1", "6,6,520,350 "},
    {"DiPopup", "105,58,97,20 popup Teflon"},
    {"StaticText8", "10,232,90,20 > Electrical Length"},
    {"StaticText10", "295,201,67,21 > Width"},
    {"HeightField", "368,232,80,20 field 1.27"},
    {"ElToPhyBtn", "240,201,35,22 button ->"},
    {"StaticText56", "21,320,128,20 > Eff. Dielectric Constant"},
    {"Attenuation2", "368,320,80,20 field "},
    {"ThicknessField2", "368,261,80,20 field 0.01"},
    {"StaticText34", "282,202,80,20 > Inner Diamater"},
  };
  // clang-format on
  for (const auto& [name, look] : rows) {
    EXPECT_EQ(Look(window_->Controls().Find(name)).toStdString(), look);
  }
  EXPECT_EQ(window_->Tabs().CurrentPage(), 1);
  EXPECT_EQ(window_->windowTitle(), "MacQuelvor");
  EXPECT_EQ(window_->centralWidget()->size(), QSize(532, 365));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window_->menuBar()->actions().size(), 3);  // File, Edit, Help
}

// Fields, captions and popups are 10 px; buttons, group captions and page tabs 12 px.
TEST_F(WindowLayout, EachKindOfControlHasItsFontSize) {
  const std::pair<const char*, int> rows[] = {{"WidthField", 10}, {"StaticText1", 10},
                                              {"DiPopup3", 10},   {"ElToPhyBtn2", 12},
                                              {"GroupBox4", 12},  {"TabPanel1", 12}};
  for (const auto& [name, pixels] : rows) {
    QWidget* control = window_->Controls().Find(name);
    QFont font = control->font();
    if (auto* group = qobject_cast<toolkit::GroupBox*>(control)) {
      font = group->TitleFont();
    } else if (auto* tabs = qobject_cast<toolkit::TabPanel*>(control)) {
      font = tabs->TabBar()->font();
    }
    EXPECT_EQ(QFontInfo(font).pixelSize(), pixels) << name;
  }
}

// Reading order: the material group row by row; below it the electrical group, the arrows and the
// physical group, each top to bottom (their edges at x 234 and 281, bottom at y 310); then the
// result row.
std::tuple<int, int, int, int> ReadingPlace(QRect r) {
  const int band = r.top() < 150 ? 0 : r.top() < 310 ? 1 : 2;
  const int column = band != 1 ? 0 : r.left() < 234 ? 0 : r.left() < 281 ? 1 : 2;
  return {band, column, r.top(), r.left()};
}

TEST_F(WindowLayout, TabWalksEachPageInReadingOrder) {
  window_->activateWindow();
  for (int page = 1; page <= 3; ++page) {
    ASSERT_EQ(ui_->ShowPage(page), "");
    std::vector<QWidget*> order;
    for (const auto kind : {toolkit::ControlKind::kEditField, toolkit::ControlKind::kPopupMenu,
                            toolkit::ControlKind::kPushButton}) {
      for (const auto name : WindowDriver::ControlsOn(page, kind)) {
        order.push_back(window_->Controls().Find(name));
      }
    }
    std::sort(order.begin(), order.end(), [this](QWidget* a, QWidget* b) {
      return ReadingPlace(Geometry(a)) < ReadingPlace(Geometry(b));
    });
    order.front()->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 1; i < order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ASSERT_EQ(QApplication::focusWidget(), order[i])
          << "page " << page << ": after " << order[i - 1]->objectName().toStdString();
    }
  }
}

TEST(StartUp, OpensExactlyOneCalculatorWindowAndNoAbout) {
  CloseAllWindows();
  MacQuelvorWnd& window = StartUp(*qobject_cast<App*>(QCoreApplication::instance()));
  int calculators = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    calculators += qobject_cast<MacQuelvorWnd*>(top) != nullptr ? 1 : 0;
  }
  EXPECT_EQ(calculators, 1);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(AboutWin::OpenInstance(), nullptr);
  CloseAllWindows();
}

}  // namespace
}  // namespace mq::test
