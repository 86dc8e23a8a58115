// SPDX-License-Identifier: MIT
// NormalizeDecimalSeparator: the first comma becomes a point and nothing else changes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/field_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  mq::MemoryFieldSet fields({"DiConstField"});
  fields.SetText("DiConstField", text);
  mq::NormalizeDecimalSeparator(fields, "DiConstField");
  const std::string after = fields.Text("DiConstField");
  const std::size_t comma = text.find(',');
  if (after.size() != text.size()) {
    std::abort();
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char expected = i == comma ? '.' : text[i];
    if (after[i] != expected) {
      std::abort();
    }
  }
  return 0;
}
