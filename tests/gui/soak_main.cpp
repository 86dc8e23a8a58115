// SPDX-License-Identifier: MIT
// A seeded stream of random user actions on the real window: typing and pasting anything into
// any field, clicking the arrow buttons, picking popup rows, switching pages. After every action
// the rules of procedure_checks.h must hold.
//   gui_soak [--seed N] [--actions N]
#include <QComboBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/app.h"
#include "app/start_up.h"
#include "tests/gui/window_driver.h"

namespace mq {
namespace {

using check::Texts;
using toolkit::ControlKind;
using Driver = test::WindowDriver;

class Soak {
 public:
  Soak(unsigned seed, MacQuelvorWnd& window) : random_(seed), window_(window), ui_(window) {
    window_.SetMessageSink(&messages_);
  }

  // Runs one random action; returns what it broke, or nothing.
  std::string Step(std::string& action) {
    messages_.messages.clear();
    const Texts before = ui_.Snapshot();
    const int kind = Pick(20);
    if (kind == 0) {
      const int page = 1 + Pick(3);
      action = "show page " + std::to_string(page);
      const std::string broken = ui_.ShowPage(page);
      return Or(broken, Unchanged(before));
    }
    if (kind < 5) {
      return ClickButton(action, before);
    }
    if (kind < 8) {
      return PickRow(action, before, kind == 7);
    }
    return TypeIntoField(action, before);
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  std::string_view AnyOf(const std::vector<std::string_view>& names) {
    return names[static_cast<std::size_t>(Pick(static_cast<int>(names.size())))];
  }

  // What went wrong first; the caller evaluates the second only after the action.
  static std::string Or(const std::string& first, const std::string& second) {
    return first.empty() ? second : first;
  }

  std::string Unchanged(const Texts& before, std::string_view except = {}) const {
    for (const auto& [name, text] : ui_.Snapshot()) {
      if (name != except && text != before.at(name)) {
        return name + " changed from \"" + before.at(name) + "\" to \"" + text + "\"";
      }
    }
    return messages_.messages.empty() ? std::string() : "a message was shown";
  }

  QString RandomText() {
    // clang-format off
    static const QString kTexts[] = {"", "-0", "1,2,3", "1e999", "-1e999", "1e-999", "nan", " +7",
        "é", "12abc", ".", "e5", "\x01\t", QString::fromUtf8("中文😀"), QString(500, '9')};
    // clang-format on
    if (Pick(3) == 0) {
      return kTexts[Pick(static_cast<int>(std::size(kTexts)))];
    }
    QString text =
        QString::number(std::uniform_real_distribution<double>(-5, 200)(random_), 'g', 1 + Pick(8));
    return Pick(4) == 0 ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
  }

  std::string TypeIntoField(std::string& action, const Texts& before) {
    const std::string_view name = AnyOf(Driver::ControlsOn(ui_.Page(), ControlKind::kEditField));
    const QString text = RandomText();
    // QTest types printable ASCII only; anything else arrives as a paste would.
    const bool typeable = std::all_of(text.begin(), text.end(), [](QChar c) {
      return c.unicode() >= 0x20 && c.unicode() < 0x7f;
    });
    const bool paste = !typeable || Pick(2) == 0;
    action = (paste ? "paste \"" : "type \"") + text.toStdString() + "\" into " + std::string(name);
    const std::string broken = ui_.Type(name, text, paste);
    return Or(broken, Unchanged(before, name));
  }

  std::string ClickButton(std::string& action, const Texts& before) {
    const std::string_view name = AnyOf(Driver::ControlsOn(ui_.Page(), ControlKind::kPushButton));
    action = "click " + std::string(name);
    const std::string handler = std::string(name) + "_Action";
    for (const auto& procedure : check::ButtonProcedures()) {
      if (procedure.name == handler) {
        const std::string broken = ui_.Click(name);
        return Or(broken, check::CheckRun(procedure, before, ui_.Snapshot(), messages_.messages));
      }
    }
    return "no rules for " + handler;
  }

  // Qt's popups always hold a row once filled; a Change with no row selected is the nearest
  // thing to the toolkit reporting a row outside the table.
  std::string PickRow(std::string& action, const Texts& before, bool noRow) {
    const std::string_view name = AnyOf(Driver::ControlsOn(ui_.Page(), ControlKind::kPopupMenu));
    auto* popup = window_.Controls().Find<QComboBox>(name);
    const int row = noRow ? -1 : Pick(popup->count());
    action = "pick row " + std::to_string(row) + " of " + std::string(name);
    std::string broken;
    if (noRow) {
      popup->setCurrentIndex(-1);
      emit popup->activated(-1);
    } else {
      broken = ui_.Pick(name, row);
    }
    broken = Or(broken, check::CheckRun(check::PopupHandler(name, row), before, ui_.Snapshot(),
                                        messages_.messages));
    popup->setCurrentIndex(std::max(row, 0));
    return broken;
  }

  std::mt19937 random_;
  MacQuelvorWnd& window_;
  Driver ui_;
  RecordingMessageSink messages_;
};

}  // namespace
}  // namespace mq

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto option = [&args](const char* name, unsigned long fallback) {
    const auto found = std::find(args.begin(), args.end(), name);
    return found + 1 < args.end() ? std::stoul(*(found + 1)) : fallback;
  };
  const auto seed = static_cast<unsigned>(option("--seed", 20261206));
  const unsigned long actions = option("--actions", 10000);
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
