// SPDX-License-Identifier: MIT
// The closed forms as numbers: analysis-synthesis round trips.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "model/coax.h"
#include "model/microstrip.h"
#include "model/stripline.h"

namespace mq {
namespace {

constexpr double kMm = 1e-3;
constexpr double kGHz = 1e9;
constexpr double kCopper = 5.8e7;

// Each line type synthesised for (er, Z0) at 90 degrees, then analysed at what came out: the
// analysis' impedance, loss and electrical length, and the synthesis' loss.
// clang-format off
const std::pair<const char*, std::function<std::array<double, 4>(double, double)>> kRoundTrips[] = {
  {"microstrip", [](double er, double z0) {
    const microstrip::Line line{0, 1.6 * kMm, er, 0.002, kCopper, 3 * kGHz};
    const auto s = microstrip::ComputeSynthesis({line, z0, 90});
    const auto a = microstrip::ComputeAnalysis({{s.width, 1.6 * kMm, er, 0.002, kCopper, 3 * kGHz}, s.length});
    return std::array{a.impedance, a.attenuation, a.electricalLength, s.attenuation};
  }},
  {"stripline", [](double er, double z0) {
    const stripline::Line line{0, 3.2 * kMm, 0.035 * kMm, er, 0.001, kCopper, 2 * kGHz};
    const auto s = stripline::ComputeSynthesis({line, z0, 90});
    const auto a = stripline::ComputeAnalysis({{s.width, 3.2 * kMm, 0.035 * kMm, er, 0.001, kCopper, 2 * kGHz}, s.length});
    return std::array{a.impedance, a.attenuation, a.electricalLength, s.attenuation};
  }},
  {"coax", [](double er, double z0) {
    const coax::Material material{er, 0.0004, kCopper, 1 * kGHz};
    const auto s = coax::ComputeSynthesis({material, 3.5 * kMm, z0, 90});
    const auto a = coax::ComputeAnalysis({material, s.innerRadius, 3.5 * kMm, s.length});
    return std::array{a.impedance, a.attenuation, a.electricalLength, s.attenuation};
  }},
};
// clang-format on

// The microstrip forms are approximations of each other (2 %); the others invert exactly
// (0.1 %), up to where the stripline model ends (sqrt(er) Z0 about 290 ohm).
TEST(Physics, SynthesisThenAnalysisGivesTheLineBack) {
  for (const auto& [name, roundTrip] : kRoundTrips) {
    const double tolerance = std::string_view(name) == "microstrip" ? 0.02 : 0.001;
    for (const double er : {1.0, 2.2, 4.6, 9.8, 12.9}) {
      for (const double z0 : {20.0, 35.0, 50.0, 75.0, 100.0, 150.0}) {
        if (std::string_view(name) == "stripline" && std::sqrt(er) * z0 >= 290.0) {
          continue;
        }
        const auto [impedance, attenuation, electricalLength, synthesisLoss] = roundTrip(er, z0);
        const auto where = testing::Message() << name << ", er " << er << ", Z0 " << z0;
        EXPECT_NEAR(impedance / z0, 1.0, tolerance) << where;
        EXPECT_NEAR(attenuation / synthesisLoss, 1.0, tolerance) << where;
        EXPECT_NEAR(electricalLength, 90.0, 1e-9) << where;
      }
    }
  }
}

}  // namespace
}  // namespace mq
