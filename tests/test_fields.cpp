// SPDX-License-Identifier: MIT
#include "tests/test_fields.h"

#include "model/field_names.h"

namespace mq::test {

MemoryFieldSet FieldsWith(const Texts& texts) {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto& [name, text] : texts) {
    fields.SetText(name, text);
  }
  return fields;
}

MemoryFieldSet FieldsHoldingTheirNames() {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto name : AllFieldNames()) {
    fields.SetText(name, name);
  }
  return fields;
}

}  // namespace mq::test
