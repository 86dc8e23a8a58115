// SPDX-License-Identifier: MIT
// Finding the open window of a class, for the single-instance accessors, and bringing it (or a
// new one beside its anchor) to the front. A window that has been closed and awaits deletion is
// no longer open.
#pragma once

#include <QApplication>
#include <QWidget>

#include "toolkit/placement.h"

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

// The open window of the class, else the one `make` builds, placed beside `anchor`; either way
// shown, back from minimised, raised and active.
template <typename Window, typename Make>
Window& ShowBeside(const QWidget& anchor, Make make) {
  Window* window = FindOpenWindow<Window>();
  if (window == nullptr) {
    window = make();
    PlaceBeside(*window, anchor);
  }
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return *window;
}

}  // namespace mq::toolkit
