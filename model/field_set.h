// SPDX-License-Identifier: MIT
// The calculator's data lives as text in named edit fields. The line models and the material
// handlers reach those fields only through the FieldSet and the few operations declared here, so
// they run the same over the real window and over an in-memory map.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/number_text.h"

namespace mq {

// Asking for a field that the layout does not have is a programming error, never a user error.
class UnknownFieldError : public std::logic_error {
 public:
  explicit UnknownFieldError(std::string_view name);
};

class FieldSet {
 public:
  virtual ~FieldSet() = default;
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, std::string_view text) = 0;
};

// A fixed set of named texts; every name it will ever hold is given when it is made.
class MemoryFieldSet final : public FieldSet {
 public:
  explicit MemoryFieldSet(const std::vector<std::string_view>& names);

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;

  const std::map<std::string, std::string, std::less<>>& All() const { return texts_; }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

// Where ShowMessage sends its text: the window binds a modal box, tests record.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(std::string_view text) = 0;
};

class RecordingMessageSink final : public MessageSink {
 public:
  void Show(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

// Field operations shared by every procedure and handler.
void NormalizeDecimalSeparator(FieldSet& fields, std::string_view name);
double ReadNumber(const FieldSet& fields, std::string_view name);
void WriteResult(FieldSet& fields, std::string_view name, double value, Pattern pattern);
void ShowMessage(MessageSink& sink, std::string_view text);

}  // namespace mq
