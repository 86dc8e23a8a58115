// SPDX-License-Identifier: MIT
// Whether a ratio lies inside a range a model's authors state, for the range notes of the
// cross-check and of the pair window.
#pragma once

namespace mq {

// A ratio typed at a range's end (0.16 mm on 1.6 mm) is inside it, whatever its last bit.
inline bool Within(double ratio, double lowest, double highest) {
  constexpr double kSlack = 1e-12;
  return ratio >= lowest * (1 - kSlack) && ratio <= highest * (1 + kSlack);
}

}  // namespace mq
