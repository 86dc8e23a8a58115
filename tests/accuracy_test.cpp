// SPDX-License-Identifier: MIT
// Each closed form stays within the error envelope measured against its reference solution
// (docs/accuracy.md); a model that drifts fails here. The references themselves are checked
// against worked values in cross_check_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/coax.h"
#include "model/microstrip.h"
#include "model/reference_lines.h"
#include "model/stripline.h"

namespace mq {
namespace {

const std::vector<double> kPermittivities = {1.0, 2.2, 4.6, 9.8, 12.9};

std::vector<double> Ratios(double from, double to) {
  std::vector<double> ratios;
  for (int i = 0; i <= 80; ++i) {
    ratios.push_back(from * std::pow(to / from, i / 80.0));
  }
  return ratios;
}

double PercentError(double value, double reference) {
  return 100 * std::fabs(value - reference) / reference;
}

TEST(Accuracy, CoaxWithinTwoThousandthsOfAPercent) {
  for (const double er : kPermittivities) {
    for (const double ratio : Ratios(1.05, 20)) {
      EXPECT_LT(PercentError(coax::CharacteristicImpedance(1, ratio, er),
                             reference::CoaxImpedance(1, ratio, er)),
                0.002)
          << "D/d " << ratio << ", er " << er;
    }
  }
}

TEST(Accuracy, StriplineWithinOneAndAHalfPercentOfExact) {
  for (const double er : kPermittivities) {
    for (const double ratio : Ratios(0.05, 10)) {
      EXPECT_LT(PercentError(stripline::CharacteristicImpedance(ratio, 1, er),
                             reference::StriplineImpedance(ratio, 1, er)),
                1.5)
          << "W/b " << ratio << ", er " << er;
    }
  }
}

struct Envelope {
  double fromRatio;
  double impedancePercent;
  double permittivityPercent;
};

TEST(Accuracy, MicrostripWithinItsEnvelopeOfHammerstadJensen) {
  const Envelope envelopes[] = {{0.05, 1.6, 3.0}, {0.5, 0.8, 0.8}};
  for (const auto& envelope : envelopes) {
    for (const double er : kPermittivities) {
      for (const double u : Ratios(envelope.fromRatio, 10)) {
        const double eeff = microstrip::EffectivePermittivity(u, 1, er);
        EXPECT_LT(PercentError(microstrip::CharacteristicImpedance(u, 1, eeff),
                               reference::MicrostripImpedance(u, 1, er)),
                  envelope.impedancePercent)
            << "W/h " << u << ", er " << er;
        EXPECT_LT(PercentError(eeff, reference::MicrostripEffectivePermittivity(u, 1, er)),
                  envelope.permittivityPercent)
            << "W/h " << u << ", er " << er;
      }
    }
  }
}

}  // namespace
}  // namespace mq
