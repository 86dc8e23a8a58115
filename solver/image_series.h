// SPDX-License-Identifier: MIT
// The microstrip's image series, summed to rounding with its tail in closed form.
#pragma once

#include <array>

namespace mq::field_solver::detail {

// Re sum_{n>=1} (-K)^(n-1) ln(n + a + i s) for a >= 0: the image series of the microstrip.
class ImageSeries {
 public:
  explicit ImageSeries(double k);
  double operator()(double a, double s) const;

 private:
  static constexpr int kTailTerms = 24;
  static constexpr double kTailReach = 8;  // |n + a + i s| from which the tail expansion holds
  double k_;
  std::array<double, kTailTerms + 1> tail_{};
  // reach_[j]: |N + zeta|^2 beyond which terms after the j-th are below 1e-14.
  std::array<double, kTailTerms + 1> reach_{};
};

}  // namespace mq::field_solver::detail
