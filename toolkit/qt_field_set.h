// SPDX-License-Identifier: MIT
// The FieldSet of the running program: each name is an edit field of the window.
#pragma once

#include "model/field_set.h"
#include "toolkit/controls.h"

namespace mq::toolkit {

class QtFieldSet final : public FieldSet {
 public:
  explicit QtFieldSet(const Controls& controls) : controls_(controls) {}

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;

 private:
  const Controls& controls_;
};

}  // namespace mq::toolkit
