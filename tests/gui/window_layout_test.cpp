// SPDX-License-Identifier: MIT
// The window against its layout's rules: names, spot rows, font sizes, the keyboard's order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <tuple>

#include "tests/gui/window_driver.h"
#include "toolkit/group_box.h"
#include "toolkit/tab_panel.h"
#include "ui/layout_tables.h"

namespace mq::test {
namespace {

class WindowLayout : public CalculatorWindowTest {
 protected:
  QRect Geometry(QWidget* control) const {
    return QRect(control->mapTo(window_->centralWidget(), QPoint(0, 0)), control->size());
  }
  // What a user sees of a caption: where it is and its text ("> " right-aligned).
  std::string Look(const char* name) const {
    auto* label = window_->Controls().Find<QLabel>(name);
    const QRect r = Geometry(label);
    const char* right = label->alignment() & Qt::AlignRight ? "> " : "";
    return QString::asprintf("%d,%d,%d,%d %s", r.left(), r.top(), r.width(), r.height(), right)
               .toStdString() +
           label->text().toStdString();
  }
};

// What a screen reader says of a control: its caption and unit, or what its picture shows.
TEST_F(WindowLayout, AccessibleNamesSayWhatEachControlIs) {
  // clang-format off
  const std::pair<const char*, const char*> names[] = {
    {"WidthField", "Width (mm)"}, {"InnerDiaField", "Inner diameter (mm)"}, {"ImpField2", "Impedance (Ohm)"},
    {"EDiConst", "Eff. Dielectric Constant"},
    {"DiPopup2", "Dielectric"}, {"ConPopup3", "Conductor"}, {"ImageWell2", "Stripline cross-section"},
    {"ElToPhyBtn3", "Electrical to physical (synthesis)"}, {"PhyToElBtn", "Physical to electrical (analysis)"}};
  // clang-format on
  for (const auto& [control, name] : names) {
    EXPECT_EQ(window_->Controls().Find(control)->accessibleName().toStdString(), name);
  }
}

// Odd captions: one on the page, a narrow one, the widest, a misspelt one; no stray captions.
TEST_F(WindowLayout, SpotRows) {
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
    {"StaticText8", "10,232,90,20 > Electrical Length"},
    {"StaticText10", "295,201,67,21 > Width"},
    {"StaticText56", "21,320,128,20 > Eff. Dielectric Constant"},
    {"StaticText34", "282,202,80,20 > Inner Diamater"},
  };
  // clang-format on
  for (const auto& [name, look] : rows) {
    EXPECT_EQ(Look(name), look);
  }
  for (QLabel* label : window_->centralWidget()->findChildren<QLabel*>()) {  // nothing stray
    EXPECT_TRUE(!label->isVisible() ||
                window_->Controls().Contains(label->objectName().toStdString()));
  }
  EXPECT_EQ(window_->Tabs().TabBar()->geometry().topLeft(), QPoint(4, 0));
  EXPECT_EQ(window_->centralWidget()->size(), QSize(532, 365));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(window_->menuBar()->actions().size(), 4);  // File, Edit, Calculate, Help
}

// Fields, captions and popups are 10 px; buttons, group captions and page tabs 12 px; no button
// is the default one.
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
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_TRUE(!button->isDefault() && button->text() == "->") << name;
    }
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
    for (const auto& row : ui::CalculatorControls()) {
      if (row.page == page && (row.kind == toolkit::ControlKind::kEditField ||
                               row.kind == toolkit::ControlKind::kPopupMenu ||
                               row.kind == toolkit::ControlKind::kPushButton)) {
        order.push_back(window_->Controls().Find(row.name));
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

}  // namespace
}  // namespace mq::test
