// SPDX-License-Identifier: MIT
#include "toolkit/controls.h"

namespace mq::toolkit {

UnknownControlError::UnknownControlError(std::string_view name, std::string_view wanted)
    : std::logic_error("no control \"" + std::string(name) + "\" of kind " + std::string(wanted)) {}

void Controls::Add(std::string_view name, QWidget* control) {
  control->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  controls_.emplace(std::string(name), control);
}

bool Controls::Contains(std::string_view name) const {
  return controls_.contains(name);
}

QWidget* Controls::FindAny(std::string_view name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

}  // namespace mq::toolkit
