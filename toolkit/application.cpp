#include "application.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace mq::toolkit {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* FocusedField() {
  return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

template <typename Command>
void AddEditCommand(QMenu* menu, const QString& caption, QKeySequence::StandardKey key,
                    const char* objectName, Command command) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(objectName));
  action->setShortcut(key);
  QObject::connect(action, &QAction::triggered, menu, [command] {
    if (QLineEdit* field = FocusedField()) {
      (field->*command)();
    }
  });
}

}  // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), menuBar_(new QMenuBar) {}

Application::~Application() {
  if (!menuBarAttached_) {
    delete menuBar_;
  }
}

Application* Application::Instance() {
  return qobject_cast<Application*>(QCoreApplication::instance());
}

void Application::AttachMenuBar(QMainWindow& window) {
  window.setMenuBar(menuBar_);
  menuBarAttached_ = true;
}

void Application::AddStandardMenus() {
  QMenu* file = menuBar_->addMenu(tr("&File"));
  QAction* quit = file->addAction(tr("&Quit"));
  quit->setObjectName(QStringLiteral("Quit"));
  quit->setShortcut(QKeySequence::Quit);
  quit->setMenuRole(QAction::QuitRole);
  connect(quit, &QAction::triggered, this, &QCoreApplication::quit, Qt::QueuedConnection);

  QMenu* edit = menuBar_->addMenu(tr("&Edit"));
  AddEditCommand(edit, tr("Cu&t"), QKeySequence::Cut, "Cut", &QLineEdit::cut);
  AddEditCommand(edit, tr("&Copy"), QKeySequence::Copy, "Copy", &QLineEdit::copy);
  AddEditCommand(edit, tr("&Paste"), QKeySequence::Paste, "Paste", &QLineEdit::paste);
  edit->addSeparator();
  AddEditCommand(edit, tr("Select &All"), QKeySequence::SelectAll, "SelectAll",
                 &QLineEdit::selectAll);

  for (QMenu* menu : {file, edit}) {
    connect(menu, &QMenu::aboutToShow, this, [this] { EnableMenuItems(); });
  }
}

QAction* Application::FindMenuItem(std::string_view itemName) const {
  const auto actions = menuBar_->findChildren<QAction*>(ToQString(itemName));
  return actions.isEmpty() ? nullptr : actions.first();
}

void Application::AddMenuHandler(std::string_view itemName, std::function<bool()> handler) {
  QAction* item = FindMenuItem(itemName);
  if (item == nullptr) {
    throw std::logic_error("no menu item \"" + std::string(itemName) + "\"");
  }
  connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

// An exception must not unwind through Qt's event loop: report it, then end the program.
bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Unhandled error: %s\n", error.what());
    QMessageBox::critical(
        nullptr, applicationDisplayName(),
        tr("An unexpected error ended the program:\n%1").arg(QString::fromLocal8Bit(error.what())));
    exit(EXIT_FAILURE);
  }
  return false;
}

}  // namespace mq::toolkit
