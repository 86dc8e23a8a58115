// SPDX-License-Identifier: MIT
// What a page leaves unread: the pages read the number a field's text begins with and ignore
// the rest ("62mil" is 62 mm), as they must; the cross-check names what was dropped, so a unit
// typed after a number, or a second point, does not pass unseen.
#pragma once

#include <string>
#include <vector>

#include "model/field_set.h"

namespace mq {

// A warning for each input field of the page (1, 2 or 3) whose text goes on past the number the
// page reads: 'Height: "mil" after 62 was ignored; lengths are in mm.'
std::vector<std::string> UnreadText(int page, const FieldSet& fields);

}  // namespace mq
