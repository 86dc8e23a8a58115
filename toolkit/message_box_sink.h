// SPDX-License-Identifier: MIT
// ShowMessage in the running program: a modal box that returns when the user dismisses it.
#pragma once

#include "model/field_set.h"

class QWidget;

namespace mq::toolkit {

class MessageBoxSink final : public MessageSink {
 public:
  explicit MessageBoxSink(QWidget* parent) : parent_(parent) {}

  void Show(std::string_view text) override;

 private:
  QWidget* parent_;
};

}  // namespace mq::toolkit
