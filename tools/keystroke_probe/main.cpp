// SPDX-License-Identifier: MIT
// Measures how long the calculator takes to handle a keystroke in a page field while the
// cross-check window follows it, the field solver working on its own thread:
//   keystroke_probe [KEYSTROKES]
// types digits into the Width field of each page (KEYSTROKES each, default 200) and prints the
// median, 99th percentile and longest handling time in milliseconds. Run it offscreen
// (QT_QPA_PLATFORM=offscreen) or on an X server.
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
    auto* width = window.Controls().Find<QLineEdit>(field);
    width->setFocus();
    for (int i = 0; i < keystrokes; ++i) {
      // Each keystroke makes a new width: "1", "12", "123", then back to one digit.
      if (width->text().size() >= 3) {
        width->clear();
      }
      const auto start = std::chrono::steady_clock::now();
      QTest::keyClick(width, static_cast<char>('1' + i % 9));
      took.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
      QTest::qWait(i % 4 == 0 ? 30 : 1);  // a typist's pace: solves both finish and overlap
    }
  }
  std::sort(took.begin(), took.end());
  std::printf("keystrokes %zu: median %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n",
              took.size(), took[took.size() / 2], took[took.size() * 99 / 100], took.back());
  return 0;
}
