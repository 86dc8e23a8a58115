// SPDX-License-Identifier: MIT
// A seeded stream of random user actions on the real window: typing and pasting anything into
// any field, clicking the arrow buttons, picking popup rows, switching pages, opening and closing
// About. After every action the rules of procedure_checks.h must hold.
//   gui_soak [--seed N] [--actions N]
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/about_win.h"
#include "app/app.h"
#include "app/start_up.h"
#include "model/field_names.h"
#include "tests/support/procedure_checks.h"
#include "toolkit/tab_panel.h"
#include "ui/macquelvor_wnd.h"

namespace mq {
namespace {

using check::Texts;

constexpr const char* kButtons[3][2] = {
    {"ElToPhyBtn", "PhyToElBtn"}, {"ElToPhyBtn2", "PhyToElBtn2"}, {"ElToPhyBtn3", "PhyToElBtn3"}};
constexpr const char* kPopups[3][2] = {
    {"DiPopup", "ConPopup"}, {"DiPopup2", "ConPopup2"}, {"DiPopup3", "ConPopup3"}};

class Soak {
 public:
  Soak(unsigned seed, MacQuelvorWnd& window) : random_(seed), window_(window) {
    window_.SetMessageSink(&messages_);
  }

  // Runs one random action; returns what it broke, or nothing.
  std::string Step(std::string& action) {
    messages_.messages.clear();
    const Texts before = Snapshot();
    switch (Pick(20)) {
      case 0:
        return SwitchPage(action, before);
      case 1:
        return ToggleAbout(action, before);
      case 2:
      case 3:
      case 4:
        return ClickButton(action, before);
      case 5:
      case 6:
        return PickRow(action, before);
      case 7:
        return RunHandlerWithoutSelection(action, before);
      default:
        return TypeIntoField(action, before);
    }
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  int Page() const { return window_.Tabs().CurrentPage(); }

  Texts Snapshot() const {
    Texts texts;
    for (const auto name : AllFieldNames()) {
      texts.emplace(name, window_.Fields().Text(name));
    }
    return texts;
  }

  std::string Unchanged(const Texts& before, std::string_view except = {}) const {
    for (const auto& [name, text] : Snapshot()) {
      if (name != except && text != before.at(name)) {
        return name + " changed from \"" + before.at(name) + "\" to \"" + text + "\"";
      }
    }
    return messages_.messages.empty() ? std::string() : "a message was shown";
  }

  QString RandomText() {
    static const QString kTexts[] = {"",
                                     "0",
                                     "-0",
                                     "1,2,3",
                                     "1e999",
                                     "-1e999",
                                     "1e-999",
                                     "nan",
                                     "inf",
                                     "+5",
                                     " 7",
                                     "2,5",
                                     "0.0000001",
                                     "3.54e+7",
                                     "é",
                                     QString::fromUtf8("中文"),
                                     QString::fromUtf8("😀"),
                                     QString(500, QLatin1Char('9')),
                                     "\x01\x02\t",
                                     "12abc",
                                     ".",
                                     "-",
                                     "e5"};
    if (Pick(3) == 0) {
      return kTexts[Pick(static_cast<int>(std::size(kTexts)))];
    }
    const double value = std::uniform_real_distribution<double>(-5, 200)(random_);
    QString text = QString::number(value, 'g', 1 + Pick(8));
    if (Pick(4) == 0) {
      text.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return text;
  }

  std::string TypeIntoField(std::string& action, const Texts& before) {
    const auto page = check::PageFields(Page());
    const std::string_view name =
        page[static_cast<std::size_t>(Pick(static_cast<int>(page.size())))];
    auto* field = window_.Controls().Find<QLineEdit>(name);
    const QString text = RandomText();
    field->setFocus();
    field->selectAll();
    // QTest types printable ASCII only; anything else arrives as a paste would.
    const bool typeable = std::all_of(text.begin(), text.end(), [](QChar c) {
      return c.unicode() >= 0x20 && c.unicode() < 0x7f;
    });
    if (!typeable || Pick(2) == 0) {
      action = "paste \"" + text.toStdString() + "\" into " + std::string(name);
      field->insert(text);
    } else {
      action = "type \"" + text.toStdString() + "\" into " + std::string(name);
      field->del();
      QTest::keyClicks(field, text);
    }
    return Unchanged(before, name);
  }

  std::string ClickButton(std::string& action, const Texts& before) {
    const char* name = kButtons[Page() - 1][Pick(2)];
    action = std::string("click ") + name;
    QTest::mouseClick(window_.Controls().Find<QPushButton>(name), Qt::LeftButton);
    const std::string handler = std::string(name) + "_Action";
    for (const auto& procedure : check::ButtonProcedures()) {
      if (procedure.name == handler) {
        return check::CheckRun(procedure, before, Snapshot(), messages_.messages);
      }
    }
    return "no rules for " + handler;
  }

  std::string PickRow(std::string& action, const Texts& before) {
    const char* name = kPopups[Page() - 1][Pick(2)];
    auto* popup = window_.Controls().Find<QComboBox>(name);
    const int row = Pick(popup->count());
    action = std::string("pick row ") + std::to_string(row) + " of " + name;
    popup->showPopup();
    QAbstractItemView* list = popup->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
    if (popup->currentIndex() != row || list->isVisible()) {
      return "the pick did not take";
    }
    return check::CheckRun(check::PopupHandler(name, row), before, Snapshot(), messages_.messages);
  }

  // Qt's popups always hold a row once filled; clearing the selection is the nearest thing to
  // the toolkit reporting a row outside the table.
  std::string RunHandlerWithoutSelection(std::string& action, const Texts& before) {
    const int kind = Pick(2);
    const char* name = kPopups[Page() - 1][kind];
    action = std::string("clear the selection of ") + name + " and run its handler";
    window_.Controls().Find<QComboBox>(name)->setCurrentIndex(-1);
    static constexpr void (MacQuelvorWnd::*kHandlers[3][2])() = {
        {&MacQuelvorWnd::DiPopup_Change, &MacQuelvorWnd::ConPopup_Change},
        {&MacQuelvorWnd::DiPopup2_Change, &MacQuelvorWnd::ConPopup2_Change},
        {&MacQuelvorWnd::DiPopup3_Change, &MacQuelvorWnd::ConPopup3_Change}};
    (window_.*kHandlers[Page() - 1][kind])();
    const std::string broken =
        check::CheckRun(check::PopupHandler(name, -1), before, Snapshot(), messages_.messages);
    window_.Controls().Find<QComboBox>(name)->setCurrentIndex(0);
    return broken;
  }

  std::string SwitchPage(std::string& action, const Texts& before) {
    const int page = 1 + Pick(3);
    action = "show page " + std::to_string(page);
    QTabBar* tabs = window_.Tabs().TabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
    if (Page() != page) {
      return "the page did not change";
    }
    return Unchanged(before);
  }

  std::string ToggleAbout(std::string& action, const Texts& before) {
    if (AboutWin* open = AboutWin::OpenInstance(); open != nullptr && Pick(2) == 0) {
      action = "close About";
      open->close();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else {
      action = "choose About";
      qobject_cast<App*>(QCoreApplication::instance())->MenuItem("AppleMacQuelvor")->trigger();
      if (AboutWin::OpenInstance() == nullptr) {
        return "no About window";
      }
    }
    return Unchanged(before);
  }

  std::mt19937 random_;
  MacQuelvorWnd& window_;
  RecordingMessageSink messages_;
};

unsigned long Option(int argc, char** argv, std::string_view name, unsigned long fallback) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (argv[i] == name) {
      return std::strtoul(argv[i + 1], nullptr, 10);
    }
  }
  return fallback;
}

}  // namespace
}  // namespace mq

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const auto seed = static_cast<unsigned>(mq::Option(argc, argv, "--seed", 20261206));
  const unsigned long actions = mq::Option(argc, argv, "--actions", 10000);
  mq::App app(argc, argv);
  mq::Soak soak(seed, mq::StartUp(app));
  for (unsigned long i = 0; i < actions; ++i) {
    std::string action;
    const std::string broken = soak.Step(action);
    if (!broken.empty()) {
      std::fprintf(stderr, "soak failed: seed %u, action %lu: %s\n  %s\n", seed, i + 1,
                   action.c_str(), broken.c_str());
      return 1;
    }
  }
  std::printf("soak: seed %u, %lu actions, every rule held\n", seed, actions);
  return 0;
}
