// SPDX-License-Identifier: MIT
// A group box whose caption has a font of its own. In Qt a group box's font passes to every
// control inside it; keeping the caption's font apart lets the members simply inherit the
// window's font instead of each being given one.
// The caption is drawn, and is the box's accessible name, but is not QGroupBox's title: Qt would
// give a screen reader the title as a second label of every control inside, after the control's
// own caption ("Dielectric Material Parameters, Air, combo box").
#pragma once

#include <QFont>
#include <QGroupBox>

namespace mq::toolkit {

class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit GroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}

  void SetCaption(const QString& caption);
  const QString& Caption() const { return caption_; }
  void SetTitleFont(const QFont& font);
  const QFont& TitleFont() const { return titleFont_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QFont titleFont_;
};

}  // namespace mq::toolkit
