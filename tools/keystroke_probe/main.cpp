// SPDX-License-Identifier: MIT
// Measures how long the calculator takes to handle a keystroke in a page field while the
// cross-check window follows it, and one in the differential pair window's Spacing field, the
// field solver working on its own thread:
//   keystroke_probe [KEYSTROKES]
// types digits into the Width field of each page and into the pair's spacing (KEYSTROKES each,
// default 200) and prints the median, 99th percentile and longest handling time in milliseconds.
// Then, in the pair window, how long after a keystroke its figures show beside how long the
// solve alone takes, and how long closing the window and quitting take while Find width runs.
// Run it offscreen (QT_QPA_PLATFORM=offscreen) or on an X server.
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/start_up.h"
#include "model/pair.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/macquelvor_wnd.h"
#include "ui/pair_win.h"

namespace {

// Each keystroke makes a new number: "1", "12", "123", then back to one digit.
void Type(QLineEdit& field, int keystrokes, std::vector<double>& took) {
  field.setFocus();
  for (int i = 0; i < keystrokes; ++i) {
    if (field.text().size() >= 3) {
      field.clear();
    }
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(&field, static_cast<char>('1' + i % 9));
    took.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    QTest::qWait(i % 4 == 0 ? 30 : 1);  // a typist's pace: solves both finish and overlap
  }
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

void Print(const char* what, std::vector<double> took) {
  std::sort(took.begin(), took.end());
  std::printf("%s, keystrokes %zu: median %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n",
              what, took.size(), took[took.size() / 2], took[took.size() * 99 / 100], took.back());
}

// Handles events as they come, with no polling interval to blur the time measured.
template <typename Predicate>
void WaitUntil(Predicate done) {
  QEventLoop loop;
  while (!done()) {
    loop.processEvents(QEventLoop::WaitForMoreEvents);
  }
}

// From a keystroke in the pair's spacing to its figures shown, beside the solve of the same inputs
// timed alone on this thread.
void TimeFiguresShown(mq::PairWin& pair, QLineEdit& spacing, int edits) {
  const auto field = [&pair](const char* name) {
    for (QLineEdit* field : pair.findChildren<QLineEdit*>()) {
      if (field->accessibleName() == name) {
        return field;
      }
    }
    return static_cast<QLineEdit*>(nullptr);
  };
  // A 100 ohm pair on 0.2 mm FR-4 with 35 um copper: the pair and its zero-thickness twin solved.
  field("Width (mm)")->setText("0.2");
  field("Height (mm)")->setText("0.2");
  field("Thickness (mm)")->setText("0.035");
  field("Dielectric constant")->setText("4.3");
  const auto number = [&](const char* name) { return field(name)->text().toDouble(); };
  std::vector<double> shown, solved;
  for (int i = 0; i < edits; ++i) {
    WaitUntil([&pair] { return !pair.Solving() && !pair.Drawing(); });
    const QString text = QString::number(0.2 + 0.01 * (i % 50));
    spacing.setText(text.left(text.size() - 1));
    WaitUntil([&pair] { return !pair.Solving() && !pair.Drawing(); });
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(&spacing, text.back().toLatin1());
    WaitUntil([&pair] { return !pair.Solving(); });
    shown.push_back(Since(start));

    const auto alone = std::chrono::steady_clock::now();
    mq::SolvePairToJudge({mq::PairStructure::kMicrostrip, number("Width (mm)"), text.toDouble(),
                          number("Height (mm)"), 0.035, number("Dielectric constant"), 0});
    solved.push_back(Since(alone));
  }
  Print("pair figures shown after the keystroke", shown);
  Print("pair solve alone", solved);
}

// Close, then quit, while Find width searches: how long each takes to return.
void TimeStopsDuringFind(mq::MacQuelvorWnd& window) {
  for (const bool quit : {false, true}) {
    mq::PairWin& pair = mq::PairWin::Show(window);
    for (QPushButton* button : pair.findChildren<QPushButton*>()) {
      if (button->text() == "Find width") {
        button->click();
      }
    }
    QTest::qWait(5);
    const auto start = std::chrono::steady_clock::now();
    const bool finding = pair.Finding();
    if (quit) {
      QCoreApplication::quit();
      QCoreApplication::processEvents();
      QThreadPool::globalInstance()->waitForDone();
    } else {
      pair.close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("%s during Find width (finding: %s): %.3f ms%s\n", quit ? "quit" : "close",
                finding ? "yes" : "no", Since(start),
                quit ? ", the pool's tasks all returned" : "");
  }
}

}  // namespace

int main(int argc, char** argv) {
  mq::App app(argc, argv);
  const int keystrokes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  mq::MacQuelvorWnd& window = mq::StartUp(app);
  mq::CrossCheckWin::Show(window);
  std::vector<double> took;
  for (int page = 1; page <= 3; ++page) {
    window.Tabs().TabBar()->setCurrentIndex(page - 1);
    const std::string field = page == 1   ? "WidthField"
                              : page == 2 ? "WidthField2"
                                          : "InnerDiaField";
    Type(*window.Controls().Find<QLineEdit>(field), keystrokes, took);
  }
  Print("calculator", took);
  // Spacings of 1 to 999 mm beside strips 1.27 mm wide: close to uncoupled.
  window.Tabs().TabBar()->setCurrentIndex(0);
  mq::PairWin& pair = mq::PairWin::Show(window);
  for (QLineEdit* field : pair.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == "Spacing (mm)") {
      std::vector<double> typed;
      Type(*field, keystrokes, typed);
      Print("pair window", typed);
      TimeFiguresShown(pair, *field, std::min(keystrokes, 100));
    }
  }
  for (QLineEdit* field : pair.findChildren<QLineEdit*>()) {
    if (field->accessibleName() == "Thickness (mm)") {
      field->setText("0.035");
    } else if (field->accessibleName() == "Target differential impedance (ohm)") {
      field->setText("85");
    }
  }
  TimeStopsDuringFind(window);
  return 0;
}
