// SPDX-License-Identifier: MIT
#include "app/start_up.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/app.h"
#include "ui/cross_check_win.h"
#include "ui/line_designer_win.h"
#include "ui/macquelvor_wnd.h"

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
  app.AddMenuHandler("LineDesigner", [] {
    LineDesignerWin::Show(MacQuelvorWnd::Instance());
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
