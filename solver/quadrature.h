// SPDX-License-Identifier: MIT
// The field solver's integrals over one straight panel: points of the cross-section, the integral
// of ln |p - q| over a panel in closed form, and Gauss-Legendre rules with the order that
// integrates the kernel's smooth rest to the accuracy asked for.
#pragma once

#include <array>
#include <cmath>

namespace mq::field_solver::detail {

struct Point {
  double x = 0;
  double y = 0;
};

inline Point Between(Point a, Point b, double f) {
  return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
}

// The length of (dx, dy); std::hypot guards against overflow that lengths here never reach.
inline double Distance(double dx, double dy) {
  return std::sqrt(dx * dx + dy * dy);
}

// A point seen from the straight panel a-b: the panel's length and unit tangent, the point's
// distance along the tangent from a and across it (the tangent turned a quarter to the left),
// and the panel's ends measured along it from the point's foot, s1 = -along, s2 = length - along.
struct PanelView {
  double length, tx, ty, along, across, s1, s2;
};

inline PanelView ViewFrom(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = Distance(dx, dy);
  const double tx = dx / length, ty = dy / length;
  const double along = (p.x - a.x) * tx + (p.y - a.y) * ty;
  const double across = (p.y - a.y) * tx - (p.x - a.x) * ty;
  return {length, tx, ty, along, across, -along, length - along};
}

// The integral of ln |p - q| over q on the straight panel a-b, in closed form.
double LogIntegral(Point p, Point a, Point b);

constexpr int kMaxGaussOrder = 24;         // for the references' tighter quadrature
constexpr double kQuadratureDigits = 8.1;  // ln(1e7) / 2: Gauss rules good to about 1e-7
constexpr double kQuadratureError = 1e-7;  // the least error claimed

struct GaussRule {
  std::array<double, kMaxGaussOrder> node{};  // on [-1, 1]
  std::array<double, kMaxGaussOrder> weight{};
};

// The rule of the given order, 1 to kMaxGaussOrder, made once.
const GaussRule& Gauss(int order);

// The Gauss order that integrates over the panel a-b, to about exp(-2 digits), a function
// analytic but for a singularity at `singular` (a point in the plane).
int GaussOrder(Point singular, Point a, Point b, double digits);

}  // namespace mq::field_solver::detail
