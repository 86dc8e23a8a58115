// SPDX-License-Identifier: MIT
// A group box whose caption has a font of its own. In Qt a group box's font passes to every
// control inside it; keeping the caption's font apart lets the members simply inherit the
// window's font instead of each being given one.
#pragma once

#include <QFont>
#include <QGroupBox>

namespace mq::toolkit {

class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit GroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}

  void SetTitleFont(const QFont& font);
  const QFont& TitleFont() const { return titleFont_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont titleFont_;
};

}  // namespace mq::toolkit
