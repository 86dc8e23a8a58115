// SPDX-License-Identifier: MIT
// Measures how long the calculator takes to handle a keystroke in a page field while the
// cross-check window follows it, and one in the differential pair window's Spacing field, the
// field solver working on its own thread:
//   keystroke_probe [KEYSTROKES]
// types digits into the Width field of each page and into the pair's spacing (KEYSTROKES each,
// default 200) and prints the median, 99th percentile and longest handling time in milliseconds.
// Run it offscreen (QT_QPA_PLATFORM=offscreen) or on an X server.
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/start_up.h"
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

void Print(const char* what, std::vector<double> took) {
  std::sort(took.begin(), took.end());
  std::printf("%s, keystrokes %zu: median %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n",
              what, took.size(), took[took.size() / 2], took[took.size() * 99 / 100], took.back());
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
    }
  }
  return 0;
}
