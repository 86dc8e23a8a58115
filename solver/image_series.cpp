// SPDX-License-Identifier: MIT
// The image series of a line charge above a grounded dielectric slab, K = (er-1)/(er+1), from
// expanding the slab's reflection coefficient -(K + e^-2kh)/(1 + K e^-2kh) in powers of e^-2kh
// (Silvester, "TEM wave properties of microstrip transmission lines", Proc. IEE 115, 1968). The
// series converges slowly as er grows; its tail beyond a few terms is summed by the
// alternating-geometric analogue of Euler-Maclaurin (Boole) summation, whose coefficients are
// the polylogarithms Li_-j(-K), closed forms in the Eulerian numbers.
#include "solver/image_series.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>
#include <vector>

namespace mq::field_solver::detail {

ImageSeries::ImageSeries(double k) : k_(k) {
  // sum_{m>=0} z^m f(N + m) = sum_j f^(j)(N)/j! Li_-j(z); with f = ln(N + zeta) the j-th term
  // is (-1)^(j-1) Li_-j(z) / (j (N + zeta)^j). Li_-j(z) = z A_j(z) / (1 - z)^(j+1), A_j the
  // Eulerian polynomial.
  const double z = -k;
  tail_[0] = 1 / (1 - z);
  std::vector<double> eulerian = {1};  // A_1
  for (int j = 1; j <= kTailTerms; ++j) {
    if (j > 1) {
      std::vector<double> next(j, 0.0);
      for (int m = 0; m < j; ++m) {
        next[m] = (m + 1) * (m < j - 1 ? eulerian[m] : 0) + (j - m) * (m > 0 ? eulerian[m - 1] : 0);
      }
      eulerian = std::move(next);
    }
    double polynomial = 0;
    for (auto it = eulerian.rbegin(); it != eulerian.rend(); ++it) {
      polynomial = polynomial * z + *it;
    }
    const double polylog = z * polynomial / std::pow(1 - z, j + 1);
    tail_[j] = (j % 2 == 1 ? 1 : -1) * polylog / j;
  }
  for (int j = 0; j < kTailTerms; ++j) {
    double radius = 0;
    for (int later = j + 1; later <= kTailTerms; ++later) {
      radius = std::max(radius, std::pow(std::fabs(tail_[later]) / 1e-11, 1.0 / later));
    }
    reach_[j] = radius * radius;
  }
}

double ImageSeries::operator()(double a, double s) const {
  const double reach = std::sqrt(std::max(0.0, kTailReach * kTailReach - s * s));
  // Far off (a point of the picture a long way out) every term is in the tail.
  const int first = static_cast<int>(std::max(1.0, std::ceil(reach - a)));
  double sum = 0, weight = 1;
  for (int n = 1; n < first; ++n) {
    sum += weight * 0.5 * std::log((n + a) * (n + a) + s * s);
    weight *= -k_;
  }
  if (std::fabs(weight) < 1e-17) {
    return sum;
  }
  const double re = first + a, norm = re * re + s * s;
  const std::complex<double> w(re / norm, -s / norm);
  // Farther out fewer terms reach the same accuracy.
  int terms = kTailTerms;
  while (terms > 1 && norm > reach_[terms - 1]) {
    --terms;
  }
  std::complex<double> poly = 0;
  for (int j = terms; j >= 1; --j) {
    poly = (poly + tail_[j]) * w;
  }
  return sum + weight * (tail_[0] * 0.5 * std::log(norm) + poly.real());
}

}  // namespace mq::field_solver::detail
