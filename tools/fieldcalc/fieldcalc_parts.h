// SPDX-License-Identifier: MIT
// The parts of fieldcalc that its commands share: reading the Name=text lines, printing a pair's
// modes; and the commands over any line (tools/fieldcalc/line_commands.cpp).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/field_set.h"
#include "solver/field_solver.h"

namespace mq {

// The Name=text lines into the fields; false, having said why on `err`, for a malformed line.
bool ReadFields(std::istream& in, FieldSet& fields, std::ostream& err);

// even_impedance=, odd_impedance=, differential_impedance=, ... estimate=.
void PrintPair(const field_solver::PairAnswer& pair, std::ostream& out);

// "Line STRUCTURE", "Sweep STRUCTURE", "Touchstone STRUCTURE".
int PrintLineSolution(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err);
int PrintLineSweep(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);
int PrintLineTouchstone(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                        std::ostream& err);

}  // namespace mq
