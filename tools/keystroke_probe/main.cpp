// SPDX-License-Identifier: MIT
// Measures how long the calculator takes to handle a keystroke in a page field while the
// cross-check window follows it, and one in the Line Designer's Spacing field (on the microstrip
// pair), the field solver working on its own thread:
//   keystroke_probe [KEYSTROKES]
// types digits into the Width field of each page and into the pair's spacing (KEYSTROKES each,
// default 200) and prints the median, 99th percentile and longest handling time in milliseconds.
// Then, in the Line Designer, how long after a keystroke its figures show beside how long the
// solve alone takes, and how long closing the window and quitting take while Find width runs.
// Run it offscreen (QT_QPA_PLATFORM=offscreen) or on an X server.
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/start_up.h"
#include "model/pair.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/line_designer_win.h"
#include "ui/macquelvor_wnd.h"

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
void TimeFiguresShown(mq::LineDesignerWin& pair, QLineEdit& spacing, int edits) {
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

    const mq::PairInputs in{mq::PairStructure::kMicrostrip,
                            number("Width (mm)"),
                            text.toDouble(),
                            number("Height (mm)"),
                            0.035,
                            number("Dielectric constant"),
                            0};
    // On a thread of its own, as the window solves.
    std::thread([&in, &solved] {
      const auto alone = std::chrono::steady_clock::now();
      mq::SolvePairToJudge(in);
      solved.push_back(Since(alone));
    }).join();
  }
  Print("pair figures shown after the keystroke", shown);
  Print("pair solve alone", solved);
}

// The Line Designer on the microstrip pair.
mq::LineDesignerWin& ShowPair(mq::MacQuelvorWnd& window) {
  mq::LineDesignerWin& pair = mq::LineDesignerWin::Show(window);
  for (QComboBox* popup : pair.findChildren<QComboBox*>()) {
    if (popup->accessibleName() == "Structure") {
      popup->setCurrentIndex(popup->findText("Microstrip pair"));
    }
  }
  return pair;
}

// Find width started in the Line Designer (opened anew where it was closed).
mq::LineDesignerWin& StartFinding(mq::MacQuelvorWnd& window) {
  mq::LineDesignerWin& pair = ShowPair(window);
  for (QPushButton* button : pair.findChildren<QPushButton*>()) {
    if (button->text() == "Find width") {
      button->click();
    }
  }
  return pair;
}

// Closing the window while Find width searches: until the window is gone, and until the search
// has returned to the pool.
void TimeCloseDuringFind(mq::MacQuelvorWnd& window) {
  mq::LineDesignerWin& pair = StartFinding(window);
  QTest::qWait(5);
  const bool finding = pair.Finding();
  const auto start = std::chrono::steady_clock::now();
  pair.close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const double closed = Since(start);
  QThreadPool::globalInstance()->waitForDone();
  std::printf(
      "close during Find width (finding: %s): %.3f ms, the pool's tasks returned after "
      "%.3f ms\n",
      finding ? "yes" : "no", closed, Since(start));
}

// Quitting while Find width searches, as the Quit command does: from quit() until the event loop
// has returned and every task of the pool with it.
void TimeQuitDuringFind(QApplication& app, mq::MacQuelvorWnd& window) {
  std::chrono::steady_clock::time_point start;
  bool finding = false;
  QTimer::singleShot(0, &app, [&] {
    mq::LineDesignerWin& pair = StartFinding(window);
    QTimer::singleShot(5, &app, [&] {
      finding = pair.Finding();
      start = std::chrono::steady_clock::now();
      QCoreApplication::quit();
    });
  });
  app.exec();
  QThreadPool::globalInstance()->waitForDone();
  std::printf("quit during Find width (finding: %s): %.3f ms until the pool's tasks returned\n",
              finding ? "yes" : "no", Since(start));
}

}  // namespace

int main(int argc, char** argv) {
  // The Line Designer's settings of this run only, never the user's.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
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
  mq::LineDesignerWin& pair = ShowPair(window);
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
  TimeCloseDuringFind(window);
  TimeQuitDuringFind(app, window);
  return 0;
}
