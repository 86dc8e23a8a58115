// SPDX-License-Identifier: MIT
// The popup menu: a combo box that a wheel notch over it neither changes nor focuses.
#pragma once

#include <QComboBox>

namespace mq::toolkit {

class PopupMenu final : public QComboBox {
  Q_OBJECT

 public:
  explicit PopupMenu(QWidget* parent = nullptr);

 protected:
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace mq::toolkit
