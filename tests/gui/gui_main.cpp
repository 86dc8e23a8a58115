// SPDX-License-Identifier: MIT
// The window tests run headless, inside the program's own application object.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  mq::App app(argc, argv);
  mq::BindMenus(app);
  return RUN_ALL_TESTS();
}
