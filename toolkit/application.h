// SPDX-License-Identifier: MIT
// The application object: the event loop, the menu bar and menu binding by item name, and the
// report of an error that escapes an event.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace mq::toolkit {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
  ~Application() override;

  static Application* Instance();

  // The application's menus, owned here so that they outlive any window showing them.
  QMenu* AddMenu(const QString& title);
  // Shows the application's menus in the window's menu bar.
  void AttachMenuBar(QMainWindow& window) const;
  // Makes the menu items' shortcuts work in a window that shows no menu bar.
  void AttachShortcuts(QWidget& window) const;

  // Runs the handler when the menu item of that object name is chosen, in place of any handler
  // bound before. A missing item is a programming error and throws.
  void AddMenuHandler(std::string_view itemName, std::function<bool()> handler);

  // The menu item of that object name, or null.
  QAction* MenuItem(std::string_view itemName) const;

  // The standard Quit and Edit commands, acting on the focused edit field.
  void AddStandardMenus();

  // Runs start-up, then the event loop until the user quits; returns the exit status. An error
  // that escapes start-up, or an event handled while start-up runs, is reported as one that
  // escapes the event loop is, and the program ends with failure without entering the loop.
  int Run(const std::function<void()>& startUp);

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  // Called before a menu opens, so the application can enable or disable its items.
  virtual void EnableMenuItems() {}

 private:
  void ReportUnhandled(const std::exception& error);

  std::vector<std::unique_ptr<QMenu>> menus_;
  bool failed_ = false;  // an unhandled error was reported
};

}  // namespace mq::toolkit
