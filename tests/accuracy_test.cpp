// SPDX-License-Identifier: MIT
// Each closed form stays within the error envelope measured against its reference solution
// (docs/accuracy.md); a model that drifts fails here. The references themselves are checked
// against worked values in cross_check_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "model/coax.h"
#include "model/microstrip.h"
#include "model/stripline.h"
#include "published/reference_lines.h"

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

// Coax within 0.002 % of exact over D/d 1.05-20, stripline within 1.5 % over W/b 0.05-10.
TEST(Accuracy, CoaxAndStriplineWithinTheirEnvelopes) {
  using Impedance = double (*)(double ratio, double er);
  const std::tuple<const char*, Impedance, Impedance, double, double, double> envelopes[] = {
      {"D/d", [](double x, double er) { return coax::CharacteristicImpedance(1, x, er); },
       [](double x, double er) { return reference::CoaxImpedance(1, x, er); }, 1.05, 20, 0.002},
      {"W/b", [](double x, double er) { return stripline::CharacteristicImpedance(x, 1, er); },
       [](double x, double er) { return reference::StriplineImpedance(x, 1, er); }, 0.05, 10, 1.5}};
  for (const auto& [ratioName, model, exact, from, to, percent] : envelopes) {
    for (const double er : kPermittivities) {
      for (const double ratio : Ratios(from, to)) {
        EXPECT_LT(PercentError(model(ratio, er), exact(ratio, er)), percent)
            << ratioName << " " << ratio << ", er " << er;
      }
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
