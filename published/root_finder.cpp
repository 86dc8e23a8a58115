// SPDX-License-Identifier: MIT
// The bracketing search and Brent's zero (R. P. Brent, "Algorithms for Minimization without
// Derivatives", Prentice-Hall 1973, ch. 4; its ALGOL procedure zero, step for step).
#include "published/root_finder.h"

#include <algorithm>
#include <limits>

namespace mq::roots {
namespace {

using Outcome = Root::Outcome;

// A first step of 5 %: the published models the searches start from lie within a few percent.
constexpr double kFirstStep = 0.05;
// The least step Brent's zero takes, beside twice the rounding of x.
constexpr double kLeastStep = 1e-15;

bool Hit(const Miss& m) {
  return std::fabs(m.value) <= m.tolerance;
}

// The caller's function behind the stop flag and the count of evaluations.
class Probe {
 public:
  Probe(const std::function<Miss(double)>& miss, const std::atomic<bool>* stop)
      : miss_(miss), stop_(stop) {}

  Miss At(double x) {
    if (Stopped() || ++count_ > kMostEvaluations) {
      return {};
    }
    return miss_(x);
  }

  // Why the last evaluation gave no figure.
  Root Failed() const {
    return {Stopped()                   ? Outcome::kStopped
            : count_ > kMostEvaluations ? Outcome::kUnsettled
                                        : Outcome::kNoFigure};
  }

 private:
  bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

  const std::function<Miss(double)>& miss_;
  const std::atomic<bool>* stop_;
  int count_ = 0;
};

// Brent's interpolated step from b, or NaN where he bisects: secant through a and b, or inverse
// quadratic through a, b and c; m is half the bracket, e the step before last.
double Interpolated(double a, double fa, double b, double fb, double c, double fc, double m,
                    double e, double tol) {
  double s = fb / fa, p = 0, q = 0;
  if (a == c) {
    p = 2 * m * s;
    q = 1 - s;
  } else {
    const double r = fb / fc;
    q = fa / fc;
    p = s * (2 * m * q * (q - r) - (b - a) * (r - 1));
    q = (q - 1) * (r - 1) * (s - 1);
  }
  if (p > 0) {
    q = -q;
  } else {
    p = -p;
  }
  // Only a step that stays well inside the bracket and shrinks faster than bisection would.
  return 2 * p < 3 * m * q - std::fabs(tol * q) && p < std::fabs(0.5 * e * q) ? p / q : NAN;
}

// Brent's zero on the bracket from a to b (b evaluated last), their misses of opposite signs.
Root Narrow(Probe& probe, double a, double fa, double b, double fb) {
  double c = a, fc = fa, d = b - a, e = d;
  for (;;) {
    if ((fb > 0) == (fc > 0)) {
      c = a, fc = fa, d = e = b - a;
    }
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b, b = c, c = a;
      fa = fb, fb = fc, fc = fa;
    }
    const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b) + kLeastStep;
    const double m = 0.5 * (c - b);
    if (std::fabs(m) <= tol) {
      return {Outcome::kUnsettled, b, fb};
    }
    const double step = std::fabs(e) < tol || std::fabs(fa) <= std::fabs(fb)
                            ? NAN
                            : Interpolated(a, fa, b, fb, c, fc, m, e, tol);
    e = std::isnan(step) ? m : d;
    d = std::isnan(step) ? m : step;
    a = b, fa = fb;
    b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
    const Miss next = probe.At(b);
    if (std::isnan(next.value)) {
      return probe.Failed();
    }
    if (Hit(next)) {
      return {Outcome::kFound, b, next.value};
    }
    fb = next.value;
  }
}

}  // namespace

Root FindRoot(const std::function<Miss(double)>& miss, const Range& range,
              const std::atomic<bool>* stop) {
  Probe probe(miss, stop);
  double x = std::isfinite(range.start) ? std::clamp(range.start, range.lowest, range.highest)
                                        : 0.5 * (range.lowest + range.highest);
  Miss at = probe.At(x);
  for (double step = kFirstStep;;) {
    if (std::isnan(at.value)) {
      return probe.Failed();
    }
    if (Hit(at)) {
      return {Outcome::kFound, x, at.value};
    }
    const bool up = (at.value < 0) == range.rising;
    const double end = up ? range.highest : range.lowest;
    if (x == end) {
      return {up ? Outcome::kBeyondHighest : Outcome::kBeyondLowest, x, at.value};
    }
    const double next = up ? std::min(x + step, end) : std::max(x - step, end);
    const Miss there = probe.At(next);
    if (!std::isnan(there.value) && !Hit(there) && (there.value > 0) != (at.value > 0)) {
      return Narrow(probe, x, at.value, next, there.value);
    }
    // Past where the secant through the two points puts the target, so the next step brackets
    // it where the function is near linear; at least twice as far, so the range's end is
    // reached in a few steps where it is not.
    const double secant = there.value * (next - x) / (at.value - there.value);
    step = std::isfinite(secant) ? std::max(2 * step, 1.5 * std::fabs(secant)) : 2 * step;
    x = next, at = there;
  }
}

}  // namespace mq::roots
