// SPDX-License-Identifier: MIT
#include "app/start_up.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/app.h"
#include "ui/cross_check_win.h"
#include "ui/macquelvor_wnd.h"
#include "ui/pair_win.h"

namespace mq {

void BindMenus(App& app) {
  app.AddMenuHandler("AppleMacQuelvor", [&app] { return app.AppleMacQuelvor_Action(); });
  app.AddMenuHandler("Analyse", [] {
    MacQuelvorWnd::Instance().RunShownPage(true);
    return true;
  });
  app.AddMenuHandler("Synthesise", [] {
    MacQuelvorWnd::Instance().RunShownPage(false);
    return true;
  });
  app.AddMenuHandler("CrossCheck", [] {
    CrossCheckWin::Show(MacQuelvorWnd::Instance());
    return true;
  });
  app.AddMenuHandler("DifferentialPair", [] {
    PairWin::Show(MacQuelvorWnd::Instance());
    return true;
  });
  app.AddMenuHandler("CopyPage", [] {
    QGuiApplication::clipboard()->setText(MacQuelvorWnd::Instance().PageText());
    return true;
  });
}

MacQuelvorWnd& StartUp(App& app) {
  BindMenus(app);
  return MacQuelvorWnd::Instance();
}

}  // namespace mq
