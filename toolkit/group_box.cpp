// SPDX-License-Identifier: MIT
#include "toolkit/group_box.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace mq::toolkit {

void GroupBox::SetCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void GroupBox::SetTitleFont(const QFont& font) {
  titleFont_ = font;
  update();
}

void GroupBox::paintEvent(QPaintEvent* /*event*/) {
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  option.text = caption_;
  if (!caption_.isEmpty()) {
    option.subControls |= QStyle::SC_GroupBoxLabel;
  }
  option.fontMetrics = QFontMetrics(titleFont_);
  QStylePainter painter(this);
  painter.setFont(titleFont_);
  painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

}  // namespace mq::toolkit
