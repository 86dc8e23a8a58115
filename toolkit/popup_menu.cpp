// SPDX-License-Identifier: MIT
#include "toolkit/popup_menu.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWheelEvent>

namespace mq::toolkit {
namespace {

// On Linux Qt names every combo box by its current row ("Air, combo box") and leaves the caption
// to label relations, which the group box around our popups takes over. A listener must hear
// what the popup is for: its accessible name, with the row as its value.
class PopupAccessible final : public QAccessibleWidget {
 public:
  explicit PopupAccessible(PopupMenu* popup) : QAccessibleWidget(popup, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    const auto* popup = static_cast<const PopupMenu*>(widget());
    if (kind == QAccessible::Name && !popup->accessibleName().isEmpty()) {
      return popup->accessibleName();
    }
    if (kind == QAccessible::Name || kind == QAccessible::Value) {
      return popup->currentText();
    }
    return QAccessibleWidget::text(kind);
  }

  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(Popup()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == Popup()->view() ? 0 : -1;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) {
      Popup()->showPopup();
    }
  }

 private:
  PopupMenu* Popup() const { return static_cast<PopupMenu*>(widget()); }
};

QAccessibleInterface* PopupAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(PopupMenu::staticMetaObject.className())) {
    return new PopupAccessible(static_cast<PopupMenu*>(object));
  }
  return nullptr;
}

}  // namespace

PopupMenu::PopupMenu(QWidget* parent) : QComboBox(parent) {
  static const bool installed = (QAccessible::installFactory(PopupAccessibleFactory), true);
  (void)installed;
}

// A wheel notch over a closed popup is not a pick: it would replace the material values the user
// typed. The open list still scrolls, and the keyboard still picks on a focused popup.
void PopupMenu::wheelEvent(QWheelEvent* event) {
  event->accept();
}

}  // namespace mq::toolkit
