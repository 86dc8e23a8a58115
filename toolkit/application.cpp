// SPDX-License-Identifier: MIT
#include "toolkit/application.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "toolkit/font_config.h"
#include "toolkit/menu_bar_style.h"

namespace mq::toolkit {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An edit command acts on the focused widget through its slot of that name (cut, copy, paste,
// selectAll): a field, the cross-check's table; a widget without it ignores the command.
void AddEditCommand(QMenu* menu, const QString& caption, QKeySequence::StandardKey key,
                    const char* objectName, const char* slot) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(objectName));
  action->setShortcut(key);
  QObject::connect(action, &QAction::triggered, menu, [slot] {
    QWidget* focus = QApplication::focusWidget();
    const QByteArray signature = QByteArray(slot) + "()";
    if (focus != nullptr && focus->metaObject()->indexOfMethod(signature.constData()) >= 0) {
      QMetaObject::invokeMethod(focus, slot);
    }
  });
}

// Opening a menu from the keyboard (Alt+E) moves focus to the menu bar, and a line edit drops
// its selection when focus leaves that way: Cut and Copy chosen next would find nothing to act
// on. The selection is kept and given back when focus returns from the menu bar, before the
// command runs.
class MenuBarSelectionKeeper final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusAboutToChange && type != QEvent::FocusIn) {
      return false;
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr || static_cast<QFocusEvent*>(event)->reason() != Qt::MenuBarFocusReason) {
      return false;
    }
    if (type == QEvent::FocusAboutToChange) {
      Remember(*field);
    } else if (field == field_ && field->text() == text_ && length_ > 0) {
      // The caret goes back to the end of the selection it was at.
      field->setSelection(caretAtStart_ ? start_ + length_ : start_,
                          caretAtStart_ ? -length_ : length_);
    }
    return false;
  }

 private:
  void Remember(const QLineEdit& field) {
    field_ = &field;
    text_ = field.text();
    start_ = field.selectionStart();
    length_ = static_cast<int>(field.selectedText().size());
    caretAtStart_ = field.cursorPosition() == start_;
  }

  QPointer<const QLineEdit> field_;
  QString text_;
  int start_ = -1;
  int length_ = 0;
  bool caretAtStart_ = false;
};

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setStyle(new MenuBarStyle);  // the application takes it
#ifndef Q_OS_MACOS
  // The menus show in the window's own menu bar. Left to itself, a menu bar on Linux first asks
  // the session bus whether a desktop-wide menu bar could take them, a round trip to the bus
  // daemon before the window can show.
  setAttribute(Qt::AA_DontUseNativeMenuBar);
#endif
}

Application::~Application() = default;

Application* Application::Instance() {
  return qobject_cast<Application*>(QCoreApplication::instance());
}

QMenu* Application::AddMenu(const QString& title) {
  menus_.push_back(std::make_unique<QMenu>(title));
  QMenu* menu = menus_.back().get();
  connect(menu, &QMenu::aboutToShow, this, [this] { EnableMenuItems(); });
  return menu;
}

void Application::AttachMenuBar(QMainWindow& window) const {
  for (const auto& menu : menus_) {
    window.menuBar()->addMenu(menu.get());
  }
}

void Application::AttachShortcuts(QWidget& window) const {
  for (const auto& menu : menus_) {
    window.addActions(menu->actions());
  }
}

void Application::AddStandardMenus() {
  QMenu* file = AddMenu(tr("&File"));
  QAction* quit = file->addAction(tr("&Quit"));
  quit->setObjectName(QStringLiteral("Quit"));
  quit->setShortcut(QKeySequence::Quit);
  quit->setMenuRole(QAction::QuitRole);
  connect(quit, &QAction::triggered, this, &QCoreApplication::quit, Qt::QueuedConnection);

  QMenu* edit = AddMenu(tr("&Edit"));
  installEventFilter(new MenuBarSelectionKeeper(this));
  AddEditCommand(edit, tr("Cu&t"), QKeySequence::Cut, "Cut", "cut");
  AddEditCommand(edit, tr("&Copy"), QKeySequence::Copy, "Copy", "copy");
  AddEditCommand(edit, tr("&Paste"), QKeySequence::Paste, "Paste", "paste");
  edit->addSeparator();
  AddEditCommand(edit, tr("Select &All"), QKeySequence::SelectAll, "SelectAll", "selectAll");
}

QAction* Application::MenuItem(std::string_view itemName) const {
  for (const auto& menu : menus_) {
    for (QAction* item : menu->actions()) {
      if (item->objectName() == ToQString(itemName)) {
        return item;
      }
    }
  }
  return nullptr;
}

void Application::AddMenuHandler(std::string_view itemName, std::function<bool()> handler) {
  QAction* item = MenuItem(itemName);
  if (item == nullptr) {
    throw std::logic_error("no menu item \"" + std::string(itemName) + "\"");
  }
  disconnect(item, &QAction::triggered, this, nullptr);
  connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

// exit() does nothing before the event loop runs, so an error reported while start-up still runs
// is remembered and keeps the loop from starting.
int Application::Run(const std::function<void()>& startUp) {
  failed_ = false;
  WaitForFontConfig();  // start-up builds the windows, and their fonts need it
  try {
    startUp();
  } catch (const std::exception& error) {
    ReportUnhandled(error);
  }
  if (failed_) {
    return EXIT_FAILURE;
  }
  const int status = exec();
  return failed_ ? EXIT_FAILURE : status;
}

// An exception must not unwind through Qt's event loop: report it, then end the program.
bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ReportUnhandled(error);
    exit(EXIT_FAILURE);
  }
  return false;
}

void Application::ReportUnhandled(const std::exception& error) {
  failed_ = true;
  std::fprintf(stderr, "Unhandled error: %s\n", error.what());
  QMessageBox::critical(
      nullptr, applicationDisplayName(),
      tr("An unexpected error ended the program:\n%1").arg(QString::fromLocal8Bit(error.what())));
}

}  // namespace mq::toolkit
