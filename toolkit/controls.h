// SPDX-License-Identifier: MIT
// The named controls of one window, found by name.
#pragma once

#include <QWidget>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mq::toolkit {

// Asking for a control that the window does not have is a programming error.
class UnknownControlError : public std::logic_error {
 public:
  UnknownControlError(std::string_view name, std::string_view wanted);
};

class Controls {
 public:
  void Add(std::string_view name, QWidget* control);

  // The control under that name, of that kind; throws UnknownControlError otherwise.
  template <typename Control = QWidget>
  Control* Find(std::string_view name) const {
    auto* control = qobject_cast<Control*>(FindAny(name));
    if (control == nullptr) {
      throw UnknownControlError(name, Control::staticMetaObject.className());
    }
    return control;
  }

  bool Contains(std::string_view name) const;
  std::size_t Count() const { return controls_.size(); }

 private:
  QWidget* FindAny(std::string_view name) const;

  std::map<std::string, QWidget*, std::less<>> controls_;
};

}  // namespace mq::toolkit
