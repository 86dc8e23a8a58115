// SPDX-License-Identifier: MIT
#include "toolkit/message_box_sink.h"

#include <QMessageBox>

namespace mq::toolkit {

void MessageBoxSink::Show(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, parent_ != nullptr ? parent_->windowTitle() : QString(),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace mq::toolkit
