// SPDX-License-Identifier: MIT
// The closed forms as numbers: textbook anchors and analysis-synthesis round trips.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/coax.h"
#include "model/microstrip.h"
#include "model/stripline.h"

namespace mq {
namespace {

constexpr double kMillimetre = 1e-3;
constexpr double kGigahertz = 1e9;
constexpr double kCopper = 5.8e7;

const std::vector<double> kPermittivities = {1.0, 2.2, 4.6, 9.8, 12.9};
const std::vector<double> kImpedances = {20.0, 35.0, 50.0, 75.0, 100.0, 150.0};

double RelativeError(double value, double reference) {
  return std::abs(value - reference) / std::abs(reference);
}

// Pozar, Microwave Engineering, example 3.7: 50 ohm on er 2.2, h 0.127 cm gives W/h 3.081 and
// eeff 1.87; a 90 degree line at 2.5 GHz is then 2.19 cm long.
TEST(MicrostripPhysics, PozarWorkedExample) {
  microstrip::SynthesisInput input;
  input.line = {0, 1.27 * kMillimetre, 2.2, 0, kCopper, 2.5 * kGigahertz};
  input.impedance = 50;
  input.electricalLength = 90;
  const auto result = microstrip::ComputeSynthesis(input);
  EXPECT_NEAR(result.width / input.line.height, 3.081, 0.001);
  EXPECT_NEAR(result.effectivePermittivity, 1.87, 0.005);
  EXPECT_NEAR(result.length, 21.9 * kMillimetre, 0.05 * kMillimetre);
}

// Air line, wide strip: Z0 = 120 pi / (W/h + 1.393 + 0.667 ln(W/h + 1.444)); at W/h 1 that is
// 376.99 / 2.9876 = 126.2 ohm.
TEST(MicrostripPhysics, AirLineAtUnitRatio) {
  EXPECT_NEAR(microstrip::CharacteristicImpedance(1e-3, 1e-3, 1.0), 126.2, 0.1);
}

TEST(MicrostripPhysics, SynthesisThenAnalysisGivesBackImpedanceAndLoss) {
  for (const double er : kPermittivities) {
    for (const double z0 : kImpedances) {
      SCOPED_TRACE(testing::Message() << "er " << er << ", Z0 " << z0);
      microstrip::SynthesisInput wanted;
      wanted.line = {0, 1.6 * kMillimetre, er, 0.002, kCopper, 3 * kGigahertz};
      wanted.impedance = z0;
      wanted.electricalLength = 90;
      const auto synthesized = microstrip::ComputeSynthesis(wanted);
      ASSERT_GT(synthesized.width, 0.0);

      microstrip::AnalysisInput line{wanted.line, synthesized.length};
      line.line.width = synthesized.width;
      const auto analysed = microstrip::ComputeAnalysis(line);
      EXPECT_LT(RelativeError(analysed.impedance, z0), 0.02);
      EXPECT_LT(RelativeError(analysed.attenuation, synthesized.attenuation), 0.02);
      EXPECT_NEAR(analysed.electricalLength, 90.0, 1e-9);
    }
  }
}

// Pozar, example 3.5: 50 ohm stripline, b 0.32 cm, er 2.2: x = 30 pi / (sqrt(er) Z0) - 0.441
// = 0.830, so W = 0.266 cm.
TEST(StriplinePhysics, PozarWorkedExample) {
  EXPECT_NEAR(stripline::SynthesizedWidth(50, 3.2 * kMillimetre, 2.2), 2.66 * kMillimetre,
              0.005 * kMillimetre);
}

TEST(StriplinePhysics, SynthesisThenAnalysisGivesBackImpedance) {
  for (const double er : kPermittivities) {
    for (const double z0 : kImpedances) {
      if (std::sqrt(er) * z0 >= 290.0) {
        continue;
      }
      SCOPED_TRACE(testing::Message() << "er " << er << ", Z0 " << z0);
      stripline::SynthesisInput wanted;
      wanted.line = {0, 3.2 * kMillimetre, 0.035 * kMillimetre, er, 0.001, kCopper, 2 * kGigahertz};
      wanted.impedance = z0;
      wanted.electricalLength = 45;
      const auto synthesized = stripline::ComputeSynthesis(wanted);
      ASSERT_GT(synthesized.width, 0.0);

      stripline::AnalysisInput line{wanted.line, synthesized.length};
      line.line.width = synthesized.width;
      const auto analysed = stripline::ComputeAnalysis(line);
      EXPECT_LT(RelativeError(analysed.impedance, z0), 0.001);
      EXPECT_NEAR(analysed.electricalLength, 45.0, 1e-9);
      EXPECT_LT(RelativeError(analysed.attenuation, synthesized.attenuation), 0.001);
    }
  }
}

// Z0 = eta0 / (2 pi sqrt(er)) ln(b/a): an air line with b/a = e^(5/6) is 50 ohm within the
// rounding of the program's constants.
TEST(CoaxPhysics, ClosedForm) {
  const double ratio = std::exp(50.0 / 59.9585);
  EXPECT_NEAR(coax::CharacteristicImpedance(1e-3, ratio * 1e-3, 1.0), 50.0, 0.01);
  EXPECT_NEAR(coax::CharacteristicImpedance(1e-3, ratio * 1e-3, 4.0), 25.0, 0.01);
}

TEST(CoaxPhysics, SynthesisThenAnalysisGivesBackImpedance) {
  for (const double er : kPermittivities) {
    for (const double z0 : kImpedances) {
      SCOPED_TRACE(testing::Message() << "er " << er << ", Z0 " << z0);
      coax::SynthesisInput wanted;
      wanted.material = {er, 0.0004, kCopper, 1 * kGigahertz};
      wanted.outerRadius = 3.5 * kMillimetre;
      wanted.impedance = z0;
      wanted.electricalLength = 180;
      const auto synthesized = coax::ComputeSynthesis(wanted);
      ASSERT_GT(synthesized.innerRadius, 0.0);
      ASSERT_LT(synthesized.innerRadius, wanted.outerRadius);

      const auto analysed = coax::ComputeAnalysis(
          {wanted.material, synthesized.innerRadius, wanted.outerRadius, synthesized.length});
      EXPECT_LT(RelativeError(analysed.impedance, z0), 0.001);
      EXPECT_NEAR(analysed.electricalLength, 180.0, 1e-9);
      EXPECT_LT(RelativeError(analysed.attenuation, synthesized.attenuation), 0.001);
    }
  }
}

}  // namespace
}  // namespace mq
