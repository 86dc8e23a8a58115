// SPDX-License-Identifier: MIT
// The offset stripline as two half striplines side by side in capacitance
// (published/offset_stripline.h).
#include "published/offset_stripline.h"

#include <algorithm>
#include <cmath>

#include "published/reference_lines.h"

namespace mq::reference {

LineFigures OffsetStripline(double width, double height, double heightAbove, double thickness,
                            double permittivity) {
  const double below =
      StriplineThickImpedance(width, 2 * height + thickness, thickness, permittivity);
  const double above =
      StriplineThickImpedance(width, 2 * heightAbove + thickness, thickness, permittivity);
  // Capacitances add: 1/Z0 is the mean of the two sides' 1/Z.
  return {2 * below * above / (below + above), permittivity};
}

bool OffsetStriplineWithinStatedRange(double width, double height, double heightAbove) {
  return width / (2 * std::max(height, heightAbove)) >= kOffsetStriplineNarrowest;
}

}  // namespace mq::reference
