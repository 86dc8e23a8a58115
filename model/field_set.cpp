// SPDX-License-Identifier: MIT
#include "model/field_set.h"

#include <string>
#include <utility>

namespace mq {

UnknownFieldError::UnknownFieldError(std::string_view name)
    : std::logic_error("no field named \"" + std::string(name) + "\"") {}

MemoryFieldSet::MemoryFieldSet(const std::vector<std::string_view>& names) {
  for (const auto name : names) {
    texts_.emplace(name, std::string());
  }
}

std::string MemoryFieldSet::Text(std::string_view name) const {
  const auto found = texts_.find(name);
  if (found == texts_.end()) {
    throw UnknownFieldError(name);
  }
  return found->second;
}

void MemoryFieldSet::SetText(std::string_view name, std::string_view text) {
  const auto found = texts_.find(name);
  if (found == texts_.end()) {
    throw UnknownFieldError(name);
  }
  found->second = text;
}

void NormalizeDecimalSeparator(FieldSet& fields, std::string_view name) {
  // A text without a comma stays as it is, so the field is not written at all.
  std::string text = fields.Text(name);
  if (text.find(',') != std::string::npos) {
    fields.SetText(name, ReplaceFirstComma(std::move(text)));
  }
}

double ReadNumber(const FieldSet& fields, std::string_view name) {
  return ParseLeadingNumber(fields.Text(name));
}

void WriteResult(FieldSet& fields, std::string_view name, double value, Pattern pattern) {
  fields.SetText(name, FormatWithPattern(value, pattern));
  NormalizeDecimalSeparator(fields, name);
}

void ShowMessage(MessageSink& sink, std::string_view text) {
  sink.Show(text);
}

}  // namespace mq
