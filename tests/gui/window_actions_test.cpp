// SPDX-License-Identifier: MIT
// The window as a user drives it: typed texts, mouse clicks on the arrow buttons, popup picks,
// page switches, the About command and the real modal message box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <string>
#include <utility>
#include <vector>

#include "app/about_win.h"
#include "app/app.h"
#include "tests/gui/window_driver.h"

namespace mq::test {
namespace {

using Texts = std::vector<std::pair<const char*, const char*>>;

struct ButtonCase {
  const char* description;
  int page;
  Texts typed;
  const char* button;
  Texts results;
};

class WindowActions : public CalculatorWindowTest {
 protected:
  void Run(const ButtonCase& c) {
    SCOPED_TRACE(c.description);
    ShowPage(c.page);
    for (const auto& [field, text] : c.typed) {
      Type(field, text);
    }
    Click(c.button);
    EXPECT_TRUE(messages_.messages.empty()) << messages_.messages.front();
    for (const auto& [field, text] : c.results) {
      EXPECT_EQ(Text(field), text) << field;
    }
  }
};

const Texts kMicrostripLine = {{"WidthField", "3"},      {"HeightField", "1.6"},
                               {"DiConstField", "4,6"},  {"LossTanField", "0.02"},
                               {"ConField", "5.8e7"},    {"FreqField", "1"},
                               {"PhyLengthField", "100"}};

TEST_F(WindowActions, ArrowButtonsWriteTheirResults) {
  const ButtonCase cases[] = {
      {"microstrip analysis",
       1,
       kMicrostripLine,
       "PhyToElBtn",
       {{"ImpField", "49.81"},
        {"ElLengthField", "223.27"},
        {"EDiConst", "3.46"},
        {"Attenuation", "3.5568"},
        {"DiConstField", "4.6"}}},
      {"microstrip synthesis, 25 ohm",
       1,
       {{"ImpField", "25"},
        {"HeightField", "1.6"},
        {"DiConstField", "4.6"},
        {"LossTanField", "0.02"},
        {"ConField", "5.8e7"},
        {"FreqField", "1"},
        {"ElLengthField", "90"}},
       "ElToPhyBtn",
       {{"WidthField", "8.1478"},
        {"PhyLengthField", "38.5631"},
        {"EDiConst", "3.78"},
        {"Attenuation", "3.6792"}}},
      {"stripline analysis at 10 GHz",
       2,
       {{"WidthField2", "2"},
        {"ThicknessField2", "0.035"},
        {"PhyLengthField2", "20"},
        {"DiConstField2", "2.2"},
        {"FreqField2", "10"},
        {"ConField2", "5.813e+7"},
        {"LossTanField2", "0.0009"}},
       "PhyToElBtn2",
       {{"ImpField2", "59.61"}, {"ElLengthField2", "355.98"}, {"Attenuation2", "2.2784"}}},
      {"stripline synthesis, 50 ohm air line",
       2,
       {{"ImpField2", "50"},
        {"ElLengthField2", "90"},
        {"FreqField2", "2.5"},
        {"DiConstField2", "1.00"},
        {"LossTanField2", "0"},
        {"ConField2", "3.54e+7"},
        {"ThicknessField2", "0.01"},
        {"HeightField2", "3.2"}},
       "ElToPhyBtn2",
       {{"WidthField2", "4.6207"}, {"PhyLengthField2", "30.0000"}, {"Attenuation2", ".3887"}}},
      {"coaxial analysis",
       3,
       {{"DiConstField3", "2.25"},
        {"LossTanField3", "0.0004"},
        {"FreqField3", "1"},
        {"ConField3", "58130000"},
        {"PhyLengthField3", "100"},
        {"InnerDiaField", "0.91"},
        {"OuterDiaField", "2.95"}},
       "PhyToElBtn3",
       {{"ImpField3", "47.01"}, {"ElLengthField3", "180.00"}, {"Attenuation3", ".4032"}}},
      {"coaxial synthesis",
       3,
       {{"DiConstField3", "2.25"},
        {"LossTanField3", "0.0004"},
        {"FreqField3", "1"},
        {"ConField3", "58130000"},
        {"ImpField3", "50"},
        {"ElLengthField3", "90"},
        {"OuterDiaField", "2.95"}},
       "ElToPhyBtn3",
       {{"InnerDiaField", ".8445"}, {"PhyLengthField3", "50.0000"}, {"Attenuation3", ".4018"}}},
  };
  for (const auto& c : cases) {
    Run(c);
  }
}

struct FailureCase {
  const char* description;
  int page;
  Texts typed;
  const char* button;
  const char* message;
  std::vector<const char*> results;
};

TEST_F(WindowActions, FailedCheckShowsOneMessageAndLeavesResultsAlone) {
  const FailureCase cases[] = {
      {"microstrip, empty height",
       1,
       {{"WidthField", "3"}, {"HeightField", ""}},
       "PhyToElBtn",
       "Height must be greater than zero.",
       {"ImpField", "ElLengthField", "EDiConst", "Attenuation"}},
      {"stripline, zero frequency",
       2,
       {{"FreqField2", "0,0"}},
       "ElToPhyBtn2",
       "Frequency must be greater than zero.",
       {"WidthField2", "PhyLengthField2", "Attenuation2"}},
      {"coaxial, inner not smaller than outer",
       3,
       {{"InnerDiaField", "7"}},
       "PhyToElBtn3",
       "Inner diameter must be smaller than outer diameter.",
       {"ImpField3", "ElLengthField3", "Attenuation3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    messages_.messages.clear();
    ShowPage(c.page);
    for (const auto& [field, text] : c.typed) {
      Type(field, text);
    }
    for (const char* result : c.results) {
      Type(result, "before");
    }
    Click(c.button);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages.front(), c.message);
    for (const char* result : c.results) {
      EXPECT_EQ(Text(result), "before") << result;
    }
  }
  EXPECT_EQ(Text("FreqField2"), "0.0");  // normalised before the check failed
}

TEST_F(WindowActions, PopupPicksWriteOnlyTheirPage) {
  ShowPage(2);
  Pick("DiPopup2", 1);
  Pick("ConPopup2", 4);
  EXPECT_EQ(Text("DiConstField2"), "9.80");
  EXPECT_EQ(Text("LossTanField2"), "0.0003");
  EXPECT_EQ(Text("ConField2"), "6.17e+7");
  for (const char* other : {"DiConstField", "DiConstField3"}) {
    EXPECT_EQ(Text(other), "1.00") << other;
  }
  for (const char* other : {"ConField", "ConField3"}) {
    EXPECT_EQ(Text(other), "3.54e+7") << other;
  }
  EXPECT_EQ(window_->Controls().Find<QComboBox>("DiPopup")->currentIndex(), 0);
}

TEST_F(WindowActions, ConductorPickLeavesATypedDielectricConstant) {
  ShowPage(3);
  Type("DiConstField3", "2,5");
  Pick("ConPopup3", 2);
  EXPECT_EQ(Text("ConField3"), "4.10e+7");
  EXPECT_EQ(Text("DiConstField3"), "2,5");
  Pick("DiPopup3", 8);
  EXPECT_EQ(Text("DiConstField3"), "2.08");
  EXPECT_EQ(Text("LossTanField3"), "0.0004");
}

TEST_F(WindowActions, SwitchingPagesKeepsTypedTexts) {
  Type("WidthField", "1,25");
  ShowPage(3);
  Type("OuterDiaField", "7");
  ShowPage(2);
  ShowPage(1);
  EXPECT_EQ(Text("WidthField"), "1,25");
  ShowPage(3);
  EXPECT_EQ(Text("OuterDiaField"), "7");
}

QAction* AboutItem() {
  auto* app = qobject_cast<App*>(QCoreApplication::instance());
  return app != nullptr ? app->MenuItem("AppleMacQuelvor") : nullptr;
}

int OpenAboutWindows() {
  int count = 0;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    count += qobject_cast<AboutWin*>(top) != nullptr && top->isVisible() ? 1 : 0;
  }
  return count;
}

TEST_F(WindowActions, AboutShowsOneWindowBesideAWorkingCalculator) {
  QAction* about = AboutItem();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isEnabled());
  EXPECT_EQ(about->menuRole(), QAction::AboutRole);
  about->trigger();
  about->trigger();
  EXPECT_EQ(OpenAboutWindows(), 1);
  AboutWin& window = AboutWin::Instance();
  EXPECT_EQ(window.windowTitle(), "About MacQuelvor");
  EXPECT_FALSE(window.isModal());
  const QString credits = window.Controls().Find<QLabel>("StaticText2")->text();
  EXPECT_TRUE(credits.startsWith("MacQuelvor (v1.0)\n\n")) << credits.toStdString();

  Run({"buttons work with About open", 1, kMicrostripLine, "PhyToElBtn", {{"ImpField", "49.81"}}});

  window.close();
  EXPECT_EQ(AboutWin::OpenInstance(), nullptr);
  about->trigger();  // before the closed window is deleted
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(OpenAboutWindows(), 1);
  EXPECT_EQ(AboutWin::Instance().Controls().Find<QLabel>("StaticText2")->text(), credits);
  EXPECT_EQ(AboutWin::Instance().Controls().Find<QLabel>("StaticText1")->text(), "MacQuelvor");
}

TEST(AboutWindow, FixedSizeWithCloseAndMinimise) {
  AboutWin& about = AboutWin::Instance();
  EXPECT_EQ(about.size(), QSize(230, 120));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  const Qt::WindowFlags flags = about.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  CloseAllWindows();
}

// The real modal box: a key closes it and the procedure goes on, so nothing waits forever.
TEST_F(WindowActions, RealMessageBoxClosesWithAKey) {
  window_->SetMessageSink(nullptr);
  Type("HeightField", "0");
  QString shown;
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      QTest::keyClick(box, Qt::Key_Escape);
    }
  });
  closer.start();
  // Should the key not close it, the box is dismissed anyway after five seconds.
  QTimer::singleShot(5000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  Type("ImpField", "before");
  Click("PhyToElBtn");
  closer.stop();
  EXPECT_EQ(shown, "Height must be greater than zero.");
  EXPECT_EQ(Text("ImpField"), "before");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace mq::test
