// SPDX-License-Identifier: MIT
// Cohn's broadside-coupled strips (IRE Trans. MTT-8, 1960): the modulus k found from W/b by
// published/root_finder.h, then the two modes' impedances in closed form.
#include "published/broadside_stripline.h"

#include <cmath>
#include <numbers>

#include "published/exact_constants.h"
#include "published/reference_lines.h"
#include "published/root_finder.h"

namespace mq::reference {
namespace {

using std::numbers::pi;

// The search runs over x = artanh(k), in which every term keeps its digits as k nears 1 (wide
// strips): 1 - k^2 = sech^2 x, and with beta = b/s, 1 - R^2 = beta sech^2 x / (beta - k) and
// 1 - (R/k)^2 = sech^2 x / (k (beta - k)).
double WidthRatio(double x, double spacingRatio) {
  const double k = std::tanh(x), beta = 1 / spacingRatio;
  const double sech2 = std::pow(1 / std::cosh(x), 2);
  const double r = std::sqrt(k * (k * beta - 1) / (beta - k));
  // ln((1 + y)/(1 - y)) = 2 ln(1 + y) - ln(1 - y^2).
  const double inner = 2 * std::log1p(r) - std::log(beta * sech2 / (beta - k));
  const double outer = 2 * std::log1p(r / k) - std::log(sech2 / (k * (beta - k)));
  return (inner - spacingRatio * outer) / pi;
}

// W/b is 0 at k = s/b and grows without bound as k -> 1, about as 2x (1 - s/b) / pi once the
// strips are wide: the search starts there. Just above s/b the two logarithms cancel to
// rounding, so it starts 1e-7 above, a strip some 1e-9 b wide; x past s/b + 200 is one some 60 b
// wide at the least.
constexpr double kNarrowestSearch = 1e-7;
constexpr double kWidestSearch = 200;
constexpr double kModulusTolerance = 1e-13;

double ModulusArgument(double widthRatio, double spacingRatio) {
  const double narrowest = std::atanh(spacingRatio);
  const auto miss = [&](double x) {
    return roots::Miss{std::log(WidthRatio(x, spacingRatio) / widthRatio), kModulusTolerance};
  };
  const double wide = narrowest + pi * widthRatio / (2 * (1 - spacingRatio));
  const roots::Root root =
      roots::FindRoot(miss, {narrowest + kNarrowestSearch, narrowest + kWidestSearch, wide, true});
  return root.outcome == roots::Root::Outcome::kFound ? root.x : NAN;
}

}  // namespace

PairImpedances BroadsideCoupledStripline(double width, double spacing, double planeSpacing,
                                         double permittivity) {
  const double spacingRatio = spacing / planeSpacing;
  if (!(width > 0) || !(spacingRatio > 0) || !(spacingRatio < 1)) {
    return {NAN, NAN};
  }
  const double x = ModulusArgument(width / planeSpacing, spacingRatio);
  const double root = std::sqrt(permittivity);
  // K(k')/K(k) = AGM(1, k')/AGM(1, k), k = tanh x, k' = sech x.
  const double ratio =
      ArithmeticGeometricMean(1, 1 / std::cosh(x)) / ArithmeticGeometricMean(1, std::tanh(x));
  return {exact::kEta0 / 2 * ratio / root, exact::kEta0 / 4 * pi * spacingRatio / x / root};
}

}  // namespace mq::reference
