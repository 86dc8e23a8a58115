// SPDX-License-Identifier: MIT
#include "start_up.h"

#include "app.h"
#include "macquelvor_wnd.h"

namespace mq {

void BindMenus(App& app) {
  app.AddMenuHandler("AppleMacQuelvor", [&app] { return app.AppleMacQuelvor_Action(); });
}

MacQuelvorWnd& StartUp(App& app) {
  BindMenus(app);
  return MacQuelvorWnd::Instance();
}

}  // namespace mq
