// SPDX-License-Identifier: MIT
// Writes a PNG of each page of the calculator window, of the cross-check and differential pair
// windows and of the About window:
//   page_shots OUTPUT_DIRECTORY
#include <QDir>
#include <QPixmap>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <cstdio>
#include <utility>

#include "app/about_win.h"
#include "app/app.h"
#include "app/start_up.h"
#include "toolkit/tab_panel.h"
#include "ui/cross_check_win.h"
#include "ui/macquelvor_wnd.h"
#include "ui/pair_win.h"

namespace {

bool Save(QWidget& window, const QDir& directory, const QString& name) {
  const QString path = directory.filePath(name + QStringLiteral(".png"));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "page_shots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  mq::App app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: page_shots OUTPUT_DIRECTORY\n");
    return 2;
  }
  const QDir directory(arguments[1]);
  if (!directory.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "page_shots: cannot create %s\n", qPrintable(arguments[1]));
    return 1;
  }
  mq::MacQuelvorWnd& window = mq::StartUp(app);
  const QString pages[] = {QStringLiteral("microstrip"), QStringLiteral("stripline"),
                           QStringLiteral("coaxial")};
  bool saved = true;
  for (int page = 1; page <= 3; ++page) {
    window.Tabs().TabBar()->setCurrentIndex(page - 1);
    // The page's picture arrives just after its first paint.
    window.grab();
    QTest::qWait(50);
    saved = Save(window, directory, pages[page - 1]) && saved;
  }
  // The cross-check of a 3 mm strip on 1.6 mm FR-4 at 10 GHz, with the microstrip page shown, once
  // the field solver has answered.
  window.Tabs().TabBar()->setCurrentIndex(0);
  for (const auto& [field, text] :
       {std::pair("WidthField", "3"), std::pair("HeightField", "1.6"),
        std::pair("DiConstField", "4.6"), std::pair("FreqField", "10")}) {
    window.Fields().SetText(field, text);
  }
  window.PhyToElBtn_Action();
  mq::CrossCheckWin& crossCheck = mq::CrossCheckWin::Show(window);
  saved = QTest::qWaitFor([&crossCheck] { return !crossCheck.Solving(); }, 10000) && saved;
  saved = Save(crossCheck, directory, QStringLiteral("cross-check")) && saved;
  // A pair of those strips on that substrate, one width apart, once the solver has answered.
  mq::PairWin& pair = mq::PairWin::Show(window);
  saved = QTest::qWaitFor([&pair] { return !pair.Solving() && !pair.Drawing(); }, 10000) && saved;
  saved = Save(pair, directory, QStringLiteral("differential-pair")) && saved;
  app.AppleMacQuelvor_Action();
  QCoreApplication::processEvents();
  saved = Save(mq::AboutWin::Instance(), directory, QStringLiteral("about")) && saved;
  return saved ? 0 : 1;
}
