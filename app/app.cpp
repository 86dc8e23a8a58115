// SPDX-License-Identifier: MIT
#include "app/app.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include "app/about_win.h"
#include "app/version.h"
#include "resources/window_icon.h"

namespace mq {

App::App(int& argc, char** argv) : toolkit::Application(argc, argv) {
  // Both names place the Line Designer's settings: ~/.config/MacQuelvor/MacQuelvor.conf.
  setOrganizationName(QStringLiteral("MacQuelvor"));
  setApplicationName(QStringLiteral("MacQuelvor"));
  setApplicationDisplayName(QStringLiteral("MacQuelvor"));
  setApplicationVersion(QString::fromUtf8(kVersionNumber.data(), kVersionNumber.size()));
  setDesktopFileName(QStringLiteral("org.macquelvor.MacQuelvor"));
  // The icon's pixels are stored ready to draw: setting it decodes no image.
  QIcon icon;
  for (const resources::IconImage& image : resources::WindowIconImages()) {
    icon.addPixmap(
        QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.pixels), image.size,
                                  image.size, QImage::Format_ARGB32_Premultiplied)));
  }
  setWindowIcon(icon);
  AddStandardMenus();
  AddCalculatorCommands();
  QMenu* help = AddMenu(tr("&Help"));
  QAction* about = help->addAction(tr("&About MacQuelvor"));
  // The About item: named as the application menu's item, and in that menu on macOS.
  about->setObjectName(QStringLiteral("AppleMacQuelvor"));
  about->setMenuRole(QAction::AboutRole);
}

namespace {

QAction* AddCommand(QMenu* menu, const QString& caption, const QKeySequence& keys,
                    const char* name) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(keys);
  return action;
}

}  // namespace

// Analyse and Synthesise run the shown page's arrows, as F3 and F4 do in other RF calculators;
// Copy Page goes beside the other copy commands.
void App::AddCalculatorCommands() {
  auto* edit = qobject_cast<QMenu*>(MenuItem("SelectAll")->parent());
  AddCommand(edit, tr("Copy Pa&ge"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), "CopyPage");
  QMenu* calculate = AddMenu(tr("&Calculate"));
  AddCommand(calculate, tr("&Analyse"), QKeySequence(Qt::Key_F3), "Analyse");
  AddCommand(calculate, tr("&Synthesise"), QKeySequence(Qt::Key_F4), "Synthesise");
  calculate->addSeparator();
  AddCommand(calculate, tr("Cross-&Check…"), QKeySequence(Qt::CTRL | Qt::Key_K), "CrossCheck");
  AddCommand(calculate, tr("&Line Designer…"), QKeySequence(Qt::CTRL | Qt::Key_D), "LineDesigner");
}

// The program enables and disables no menu item of its own: About is always available.
void App::EnableMenuItems() {}

bool App::AppleMacQuelvor_Action() {
  AboutWin& about = AboutWin::Instance();
  about.setWindowState(about.windowState() & ~Qt::WindowMinimized);
  about.raise();
  about.activateWindow();
  return true;
}

}  // namespace mq
