// SPDX-License-Identifier: MIT
// The window tests run headless, inside the program's own application object, with settings of
// their own.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/app.h"
#include "app/start_up.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  // The Line Designer's settings go to a directory of the run's own, never the user's.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  mq::App app(argc, argv);
  mq::BindMenus(app);
  return RUN_ALL_TESTS();
}
