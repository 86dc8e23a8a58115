// SPDX-License-Identifier: MIT
#include "app/start_up.h"

#include "app/app.h"
#include "ui/macquelvor_wnd.h"

namespace mq {

void BindMenus(App& app) {
  app.AddMenuHandler("AppleMacQuelvor", [&app] { return app.AppleMacQuelvor_Action(); });
}

MacQuelvorWnd& StartUp(App& app) {
  BindMenus(app);
  return MacQuelvorWnd::Instance();
}

}  // namespace mq
