// SPDX-License-Identifier: MIT
// How far to trust a page's figures: its closed forms against more exact reference models, and
// the limits of those forms at the page's frequency, from the page's field texts read as its
// procedures read them. Nothing is written and no message is shown: a missing or impossible input
// is named in the line it spoils, in the words of the page's own messages.
#pragma once

#include <string>
#include <vector>

#include "model/field_set.h"
#include "model/field_solver.h"

namespace mq {

// One line of text each, headings unindented; page 1 microstrip, 2 stripline, 3 coaxial.
std::vector<std::string> CrossCheckPage(int page, const FieldSet& fields);

// The field solver's answer for the page's cross-section, its fields read as the page reads
// them (lengths in mm). The microstrip page has no thickness field: its strip's thickness comes
// apart.
field_solver::Answer SolvePage(int page, const FieldSet& fields, double microstripThickness);

}  // namespace mq
