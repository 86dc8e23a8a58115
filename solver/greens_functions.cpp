// SPDX-License-Identifier: MIT
// The Green's functions of the field solver, in units of 2 pi eps0 phi / q, so that the open top
// of the microstrip and the unbounded sides need no box:
// - stripline, grounded planes y = 0 and y = b: ln |sinh(pi (z - conj z0) / 2b) /
//   sinh(pi (z - z0) / 2b)| (the image series of a line charge between planes in closed form,
//   e.g. Collin, Field Theory of Guided Waves, ch. 4).
// - microstrip, both points in air above a grounded slab of height h, K = (er-1)/(er+1):
//   -ln r0 + K ln r0' + (1 - K^2) sum_{n>=1} (-K)^(n-1) ln r_n, from expanding the slab's
//   reflection coefficient -(K + e^-2kh)/(1 + K e^-2kh) in powers of e^-2kh (Silvester,
//   "TEM wave properties of microstrip transmission lines", Proc. IEE 115, 1968). r0' is the
//   distance to the mirror image in the interface and r_n to (x0, 2h - y0 - 2nh). Inside the
//   slab: (1 - K) sum_{m>=0} (-K)^m [-ln |z - (z0 + 2imh)| + ln |z - (conj z0 - 2imh)|].
// Over a panel each is the log of the distance, integrated in closed form, and a smooth rest
// taken by Gauss-Legendre quadrature (solver/quadrature.h).
#include "solver/greens_functions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mq::field_solver::detail {

namespace {

constexpr double kPi = std::numbers::pi;

// The stripline kernel less -ln r: 1/2 ln N - 1/2 ln(D / r^2), written with half-angle sines so
// that nothing cancels near the source.
double StriplineSmooth(double b, Point p, Point s) {
  const double dx = p.x - s.x, dy = p.y - s.y;
  const double c = kPi / (2 * b);
  const double sh = std::sinh(c * dx);
  const double numerator = sh * sh + std::pow(std::sin(c * (p.y + s.y)), 2);
  const double r2 = dx * dx + dy * dy;
  const double ratio = r2 > 0 ? (sh * sh + std::pow(std::sin(c * dy), 2)) / r2 : c * c;
  return 0.5 * std::log(numerator / ratio);
}

constexpr double kScreenedBeyond = 9;

}  // namespace

Influence MicrostripInfluence(const Field& f, bool dielectric, Point p, const Panel& q) {
  const double h = f.height, k = f.k;
  const double direct = -LogIntegral(p, q.a, q.b);
  Influence result{direct, direct};
  if (dielectric) {
    const bool onInterface = q.a.y == h && q.b.y == h;
    const double mirrored =
        onInterface ? -direct : LogIntegral(p, {q.a.x, 2 * h - q.a.y}, {q.b.x, 2 * h - q.b.y});
    result.dielectric += k * mirrored;
  }
  const int order = GaussOrder({p.x, -p.y}, q.a, q.b, f.digits);
  const GaussRule& rule = Gauss(order);
  const double lnTwoH = std::log(2 * h);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double w = 0.5 * q.length * rule.weight[i];
    const double dx = p.x - s.x, sumY = p.y + s.y;
    result.vacuum += w * 0.5 * std::log(dx * dx + sumY * sumY);
    if (dielectric) {
      const double images = f.series((sumY - 2 * h) / (2 * h), dx / (2 * h));
      result.dielectric += w * ((1 - k) * lnTwoH + (1 - k * k) * images);
    }
  }
  return result;
}

double StriplineInfluence(const Field& f, Point p, const Panel& q) {
  const double b = f.height;
  // The planes screen the strip's charge as exp(-pi |dx| / b): beyond 9 b, by e^-28, it is
  // below rounding.
  const double gap = std::max(std::min(q.a.x, q.b.x) - p.x, p.x - std::max(q.a.x, q.b.x));
  if (gap > kScreenedBeyond * b) {
    return 0;
  }
  double result = -LogIntegral(p, q.a, q.b);
  const int order = std::max(GaussOrder({p.x, -p.y}, q.a, q.b, f.digits),
                             GaussOrder({p.x, 2 * b - p.y}, q.a, q.b, f.digits));
  const GaussRule& rule = Gauss(order);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    result += 0.5 * q.length * rule.weight[i] * StriplineSmooth(b, p, s);
  }
  return result;
}

double SlabInfluence(const Field& f, Point p, const Panel& q) {
  const double h = f.height, k = f.k;
  double result = -LogIntegral(p, q.a, q.b);
  const int order = GaussOrder({p.x, -p.y}, q.a, q.b, f.digits);
  const GaussRule& rule = Gauss(order);
  for (int i = 0; i < order; ++i) {
    const Point s = Between(q.a, q.b, 0.5 * (1 + rule.node[i]));
    const double dx = p.x - s.x, sumY = p.y + s.y;
    const double series =
        f.series(sumY / (2 * h), dx / (2 * h)) - f.series((s.y - p.y) / (2 * h), dx / (2 * h));
    result +=
        0.5 * q.length * rule.weight[i] * (0.5 * std::log(dx * dx + sumY * sumY) - k * series);
  }
  return (1 - k) * result;
}

double AirInfluence(const Field& f, Point p, const Panel& q) {
  const Influence in = MicrostripInfluence(f, f.k > 0, p, q);
  return f.k > 0 ? in.dielectric : in.vacuum;
}

}  // namespace mq::field_solver::detail
