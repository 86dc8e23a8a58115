// SPDX-License-Identifier: MIT
// Finding the open window of a class, for the single-instance accessors, and bringing it (or a
// new one beside its anchor) to the front. A window that has been closed and awaits deletion is
// no longer open.
#pragma once

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <QSize>
#include <QString>
#include <QWidget>

#include "toolkit/application.h"
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

// A window that works beside the calculator: deleted when closed, titled, at its opening size,
// with the calculator's command keys, and closed by Escape.
inline void SetUpSideWindow(QWidget& window, const QString& title, QSize size) {
  window.setAttribute(Qt::WA_DeleteOnClose);
  window.setWindowTitle(title);
  window.resize(size);
  if (auto* app = Application::Instance()) {
    app->AttachShortcuts(window);
  }
  new QShortcut(QKeySequence(Qt::Key_Escape), &window, [&window] { window.close(); });
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
