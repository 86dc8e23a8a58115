// SPDX-License-Identifier: MIT
// Finding the open window of a class, for the single-instance accessors. A window that has been
// closed and awaits deletion is no longer open.
#pragma once

#include <QApplication>
#include <QWidget>

namespace mq::toolkit {

template <typename Window>
Window* FindOpenWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* open = qobject_cast<Window*>(window);
    if (open != nullptr && open->isVisible()) {
      return open;
    }
  }
  return nullptr;
}

}  // namespace mq::toolkit
