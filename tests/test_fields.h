// SPDX-License-Identifier: MIT
// The one way the tests give field texts: a case as one string of "Name=text" words,
// e.g. "WidthField=3 HeightField=1.6 ConField=" (an empty text after "=").
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/field_set.h"

namespace mq::test {

std::vector<std::pair<std::string, std::string>> ParseTexts(std::string_view texts);

// Every field of the window, empty but for the texts of each string, later ones winning.
MemoryFieldSet FieldsFrom(std::string_view texts, std::string_view more = {});

// Every "Name=text" of the texts that the fields do not hold, as "Name is X, not Y; ".
std::string Mismatches(const FieldSet& fields, std::string_view texts);

}  // namespace mq::test
