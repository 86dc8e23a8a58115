// SPDX-License-Identifier: MIT
#include "toolkit/qt_field_set.h"

#include <QLineEdit>

namespace mq::toolkit {

std::string QtFieldSet::Text(std::string_view name) const {
  try {
    return controls_.Find<QLineEdit>(name)->text().toStdString();
  } catch (const UnknownControlError&) {
    throw UnknownFieldError(name);
  }
}

void QtFieldSet::SetText(std::string_view name, std::string_view text) {
  try {
    controls_.Find<QLineEdit>(name)->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  } catch (const UnknownControlError&) {
    throw UnknownFieldError(name);
  }
}

}  // namespace mq::toolkit
