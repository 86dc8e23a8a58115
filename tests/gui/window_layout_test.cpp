// SPDX-License-Identifier: MIT
// The calculator window as laid out: every control under its name, kind, page, place and text;
// captions that fit; the window's fixed frame; keyboard order and accessible names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "app/about_win.h"
#include "app/app.h"
#include "app/start_up.h"
#include "tests/gui/window_driver.h"
#include "toolkit/group_box.h"
#include "toolkit/tab_panel.h"

namespace mq::test {
namespace {

enum Kind { kTab, kGroup, kLabel, kField, kPopup, kButton, kImage };

struct ExpectedControl {
  const char* name;
  Kind kind;
  int page;  // 0: on the window itself
  QRect geometry;
  const char* text;  // caption, initial text, or the popup's items
};

constexpr const char* kDielectrics =
    "Air\rAlumina\rGaAs\rGermanium\rIndium Phosphide\rPolyethylene\rRT/Duroid "
    "5880\rSilicon\rTeflon";
constexpr const char* kConductors = "Aluminium\rCopper\rGold\rNickel\rSilver";

// In creation order; geometry in the window's content coordinates.
const ExpectedControl kLayout[] = {
    {"TabPanel1", kTab, 0, {6, 6, 520, 350}, "Microstrip\rStripline\rCoaxial"},
    {"GroupBox1", kGroup, 1, {15, 37, 500, 107}, "Material Parameters"},
    {"GroupBox2", kGroup, 1, {15, 150, 219, 160}, "Electrical Characteristics"},
    {"GroupBox3", kGroup, 1, {281, 150, 234, 160}, "Physical Characteristics"},
    {"StaticText1", kLabel, 1, {19, 87, 80, 20}, "Dielectric Const."},
    {"StaticText2", kLabel, 1, {19, 116, 80, 20}, "Loss Tangent"},
    {"StaticText3", kLabel, 1, {19, 59, 80, 20}, "Dielectric"},
    {"StaticText4", kLabel, 1, {179, 116, 80, 20}, "Conductivity"},
    {"StaticText5", kLabel, 1, {178, 59, 80, 20}, "Conductor"},
    {"StaticText6", kLabel, 1, {20, 173, 80, 20}, "Impedans"},
    {"ImpField", kField, 1, {106, 173, 80, 20}, "50"},
    {"StaticText7", kLabel, 1, {20, 202, 80, 20}, "Frequency"},
    {"FreqField", kField, 1, {106, 202, 80, 20}, "2.5"},
    {"StaticText8", kLabel, 1, {10, 232, 90, 20}, "Electrical Length"},
    {"ElLengthField", kField, 1, {106, 232, 80, 20}, "90"},
    {"StaticText9", kLabel, 1, {282, 173, 80, 20}, "Physical Length"},
    {"PhyLengthField", kField, 1, {368, 173, 80, 20}, ""},
    {"StaticText10", kLabel, 1, {295, 201, 67, 21}, "Width"},
    {"WidthField", kField, 1, {368, 202, 80, 20}, ""},
    {"StaticText11", kLabel, 1, {282, 232, 80, 20}, "Height"},
    {"HeightField", kField, 1, {368, 232, 80, 20}, "1.27"},
    {"ImageWell1", kImage, 1, {380, 55, 132, 86}, ""},
    {"GroupBox4", kGroup, 2, {15, 37, 500, 107}, "Material Parameters"},
    {"GroupBox5", kGroup, 2, {15, 150, 219, 160}, "Electrical Characteristics"},
    {"GroupBox6", kGroup, 2, {281, 150, 234, 160}, "Physical Characteristics"},
    {"StaticText13", kLabel, 2, {19, 87, 80, 20}, "Dielectric Const."},
    {"DiConstField2", kField, 2, {105, 87, 80, 20}, "1.00"},
    {"StaticText14", kLabel, 2, {19, 116, 80, 20}, "Loss Tangent"},
    {"LossTanField2", kField, 2, {105, 116, 80, 20}, "0"},
    {"StaticText15", kLabel, 2, {19, 59, 80, 20}, "Dielectric"},
    {"StaticText17", kLabel, 2, {178, 59, 80, 20}, "Conductor"},
    {"StaticText18", kLabel, 2, {20, 173, 80, 20}, "Impedans"},
    {"ImpField2", kField, 2, {106, 173, 80, 20}, "50"},
    {"StaticText19", kLabel, 2, {20, 202, 80, 20}, "Frequency"},
    {"FreqField2", kField, 2, {106, 202, 80, 20}, "2.5"},
    {"StaticText20", kLabel, 2, {10, 232, 90, 20}, "Electrical Length"},
    {"ElLengthField2", kField, 2, {106, 232, 80, 20}, "90"},
    {"StaticText21", kLabel, 2, {282, 173, 80, 20}, "Physical Length"},
    {"PhyLengthField2", kField, 2, {368, 173, 80, 20}, ""},
    {"StaticText22", kLabel, 2, {282, 202, 80, 20}, "Width"},
    {"WidthField2", kField, 2, {368, 202, 80, 20}, ""},
    {"StaticText23", kLabel, 2, {282, 232, 80, 20}, "Height"},
    {"HeightField2", kField, 2, {368, 232, 80, 20}, "3.2"},
    {"ImageWell2", kImage, 2, {380, 55, 132, 86}, ""},
    {"GroupBox7", kGroup, 3, {15, 37, 500, 107}, "Material Parameters"},
    {"GroupBox8", kGroup, 3, {15, 150, 219, 160}, "Electrical Characteristics"},
    {"GroupBox9", kGroup, 3, {281, 150, 234, 160}, "Physical Characteristics"},
    {"StaticText25", kLabel, 3, {19, 87, 80, 20}, "Dielectric Const."},
    {"DiConstField3", kField, 3, {105, 87, 80, 20}, "1.00"},
    {"StaticText26", kLabel, 3, {19, 116, 80, 20}, "Loss Tangent"},
    {"LossTanField3", kField, 3, {105, 116, 80, 20}, "0"},
    {"StaticText27", kLabel, 3, {19, 59, 80, 20}, "Dielectric"},
    {"StaticText29", kLabel, 3, {178, 59, 80, 20}, "Conductor"},
    {"StaticText30", kLabel, 3, {20, 173, 80, 20}, "Impedans"},
    {"ImpField3", kField, 3, {106, 173, 80, 20}, "50"},
    {"StaticText31", kLabel, 3, {20, 202, 80, 20}, "Frequency"},
    {"FreqField3", kField, 3, {106, 202, 80, 20}, "2.5"},
    {"StaticText32", kLabel, 3, {10, 232, 90, 20}, "Electrical Length"},
    {"ElLengthField3", kField, 3, {106, 232, 80, 20}, "90"},
    {"StaticText33", kLabel, 3, {282, 173, 80, 20}, "Physical Length"},
    {"PhyLengthField3", kField, 3, {368, 173, 80, 20}, "20"},
    {"StaticText34", kLabel, 3, {282, 202, 80, 20}, "Inner Diamater"},
    {"InnerDiaField", kField, 3, {368, 202, 80, 20}, "1"},
    {"StaticText35", kLabel, 3, {282, 232, 80, 20}, "Outer Diameter"},
    {"OuterDiaField", kField, 3, {368, 232, 80, 20}, "6.5"},
    {"ImageWell3", kImage, 3, {380, 55, 132, 86}, ""},
    {"ElToPhyBtn", kButton, 1, {240, 201, 35, 22}, "->"},
    {"PhyToElBtn", kButton, 1, {240, 260, 35, 22}, "<-"},
    {"StaticText36", kLabel, 1, {190, 173, 31, 20}, "Ohm"},
    {"StaticText38", kLabel, 1, {190, 232, 20, 20}, "Deg"},
    {"StaticText39", kLabel, 1, {453, 232, 20, 20}, "mm"},
    {"StaticText40", kLabel, 1, {453, 202, 20, 20}, "mm"},
    {"StaticText41", kLabel, 1, {453, 173, 20, 20}, "mm"},
    {"DiPopup2", kPopup, 2, {105, 58, 97, 20}, kDielectrics},
    {"ConPopup2", kPopup, 2, {264, 58, 97, 20}, kConductors},
    {"DiPopup3", kPopup, 3, {105, 58, 97, 20}, kDielectrics},
    {"ConPopup3", kPopup, 3, {264, 58, 97, 20}, kConductors},
    {"StaticText43", kLabel, 2, {190, 173, 31, 20}, "Ohm"},
    {"StaticText44", kLabel, 2, {190, 202, 20, 20}, "GHz"},
    {"StaticText45", kLabel, 2, {190, 232, 20, 20}, "Deg"},
    {"StaticText46", kLabel, 2, {453, 173, 20, 20}, "mm"},
    {"StaticText47", kLabel, 2, {453, 202, 20, 20}, "mm"},
    {"StaticText48", kLabel, 2, {453, 232, 20, 20}, "mm"},
    {"StaticText50", kLabel, 3, {190, 173, 31, 20}, "Ohm"},
    {"StaticText51", kLabel, 3, {190, 202, 20, 20}, "GHz"},
    {"StaticText52", kLabel, 3, {190, 232, 20, 20}, "Deg"},
    {"StaticText53", kLabel, 3, {453, 173, 20, 20}, "mm"},
    {"StaticText54", kLabel, 3, {453, 202, 20, 20}, "mm"},
    {"StaticText55", kLabel, 3, {453, 232, 20, 20}, "mm"},
    {"StaticText57", kLabel, 1, {349, 116, 20, 20}, "S/m"},
    {"StaticText37", kLabel, 1, {190, 202, 20, 20}, "GHz"},
    {"ElToPhyBtn2", kButton, 2, {240, 201, 35, 22}, "->"},
    {"PhyToElBtn2", kButton, 2, {240, 260, 35, 22}, "<-"},
    {"ElToPhyBtn3", kButton, 3, {240, 201, 35, 22}, "->"},
    {"PhyToElBtn3", kButton, 3, {240, 260, 35, 22}, "<-"},
    {"StaticText16", kLabel, 2, {179, 116, 80, 20}, "Conductivity"},
    {"ConField2", kField, 2, {265, 116, 80, 20}, "3.54e+7"},
    {"StaticText28", kLabel, 2, {349, 116, 20, 20}, "S/m"},
    {"StaticText58", kLabel, 3, {179, 116, 80, 20}, "Conductivity"},
    {"ConField3", kField, 3, {265, 116, 80, 20}, "3.54e+7"},
    {"StaticText59", kLabel, 3, {349, 116, 20, 20}, "S/m"},
    {"DiPopup", kPopup, 1, {105, 58, 97, 20}, kDielectrics},
    {"ConPopup", kPopup, 1, {264, 58, 97, 20}, kConductors},
    {"DiConstField", kField, 1, {105, 87, 80, 20}, "1.00"},
    {"LossTanField", kField, 1, {105, 116, 80, 20}, "0"},
    {"ConField", kField, 1, {265, 116, 80, 20}, "3.54e+7"},
    {"StaticText56", kLabel, 1, {21, 320, 128, 20}, "Eff. Dielectric Constant"},
    {"EDiConst", kField, 1, {154, 320, 80, 20}, ""},
    {"StaticText60", kLabel, 1, {294, 320, 67, 20}, "Attenuation"},
    {"Attenuation", kField, 1, {368, 320, 80, 20}, ""},
    {"StaticText61", kLabel, 1, {453, 320, 35, 20}, "dB/m"},
    {"StaticText42", kLabel, 2, {294, 320, 67, 20}, "Attenuation"},
    {"Attenuation2", kField, 2, {368, 320, 80, 20}, ""},
    {"StaticText62", kLabel, 2, {453, 320, 35, 20}, "dB/m"},
    {"StaticText24", kLabel, 2, {282, 261, 80, 20}, "Thickness"},
    {"ThicknessField2", kField, 2, {368, 261, 80, 20}, "0.01"},
    {"StaticText49", kLabel, 2, {453, 261, 20, 20}, "mm"},
    {"StaticText12", kLabel, 3, {294, 320, 67, 20}, "Attenuation"},
    {"Attenuation3", kField, 3, {368, 320, 80, 20}, ""},
    {"StaticText63", kLabel, 3, {453, 320, 35, 20}, "dB/m"},
};

QString Lines(const QComboBox& popup) {
  QStringList items;
  for (int i = 0; i < popup.count(); ++i) {
    items << popup.itemText(i);
  }
  return items.join(QLatin1Char('\r'));
}

bool IsKind(QWidget* control, Kind kind) {
  switch (kind) {
    case kTab:
      return qobject_cast<toolkit::TabPanel*>(control) != nullptr;
    case kGroup:
      return qobject_cast<QGroupBox*>(control) != nullptr;
    case kLabel:
    case kImage:
      return qobject_cast<QLabel*>(control) != nullptr;
    case kField:
      return qobject_cast<QLineEdit*>(control) != nullptr;
    case kPopup:
      return qobject_cast<QComboBox*>(control) != nullptr;
    case kButton:
      return qobject_cast<QPushButton*>(control) != nullptr;
  }
  return false;
}

QString TextOf(QWidget* control, Kind kind) {
  switch (kind) {
    case kTab: {
      QTabBar* tabs = static_cast<toolkit::TabPanel*>(control)->TabBar();
      QStringList captions;
      for (int i = 0; i < tabs->count(); ++i) {
        captions << tabs->tabText(i);
      }
      return captions.join(QLatin1Char('\r'));
    }
    case kGroup:
      return static_cast<QGroupBox*>(control)->title();
    case kLabel:
      return static_cast<QLabel*>(control)->text();
    case kField:
      return static_cast<QLineEdit*>(control)->text();
    case kPopup:
      return Lines(*static_cast<QComboBox*>(control));
    case kButton:
      return static_cast<QPushButton*>(control)->text();
    case kImage:
      return {};
  }
  return {};
}

class WindowLayout : public CalculatorWindowTest {
 protected:
  int PageOf(QWidget* control) const {
    for (int page = 1; page <= 3; ++page) {
      if (window_->Tabs().Page(page)->isAncestorOf(control)) {
        return page;
      }
    }
    return 0;
  }

  QRect ContentGeometry(QWidget* control) const {
    return QRect(control->mapTo(window_->centralWidget(), QPoint(0, 0)), control->size());
  }
};

TEST_F(WindowLayout, EveryControlAsLaidOut) {
  ASSERT_EQ(std::size(kLayout), 120u);
  for (int page = 3; page >= 1; --page) {
    ShowPage(page);  // an image well fetches its picture once first painted
    auto* well = window_->Controls().Find<QLabel>("ImageWell" + std::to_string(page));
    EXPECT_TRUE(QTest::qWaitFor([well] { return !well->pixmap().isNull(); }, 2000));
  }
  EXPECT_EQ(window_->Controls().Count(), 120u);
  for (const auto& expected : kLayout) {
    SCOPED_TRACE(expected.name);
    QWidget* control = window_->Controls().Find(expected.name);
    EXPECT_TRUE(IsKind(control, expected.kind));
    EXPECT_EQ(PageOf(control), expected.page);
    EXPECT_EQ(ContentGeometry(control), expected.geometry);
    EXPECT_EQ(TextOf(control, expected.kind), QString::fromUtf8(expected.text));
    EXPECT_TRUE(control->isEnabled());
    if (expected.kind == kImage) {
      EXPECT_FALSE(static_cast<QLabel*>(control)->pixmap().isNull());
    }
  }
}

TEST_F(WindowLayout, PagesShareNoField) {
  std::set<QLineEdit*> seen;
  int fieldsPerPage[4] = {};
  for (QLineEdit* field : window_->centralWidget()->findChildren<QLineEdit*>()) {
    if (field->objectName().isEmpty()) {
      continue;  // a popup's own line editor, if the style has one
    }
    EXPECT_TRUE(seen.insert(field).second);
    ++fieldsPerPage[PageOf(field)];
  }
  EXPECT_EQ(fieldsPerPage[0], 0);
  EXPECT_EQ(fieldsPerPage[1], 11);
  EXPECT_EQ(fieldsPerPage[2], 11);
  EXPECT_EQ(fieldsPerPage[3], 10);
}

TEST_F(WindowLayout, OpensOnTheMicrostripPageWithAirAndAluminium) {
  EXPECT_EQ(window_->Tabs().CurrentPage(), 1);
  EXPECT_TRUE(Field("ImpField")->isVisible());
  EXPECT_FALSE(Field("ImpField2")->isVisible());
  EXPECT_FALSE(Field("ImpField3")->isVisible());
  for (const char* popup : {"DiPopup", "DiPopup2", "DiPopup3"}) {
    EXPECT_EQ(window_->Controls().Find<QComboBox>(popup)->currentText(), "Air") << popup;
  }
  for (const char* popup : {"ConPopup", "ConPopup2", "ConPopup3"}) {
    EXPECT_EQ(window_->Controls().Find<QComboBox>(popup)->currentText(), "Aluminium") << popup;
  }
}

TEST_F(WindowLayout, FixedWindowWithoutCloseOrMaximise) {
  EXPECT_EQ(window_->windowTitle(), "MacQuelvor");
  EXPECT_EQ(window_->centralWidget()->size(), QSize(532, 365));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
}

// Every caption is measured in the font it is drawn with against its own rectangle.
void ExpectCaptionsFit(QWidget& root) {
  for (QLabel* label : root.findChildren<QLabel*>()) {
    const QFontMetrics metrics(label->font());
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
      EXPECT_LE(metrics.horizontalAdvance(line), label->width())
          << label->objectName().toStdString() << ": " << line.toStdString();
    }
    EXPECT_LE(lines.size() * metrics.lineSpacing(), label->height() + metrics.leading())
        << label->objectName().toStdString();
  }
  for (toolkit::GroupBox* group : root.findChildren<toolkit::GroupBox*>()) {
    EXPECT_LE(QFontMetrics(group->TitleFont()).horizontalAdvance(group->title()),
              group->width() - 20)
        << group->objectName().toStdString();
  }
  for (QPushButton* button : root.findChildren<QPushButton*>()) {
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 8)
        << button->objectName().toStdString();
  }
}

TEST_F(WindowLayout, EveryCaptionIsFullyVisible) {
  for (int page = 1; page <= 3; ++page) {
    ShowPage(page);
  }
  ExpectCaptionsFit(*window_->centralWidget());
  // The tabs fit in the band above the group boxes (Top 37) and across the panel.
  QTabBar* tabs = window_->Tabs().TabBar();
  EXPECT_LE(tabs->mapTo(window_->centralWidget(), QPoint(0, tabs->height())).y(), 37);
  EXPECT_LE(tabs->sizeHint().width(), window_->Tabs().width());
}

struct TabStop {
  int page;
  std::vector<const char*> order;
};

TEST_F(WindowLayout, TabMovesThroughEachPageInReadingOrder) {
  const TabStop pages[] = {
      {1,
       {"DiPopup", "ConPopup", "DiConstField", "LossTanField", "ConField", "ImpField", "FreqField",
        "ElLengthField", "ElToPhyBtn", "PhyToElBtn", "PhyLengthField", "WidthField", "HeightField",
        "EDiConst", "Attenuation"}},
      {2,
       {"DiPopup2", "ConPopup2", "DiConstField2", "LossTanField2", "ConField2", "ImpField2",
        "FreqField2", "ElLengthField2", "ElToPhyBtn2", "PhyToElBtn2", "PhyLengthField2",
        "WidthField2", "HeightField2", "ThicknessField2", "Attenuation2"}},
      {3,
       {"DiPopup3", "ConPopup3", "DiConstField3", "LossTanField3", "ConField3", "ImpField3",
        "FreqField3", "ElLengthField3", "ElToPhyBtn3", "PhyToElBtn3", "PhyLengthField3",
        "InnerDiaField", "OuterDiaField", "Attenuation3"}},
  };
  window_->activateWindow();
  for (const auto& [page, order] : pages) {
    ShowPage(page);
    window_->Controls().Find(order.front())->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 1; i < order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ASSERT_NE(QApplication::focusWidget(), nullptr);
      EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), order[i])
          << "after " << order[i - 1] << " on page " << page;
    }
  }
}

TEST_F(WindowLayout, FieldsAndPopupsAreNamedByCaptionAndUnit) {
  const std::pair<const char*, const char*> names[] = {
      {"DiPopup", "Dielectric"},
      {"ConPopup2", "Conductor"},
      {"DiConstField", "Dielectric Const."},
      {"LossTanField2", "Loss Tangent"},
      {"ConField3", "Conductivity (S/m)"},
      {"ImpField", "Impedans (Ohm)"},
      {"FreqField2", "Frequency (GHz)"},
      {"ElLengthField3", "Electrical Length (Deg)"},
      {"PhyLengthField", "Physical Length (mm)"},
      {"WidthField", "Width (mm)"},
      {"HeightField2", "Height (mm)"},
      {"ThicknessField2", "Thickness (mm)"},
      {"InnerDiaField", "Inner Diamater (mm)"},
      {"OuterDiaField", "Outer Diameter (mm)"},
      {"EDiConst", "Eff. Dielectric Constant"},
      {"Attenuation3", "Attenuation (dB/m)"},
      {"ElToPhyBtn2", "Electrical to physical (synthesis)"},
      {"PhyToElBtn3", "Physical to electrical (analysis)"},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(window_->Controls().Find(control)->accessibleName(), name) << control;
  }
  for (const auto& expected : kLayout) {
    if (expected.kind == kField || expected.kind == kPopup) {
      EXPECT_FALSE(window_->Controls().Find(expected.name)->accessibleName().isEmpty())
          << expected.name;
    }
  }
}

TEST(StartUp, OpensExactlyOneCalculatorWindowAndNoAbout) {
  CloseAllWindows();
  auto* app = qobject_cast<App*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  MacQuelvorWnd& window = StartUp(*app);
  int calculators = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    calculators += qobject_cast<MacQuelvorWnd*>(top) != nullptr ? 1 : 0;
  }
  EXPECT_EQ(calculators, 1);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(AboutWin::OpenInstance(), nullptr);
  EXPECT_EQ(&MacQuelvorWnd::Instance(), &window);
  CloseAllWindows();
}

}  // namespace
}  // namespace mq::test
