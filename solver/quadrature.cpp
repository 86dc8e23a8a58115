// SPDX-License-Identifier: MIT
// The field solver's integrals over one panel. The kernel is split into the log of the distance,
// integrated over a panel in closed form, and a smooth rest taken by Gauss-Legendre quadrature of
// an order chosen from how far the rest's nearest singularity lies (its Bernstein ellipse).
#include "solver/quadrature.h"

#include <algorithm>
#include <numbers>

namespace mq::field_solver::detail {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kUsualMaxGaussOrder = 12;

GaussRule MakeGaussRule(int order) {
  GaussRule rule;
  for (int i = 0; i < order; ++i) {
    double x = std::cos(kPi * (i + 0.75) / (order + 0.5));
    double derivative = 1;
    for (int iteration = 0; iteration < 100; ++iteration) {
      double p0 = 1, p1 = x;
      for (int n = 2; n <= order; ++n) {
        const double p2 = ((2 * n - 1) * x * p1 - (n - 1) * p0) / n;
        p0 = p1;
        p1 = p2;
      }
      derivative = order * (x * p1 - p0) / (x * x - 1);
      const double step = p1 / derivative;
      x -= step;
      if (std::fabs(step) < 1e-16) {
        break;
      }
    }
    rule.node[i] = x;
    rule.weight[i] = 2 / ((1 - x * x) * derivative * derivative);
  }
  return rule;
}

}  // namespace

double LogIntegral(Point p, Point a, Point b) {
  const PanelView view = ViewFrom(p, a, b);
  // Plain copies: a lambda may not capture a structured binding in every compiler we build with.
  const double length = view.length, across = view.across, s1 = view.s1, s2 = view.s2;
  const auto primitive = [across](double s) {
    const double r2 = s * s + across * across;
    return r2 > 0 ? 0.5 * s * std::log(r2) : 0.0;
  };
  // The angle the panel subtends; atan2 keeps it right when p lies on the panel's line.
  const double angle = std::atan2(across * length, s1 * s2 + across * across);
  return primitive(s2) - primitive(s1) - length + across * angle;
}

const GaussRule& Gauss(int order) {
  static const auto rules = [] {
    std::array<GaussRule, kMaxGaussOrder + 1> all;
    for (int order = 1; order <= kMaxGaussOrder; ++order) {
      all[order] = MakeGaussRule(order);
    }
    return all;
  }();
  return rules[order];
}

// The error falls as rho^-2n with rho the Bernstein ellipse through the singularity. Its foci are
// the panel's ends, so its semi-major axis is half the sum of the singularity's distances to them.
int GaussOrder(Point singular, Point a, Point b, double digits) {
  const double half = 0.5 * Distance(b.x - a.x, b.y - a.y);
  const double axis = 0.5 *
                      (Distance(singular.x - a.x, singular.y - a.y) +
                       Distance(singular.x - b.x, singular.y - b.y)) /
                      half;
  const double rho = axis + std::sqrt(std::max(0.0, axis * axis - 1));
  // The least order n with rho >= exp(digits / n), without a logarithm for each panel pair.
  static const auto kLeastRho = [] {
    std::array<double, kMaxGaussOrder + 1> least{};
    for (int order = 1; order <= kMaxGaussOrder; ++order) {
      least[order] = std::exp(kQuadratureDigits / order);
    }
    return least;
  }();
  int order = 1;
  if (digits != kQuadratureDigits) {
    while (order < kMaxGaussOrder && rho < std::exp(digits / order)) {
      ++order;
    }
    return order;
  }
  while (order < kUsualMaxGaussOrder && rho < kLeastRho[order]) {
    ++order;
  }
  return order;
}

}  // namespace mq::field_solver::detail
