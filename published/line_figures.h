// SPDX-License-Identifier: MIT
// What each single-line closed form of published/ returns: the quasi-static impedance and
// effective permittivity of one line.
#pragma once

namespace mq::reference {

struct LineFigures {
  double impedance = 0;     // ohm
  double permittivity = 0;  // effective, relative
};

}  // namespace mq::reference
