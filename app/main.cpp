// Start-up: the application object, the About binding, the calculator window, the event loop.
#include "app.h"
#include "macquelvor_wnd.h"

int main(int argc, char** argv) {
  mq::App app(argc, argv);
  app.AddMenuHandler("AppleMacQuelvor", [&app] { return app.AppleMacQuelvor_Action(); });
  mq::MacQuelvorWnd& window = mq::MacQuelvorWnd::Instance();
  // On Linux and Windows the application's menus live in its window.
  app.AttachMenuBar(window);
  return app.exec();
}
