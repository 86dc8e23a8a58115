// SPDX-License-Identifier: MIT
// The three roughness factors of roughness.h, each as its authors write it.
#include "published/roughness.h"

#include <cmath>
#include <numbers>

namespace mq::reference {

double HammerstadJensenRoughness(double rmsHeight, double skinDepth) {
  const double ratio = rmsHeight / skinDepth;
  return 1 + 2 / std::numbers::pi * std::atan(1.4 * ratio * ratio);
}

// A smooth surface (Delta = 0) makes the exponent infinite and the exponential 0: K = 1.
double GroisseRoughness(double rmsHeight, double skinDepth) {
  return 1 + std::exp(-std::pow(skinDepth / (2 * rmsHeight), 1.6));
}

double HurayRoughness(double skinDepth, const Snowballs& snowballs) {
  const double x = skinDepth / snowballs.radius;
  return 1 + 1.5 * snowballs.surfaceRatio / (1 + x + x * x / 2);
}

}  // namespace mq::reference
