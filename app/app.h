// SPDX-License-Identifier: MIT
// The application object: the menus (File, Edit, Calculate, Help) and the About command.
#pragma once

#include "toolkit/application.h"

namespace mq {

class App final : public toolkit::Application {
  Q_OBJECT

 public:
  App(int& argc, char** argv);

  // The About command: shows the About window and brings it to the front; always handled.
  bool AppleMacQuelvor_Action();

 protected:
  void EnableMenuItems() override;

 private:
  void AddCalculatorCommands();
};

}  // namespace mq
