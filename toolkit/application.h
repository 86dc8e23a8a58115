// The application object: the event loop, the menu bar and menu binding by item name, and the
// report of an error that escapes an event.
#pragma once

#include <QApplication>
#include <functional>
#include <string_view>

class QAction;
class QMainWindow;
class QMenuBar;

namespace mq::toolkit {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
  ~Application() override;

  static Application* Instance();

  // The menu bar that the application's window shows; owned here until attached to a window.
  QMenuBar* MenuBar() const { return menuBar_; }
  void AttachMenuBar(QMainWindow& window);

  // Runs the handler when the menu item of that object name is chosen. A missing item is a
  // programming error and throws.
  void AddMenuHandler(std::string_view itemName, std::function<bool()> handler);

  // The standard Quit and Edit commands, acting on the focused edit field.
  void AddStandardMenus();

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  // Called before a menu opens, so the application can enable or disable its items.
  virtual void EnableMenuItems() {}

 private:
  QAction* FindMenuItem(std::string_view itemName) const;

  QMenuBar* menuBar_;
  bool menuBarAttached_ = false;
};

}  // namespace mq::toolkit
