// SPDX-License-Identifier: MIT
// The kernels of the general cross-section. The free-space kernel -ln r and its field (p - s)/r^2
// integrate over a straight panel in closed form: the log integral of solver/quadrature.h, and
// for the field the log of the end distances along the panel and the angle it subtends across
// (e.g. Jaswon and Symm, Integral Equation Methods in Potential Theory and Elastostatics, 1977,
// ch. 2). One ground plane at y = 0 is its image of opposite charge, also in closed form. Between
// planes y = 0 and y = b the kernel is ln |sinh(pi (z - conj z0) / 2b) / sinh(pi (z - z0) / 2b)|
// (Collin, Field Theory of Guided Waves, ch. 4), whose potential solver/greens_functions.h
// integrates; its field is the closed-form free-space part and a smooth rest by Gauss-Legendre.
#include "solver/layered_kernels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "solver/greens_functions.h"

namespace mq::field_solver::detail {

namespace {

constexpr double kPi = std::numbers::pi;
// Between the planes the strip's field falls as exp(-pi |dx| / b): beyond 12 b below 1e-16.
constexpr double kScreenedBeyond = 12;

Point Mirrored(Point p) {
  return {p.x, -p.y};
}

// The integral of (p - s) / |p - s|^2 over s on the straight panel a-b.
Point FreeField(Point p, Point a, Point b, bool onPanel) {
  const auto [length, tx, ty, along, across, s1, s2] = ViewFrom(p, a, b);
  const double fromA = s1 * s1 + across * across, fromB = s2 * s2 + across * across;
  const double tangential = onPanel ? 0.0 : 0.5 * std::log(fromA / fromB);
  const double normal = onPanel ? 0.0 : std::atan2(across * length, s1 * s2 + across * across);
  // The across axis is the tangent turned a quarter to the left.
  return {tangential * tx - normal * ty, tangential * ty + normal * tx};
}

bool Screened(const Enclosure& e, Point p, const Panel& q) {
  const double gap = std::max(std::min(q.a.x, q.b.x) - p.x, p.x - std::max(q.a.x, q.b.x));
  return gap > kScreenedBeyond * e.top;
}

// coth(u + iv) = (sinh u cosh u - i sin v cos v) / (sinh^2 u + sin^2 v), in real arithmetic
// (complex division and tanh took a third of a two-plane solve's time), and with nothing that
// cancels near the source.
Point Coth(double u, double v) {
  const double sh = std::sinh(u), sn = std::sin(v);
  const double denominator = sh * sh + sn * sn;
  return {sh * std::cosh(u) / denominator, -sn * std::cos(v) / denominator};
}

// The two-plane kernel's field less the free-space part, at p of a unit charge at s.
Point StriplineFieldRest(double b, Point p, Point s) {
  const double c = kPi / (2 * b);
  const double dx = p.x - s.x, dy = p.y - s.y, sy = p.y + s.y;
  const Point image = Coth(c * dx, c * sy), direct = Coth(c * dx, c * dy);
  const double r2 = dx * dx + dy * dy;
  // F' = c coth(c (z - conj s)) - c coth(c (z - s)) + 1 / (z - s); the field is -conj(F').
  const double re = c * (image.x - direct.x) + dx / r2, im = c * (image.y - direct.y) - dy / r2;
  return {-re, im};
}

// Far from the panel (and its image) a few Gauss points do what the closed forms do, at a
// fraction of their logarithms and arc tangents.
constexpr int kMostGaussPoints = 4;

int FarOrder(const Enclosure& e, Point p, const Panel& q) {
  const int direct = GaussOrder(p, q.a, q.b, e.digits);
  return e.grounds == Grounds::kNone
             ? direct
             : std::max(direct, GaussOrder(Mirrored(p), q.a, q.b, e.digits));
}

// The potential (x) and field (y, as a point) of the panel at p by Gauss-Legendre.
double GaussPotential(const Enclosure& e, Point p, const Panel& q, int order) {
  const GaussRule& rule = Gauss(order);
  double sum = 0;
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double dx = p.x - s.x, dy = p.y - s.y, sy = p.y + s.y;
    const double ratio = e.grounds == Grounds::kNone ? 1 / (dx * dx + dy * dy)
                                                     : (dx * dx + sy * sy) / (dx * dx + dy * dy);
    sum += rule.weight[i] * std::log(ratio);
  }
  return 0.25 * q.length * sum;
}

Point GaussField(const Enclosure& e, Point p, const Panel& q, int order) {
  const GaussRule& rule = Gauss(order);
  Point sum{0, 0};
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double dx = p.x - s.x, dy = p.y - s.y;
    const double w = rule.weight[i] / (dx * dx + dy * dy);
    sum.x += w * dx;
    sum.y += w * dy;
    if (e.grounds == Grounds::kBelow) {
      const double sy = p.y + s.y, image = rule.weight[i] / (dx * dx + sy * sy);
      sum.x -= image * dx;
      sum.y -= image * sy;
    }
  }
  return {0.5 * q.length * sum.x, 0.5 * q.length * sum.y};
}

}  // namespace

Enclosure MakeEnclosure(Grounds grounds, double top, double digits) {
  Enclosure e;
  e.grounds = grounds;
  e.top = top;
  e.digits = digits;
  e.planes.shape = Shape::kStripline;
  e.planes.height = top;
  e.planes.digits = digits;
  return e;
}

double PanelPotential(const Enclosure& e, Point p, const Panel& q) {
  if (e.grounds == Grounds::kBoth) {
    if (Screened(e, p, q)) {
      return 0;
    }
    return StriplineInfluence(e.planes, p, q);
  }
  if (const int order = FarOrder(e, p, q); order <= kMostGaussPoints) {
    return GaussPotential(e, p, q, order);
  }
  const double direct = -LogIntegral(p, q.a, q.b);
  return e.grounds == Grounds::kNone ? direct
                                     : direct + LogIntegral(p, Mirrored(q.a), Mirrored(q.b));
}

Point PanelField(const Enclosure& e, Point p, const Panel& q, bool onPanel) {
  if (e.grounds != Grounds::kBoth && !onPanel) {
    if (const int order = FarOrder(e, p, q); order <= kMostGaussPoints) {
      return GaussField(e, p, q, order);
    }
  }
  Point field = FreeField(p, q.a, q.b, onPanel);
  if (e.grounds == Grounds::kBelow) {
    const Point image = FreeField(p, Mirrored(q.a), Mirrored(q.b), false);
    return {field.x - image.x, field.y - image.y};
  }
  if (e.grounds == Grounds::kNone) {
    return field;
  }
  if (Screened(e, p, q)) {
    return {0, 0};
  }
  const double b = e.top;
  const int order = std::max(GaussOrder({p.x, -p.y}, q.a, q.b, e.digits),
                             GaussOrder({p.x, 2 * b - p.y}, q.a, q.b, e.digits));
  const GaussRule& rule = Gauss(order);
  for (int i = 0; i < order; ++i) {
    const Point rest = StriplineFieldRest(b, p, Between(q.a, q.b, 0.5 * (1 + rule.node[i])));
    const double w = 0.5 * q.length * rule.weight[i];
    field.x += w * rest.x;
    field.y += w * rest.y;
  }
  return field;
}

}  // namespace mq::field_solver::detail
