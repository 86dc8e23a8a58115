// SPDX-License-Identifier: MIT
#include "app/app.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

#include "app/about_win.h"
#include "app/version.h"

namespace mq {

App::App(int& argc, char** argv) : toolkit::Application(argc, argv) {
  setApplicationName(QStringLiteral("MacQuelvor"));
  setApplicationDisplayName(QStringLiteral("MacQuelvor"));
  setApplicationVersion(QString::fromUtf8(kVersionText.data(), kVersionText.size()));
  setDesktopFileName(QStringLiteral("org.macquelvor.MacQuelvor"));
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/macquelvor-32.png"));
  icon.addFile(QStringLiteral(":/icons/macquelvor-64.png"));
  setWindowIcon(icon);
  AddStandardMenus();
  QMenu* help = AddMenu(tr("&Help"));
  QAction* about = help->addAction(tr("&About MacQuelvor"));
  // The About item: named as the application menu's item, and in that menu on macOS.
  about->setObjectName(QStringLiteral("AppleMacQuelvor"));
  about->setMenuRole(QAction::AboutRole);
}

// The program enables and disables no menu item of its own: About is always available.
void App::EnableMenuItems() {}

bool App::AppleMacQuelvor_Action() {
  AboutWin& about = AboutWin::Instance();
  about.setWindowState(about.windowState() & ~Qt::WindowMinimized);
  about.show();
  about.raise();
  about.activateWindow();
  return true;
}

}  // namespace mq
