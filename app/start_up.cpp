#include "start_up.h"

#include "app.h"
#include "macquelvor_wnd.h"

namespace mq {

void BindMenus(App& app) {
  app.AddMenuHandler("AppleMacQuelvor", [&app] { return app.AppleMacQuelvor_Action(); });
}

MacQuelvorWnd& StartUp(App& app) {
  BindMenus(app);
  MacQuelvorWnd& window = MacQuelvorWnd::Instance();
  // On Linux and Windows the application's menus live in its window.
  app.AttachMenuBar(window);
  return window;
}

}  // namespace mq
