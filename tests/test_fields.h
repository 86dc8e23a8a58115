// SPDX-License-Identifier: MIT
// Helpers shared by the core tests: a field set holding every field of the window.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "model/field_set.h"

namespace mq::test {

using Texts = std::vector<std::pair<std::string_view, std::string_view>>;

// Every field of the window, empty but for the given texts.
MemoryFieldSet FieldsWith(const Texts& texts);

// Every field of the window holding its own name: a text that no procedure writes.
MemoryFieldSet FieldsHoldingTheirNames();

}  // namespace mq::test
