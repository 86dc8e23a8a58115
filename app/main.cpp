// SPDX-License-Identifier: MIT
// The program: the application object, start-up, and the event loop until the user quits.
#include "app/app.h"
#include "app/start_up.h"
#include "toolkit/font_config.h"

int main(int argc, char** argv) {
  mq::toolkit::StartReadingFontConfig();  // while the application object connects to the display
  mq::App app(argc, argv);
  return app.Run([&app] { mq::StartUp(app); });
}
