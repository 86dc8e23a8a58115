// SPDX-License-Identifier: MIT
// The frequency-domain pieces of line loss: the roughness factors at their limits and at points
// worked by hand, and the wideband Debye permittivity against its own fit, against the real part
// that causality (Kramers-Kronig) draws from its imaginary part, and against FR-4's usual figures.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "published/djordjevic_sarkar.h"
#include "published/roughness.h"

namespace mq {
namespace {

namespace ref = reference;

struct Row {
  const char* name;
  double value;
  double expected;
  double tolerance;  // absolute
};

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    EXPECT_NEAR(row.value, row.expected, row.tolerance) << row.name;
  }
}

// Hand-worked: 1 + (2/pi) atan(1.4) = 1.6051369 at Delta = delta; 1 + 1/e = 1.3678794 at
// Delta = delta/2; 1 + 1.5 * 2.9 / (1 + 1 + 1/2) = 2.74 at delta = a. The limits from the forms:
// both of HJ and Groisse saturate at 2, Huray's spheres at 1 + 1.5 SR = 5.35.
TEST(Roughness, ReachesItsLimitsAndHandWorkedPoints) {
  const double delta = ref::SkinDepthMetres(1e9, 5.8e7);
  ExpectRows({
      {"copper skin depth at 1 GHz, um (textbook: 2.09)", delta * 1e6, 2.09, 0.001},
      {"HJ, smooth", ref::HammerstadJensenRoughness(0, delta), 1, 0},
      {"HJ, Delta = delta", ref::HammerstadJensenRoughness(delta, delta), 1.6051369, 1e-7},
      {"HJ, Delta = 1e4 delta", ref::HammerstadJensenRoughness(1e4 * delta, delta), 2, 1e-8},
      {"Groisse, smooth", ref::GroisseRoughness(0, delta), 1, 0},
      {"Groisse, Delta = delta/2", ref::GroisseRoughness(delta / 2, delta), 1.3678794, 1e-7},
      {"Groisse, Delta = 1e4 delta", ref::GroisseRoughness(1e4 * delta, delta), 2, 1e-6},
      {"Huray, no spheres", ref::HurayRoughness(delta, {.surfaceRatio = 0}), 1, 0},
      {"Huray, delta = a", ref::HurayRoughness(0.5e-6), 2.74, 1e-12},
      {"Huray, delta -> 0", ref::HurayRoughness(1e-15), 5.35, 1e-8},
  });
}

// Kramers-Kronig for e^{j omega t}, eps = eps' - j eps'':
// eps'(w) - eps_inf = (2/pi) integral over w' of [w' eps''(w') - w eps''(w)] / (w'^2 - w^2),
// the subtracted term's principal value being 0. The midpoint rule in ln w' from 1e-2 to
// 1e18 rad/s, past which the loss the model spreads from 1e4 to 1e12 rad/s has died away; its
// nodes fall beside w, where the integrand's 0/0 has a finite limit.
double CausalRealPart(const ref::WidebandDebye& model, double hertz) {
  const auto loss = [&](double w) {
    return -ref::WidebandPermittivity(model, w / (2 * std::numbers::pi)).imag();
  };
  const double w = 2 * std::numbers::pi * hertz, lossHere = loss(w);
  const double first = std::log(1e-2), last = std::log(1e18);
  const int steps = 40000;
  const double step = (last - first) / steps;
  double sum = 0;
  for (int i = 0; i < steps; ++i) {
    const double v = std::exp(first + (i + 0.5) * step);
    sum += v * (v * loss(v) - w * lossHere) / (v * v - w * w);
  }
  return model.epsInfinity + 2 / std::numbers::pi * sum * step;
}

// FR-4 as Dk 4.3, Df 0.02 at 1 GHz. Worked figures: the paper's eq. written again in Python
// with mpmath at 30 digits; "typical FR-4": the figures commonly quoted for it near 10 GHz,
// Dk about 4.2 and Df about 0.02.
TEST(WidebandDebye, KeepsItsFitAndIsCausal) {
  const ref::WidebandDebye fr4 = ref::FitWidebandDebye(4.3, 0.02, 1e9);
  ExpectRows({
      {"Dk at the fit", ref::WidebandDk(fr4, 1e9), 4.3, 1e-12},
      {"Df at the fit", ref::WidebandDf(fr4, 1e9), 0.02, 1e-14},
      {"eps_inf", fr4.epsInfinity, 4.0213116, 1e-7},
      {"deltaEps", fr4.deltaEps, 1.0125706, 1e-7},
      {"Dk at 10 GHz, worked", ref::WidebandDk(fr4, 1e10), 4.1735359, 1e-7},
      {"Df at 10 GHz, worked", ref::WidebandDf(fr4, 1e10), 0.019862336, 1e-9},
      {"Dk at 10 GHz, typical FR-4", ref::WidebandDk(fr4, 1e10), 4.2, 0.05},
      {"Df at 10 GHz, typical FR-4", ref::WidebandDf(fr4, 1e10), 0.02, 0.001},
      {"Dk at 1 MHz from the loss alone", CausalRealPart(fr4, 1e6), ref::WidebandDk(fr4, 1e6),
       1e-6},
      {"Dk at 1 GHz from the loss alone", CausalRealPart(fr4, 1e9), 4.3, 1e-6},
      {"Dk at 10 GHz from the loss alone", CausalRealPart(fr4, 1e10), 4.1735359, 1e-6},
  });
  double below = ref::WidebandDk(fr4, 1);
  for (double hertz = 10; hertz < 1e13; hertz *= 1.5) {
    EXPECT_LT(ref::WidebandDk(fr4, hertz), below) << hertz << " Hz";
    below = ref::WidebandDk(fr4, hertz);
  }
}

}  // namespace
}  // namespace mq
