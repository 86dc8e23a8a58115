// SPDX-License-Identifier: MIT
#include "toolkit/popup_menu.h"

#include <QWheelEvent>

namespace mq::toolkit {

// A wheel notch neither picks nor takes focus, so the next arrow key cannot pick either; a click
// and Tab still focus the popup. Qt's own accessible interface stays: on Linux a screen reader
// hears the caption (the label whose buddy the popup is), then the current row.
PopupMenu::PopupMenu(QWidget* parent) : QComboBox(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

// A wheel notch over a closed popup is not a pick: it would replace the material values the user
// typed. The open list still scrolls, and the keyboard still picks on a focused popup.
void PopupMenu::wheelEvent(QWheelEvent* event) {
  event->accept();
}

}  // namespace mq::toolkit
