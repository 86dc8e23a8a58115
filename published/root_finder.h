// SPDX-License-Identifier: MIT
// The one search for where a monotonic function of one variable meets its target, for the
// closed forms' numeric inverse and the field solver's width and spacing searches. It brackets
// the target first, stepping from the start toward it by steps that at least double until the
// miss changes sign or the range ends, so no target the range reaches is missed, and names the
// end the target lies beyond with the miss there. Then Brent's method narrows the bracket:
// R. P. Brent, "Algorithms for Minimization without Derivatives", Prentice-Hall 1973, ch. 4, the
// procedure zero (inverse quadratic interpolation and secant steps, bisection where they would
// go slowly). Standard library only.
#pragma once

#include <atomic>
#include <cmath>
#include <functional>

namespace mq::roots {

// One evaluation: how far the function misses its target, signed (for an impedance,
// ln(Z / Z wanted)), and how near to 0 counts as meeting it (its own relative error). A NaN
// miss means no figure there, which ends the search.
struct Miss {
  double value = NAN;
  double tolerance = 0;
};

// The caller's variable runs from lowest to highest; the search starts at `start` (the middle
// where it is not finite). `rising`: the miss grows with the variable.
struct Range {
  double lowest = 0, highest = 0, start = NAN;
  bool rising = false;
};

struct Root {
  enum class Outcome {
    kFound,          // the miss at x is within its tolerance
    kBeyondLowest,   // the target lies past the lowest end: x is that end
    kBeyondHighest,  // and past the highest
    kNoFigure,       // an evaluation gave none
    kStopped,        // the stop flag was raised
    kUnsettled,      // the bracket closed with no hit: the function jumps across the target
  };
  Outcome outcome = Outcome::kNoFigure;
  double x = NAN;
  double miss = NAN;  // at x
};

// Found and beyond an end, x is the last point evaluated, so a caller that keeps what its
// function computed last has the figures at x. A raised `stop` is read before each evaluation.
inline constexpr int kMostEvaluations = 100;
Root FindRoot(const std::function<Miss(double)>& miss, const Range& range,
              const std::atomic<bool>* stop = nullptr);

}  // namespace mq::roots
