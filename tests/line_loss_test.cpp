// SPDX-License-Identifier: MIT
// A line's loss from its field solution against exact forms (the coaxial line's conductor and
// dielectric loss, any line in one dielectric), its going over to the DC resistance, and the
// pair's modes against the single line far apart.
#include "model/line_loss.h"
#include "model/loss_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "published/exact_constants.h"

namespace mq {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCopper = 5.8e7;  // S/m

MaterialsAt Materials(const LossBasis& basis, double frequency, double lossTangent) {
  MaterialsAt at;
  at.frequency = frequency;
  at.conductivity = kCopper;
  at.dk = basis.permittivities;
  at.df.assign(basis.permittivities.size(), lossTangent);
  return at;
}

LineInputs Line(LineStructure structure, double w, double h, double t, double er) {
  LineInputs in;
  in.structure = structure;
  in.width = w, in.height = h, in.thickness = t, in.permittivity = er;
  in.spacing = 0.2, in.gap = 0.2;
  return in;
}

LossBasis Basis(const LineInputs& in) {
  return SolveLossBasis(in, SolveLineInputs(in));
}

// The coaxial line, a = 0.5 mm, b = 1.75 mm, er 2.1, copper at 1 GHz: alpha_c = Rs (1/a + 1/b) /
// (2 eta ln(b/a)), Rs = sqrt(pi f mu0 / sigma), eta = eta0 / sqrt(er) (Pozar, Microwave
// Engineering, 4th ed., example 2.6); alpha_d = pi f sqrt(er) tan delta / c0 (ibid., eq. 3.30).
TEST(LineLoss, CoaxMatchesTheExactForms) {
  const double f = 1e9, er = 2.1, a = 0.5e-3, b = 1.75e-3, tanDelta = 4e-4;
  const LossBasis basis = SolveCoaxLossBasis(1, 3.5, er);
  ASSERT_EQ(basis.reason, "");
  const ModeLoss loss = LossAt(basis.single, basis, Materials(basis, f, tanDelta));
  const double rs = std::sqrt(kPi * f * exact::kMu0 / kCopper);
  const double eta = exact::kEta0 / std::sqrt(er);
  EXPECT_NEAR(loss.conductor / (rs * (1 / a + 1 / b) / (2 * eta * std::log(b / a))), 1, 1e-3);
  EXPECT_NEAR(loss.dielectric / (kPi * f * std::sqrt(er) * tanDelta / exact::kSpeedOfLight), 1,
              1e-6);
  // At 10 Hz the skin depth is 20 mm: the inner conductor's DC resistance 1/(sigma pi a^2) alone
  // (the outer one's return path taken as wide).
  const double dc = 1 / (kCopper * kPi * a * a) / (2 * loss.impedance);
  EXPECT_NEAR(LossAt(basis.single, basis, Materials(basis, 10, 0)).conductor / dc, 1, 1e-3);
}

// Wheeler's rule worked by the second route: the air line's C0/eps0 as typed and with every
// surface receded by half the skin depth of copper at 10 GHz (0.33043 um: W and t 0.00066085 mm
// less, the planes' distances as much more), tools/second_route's extrapolated figures,
//   second_route microstrip 0.3 0.2 0.035 1 -> 3.901731622739
//   second_route microstrip 0.29933914507 0.20066085493 0.03433914507 1 -> 3.887048111412
//   second_route stripline 0.5 1 0.035 1 -> 4.059427615706
//   second_route stripline 0.49933914507 1.00066085493 0.03433914507 1 -> 4.049966020049
//   second_route cpw 0.5 0.2 0.5 0.035 1 -> 3.755407881578
//   second_route cpw 0.49933914507 0.20066085493 0.5 0.03433914507 1 -> 3.742778503011
// (the coplanar line's gaps wider by as much; in air its substrate is nothing)
// so dZ0air = eta0 (1/C0' - 1/C0) and the series resistance R = 2 pi f / c0 dZ0air; the loss is
// R over 2 Z0 within 1 % (the solver takes the rule's derivative, the route its finite step:
// they part by the curvature over half a skin depth, 0.1-0.2 % here).
struct Wheeler {
  const char* name;
  LineInputs line;
  double airBefore, airReceded;  // C0 / eps0
};

class WheelersRule : public testing::TestWithParam<Wheeler> {};

TEST_P(WheelersRule, MatchesTheSecondRoute) {
  const Wheeler& row = GetParam();
  const double f = 1e10;
  const LossBasis basis = Basis(row.line);
  ASSERT_EQ(basis.reason, "");
  const ModeLoss loss = LossAt(basis.single, basis, Materials(basis, f, 0));
  const double delta = exact::kEta0 * (1 / row.airReceded - 1 / row.airBefore);
  const double resistance = 2 * kPi * f / exact::kSpeedOfLight * delta;
  EXPECT_NEAR(loss.conductor / (resistance / (2 * loss.impedance)), 1, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    LineLoss, WheelersRule,
    testing::Values(Wheeler{"Microstrip", Line(LineStructure::kMicrostrip, 0.3, 0.2, 0.035, 4.3),
                            3.901731622739, 3.887048111412},
                    Wheeler{"Stripline", Line(LineStructure::kStripline, 0.5, 1, 0.035, 4.3),
                            4.059427615706, 4.049966020049},
                    Wheeler{"Coplanar", Line(LineStructure::kCoplanar, 0.5, 0.5, 0.035, 4.3),
                            3.755407881578, 3.742778503011}),
    [](const auto& info) { return std::string(info.param.name); });

// In one dielectric eeff'' = er tan delta exactly: alpha_d = pi f sqrt(er) tan delta / c0 to
// 1e-6, whatever the conductors.
class LossInOneDielectric : public testing::TestWithParam<LineInputs> {};

TEST_P(LossInOneDielectric, IsTheExactDielectricLoss) {
  const LineInputs& in = GetParam();
  const LossBasis basis = Basis(in);
  ASSERT_EQ(basis.reason, "");
  const double f = 3e9, tanDelta = 0.002;
  const ModeLoss loss =
      LossAt(IsPair(in.structure) ? basis.odd : basis.single, basis, Materials(basis, f, tanDelta));
  EXPECT_NEAR(
      loss.dielectric / (kPi * f * std::sqrt(in.permittivity) * tanDelta / exact::kSpeedOfLight), 1,
      1e-6);
}

INSTANTIATE_TEST_SUITE_P(LineLoss, LossInOneDielectric,
                         testing::Values(Line(LineStructure::kStripline, 0.5, 1, 0.035, 4.3),
                                         Line(LineStructure::kStriplinePair, 0.3, 1, 0.035, 3.5),
                                         Line(LineStructure::kBroadsidePair, 0.5, 0.3, 0.035,
                                              2.2)));

// Copper a tenth of a skin depth thick carries the current through its whole section: the loss
// is the DC resistance 1/(sigma W t) over 2 Z0 (at 1 MHz, 35 um of copper is a 2.2nd of its
// skin depth, 66 um); from there it rises with frequency, never falling, and at 10 GHz it is
// Wheeler's within a part in 1e4.
TEST(LineLoss, GoesOverToTheDcResistance) {
  const LineInputs in = Line(LineStructure::kMicrostrip, 0.3, 0.2, 0.002, 4.3);
  const LossBasis basis = Basis(in);
  ASSERT_EQ(basis.reason, "");
  const double dc = 1 / (kCopper * 0.3e-3 * 0.002e-3) / (2 * basis.single.impedance);
  EXPECT_NEAR(LossAt(basis.single, basis, Materials(basis, 1e3, 0)).conductor / dc, 1, 1e-3);
  double last = 0;
  for (double f = 1e3; f <= 1e11; f *= 1.5) {
    const double conductor = LossAt(basis.single, basis, Materials(basis, f, 0)).conductor;
    EXPECT_GT(conductor, last) << f;
    last = conductor;
  }
}

// A pair far apart is two single lines: each mode's loss the single line's, the mask's share
// with the substrate's.
TEST(LineLoss, PairFarApartIsTheSingleLine) {
  LineInputs line = Line(LineStructure::kCoatedMicrostrip, 0.3, 0.2, 0.035, 4.3);
  line.maskThickness = 0.02, line.maskPermittivity = 3.5;
  LineInputs pair = line;
  pair.structure = LineStructure::kCoatedMicrostripPair;
  pair.spacing = 20;
  const LossBasis paired = Basis(pair);
  const LossBasis single = Basis(line);
  ASSERT_EQ(paired.reason, "");
  MaterialsAt at = Materials(single, 5e9, 0.02);
  at.df.back() = 0.03;
  const ModeLoss alone = LossAt(single.single, single, at);
  for (const ModeLossBasis* mode : {&paired.even, &paired.odd}) {
    const ModeLoss loss = LossAt(*mode, paired, at);
    EXPECT_NEAR(loss.conductor / alone.conductor, 1, 1e-3);
    EXPECT_NEAR(loss.dielectric / alone.dielectric, 1, 1e-3);
  }
}

// A strip near its planes is receded and advanced within them: t/b 0.795 (the solver takes up
// to 0.8), and an offset strip half a micrometre under its upper plane.
TEST(LineLoss, SolvesStripsCloseToTheirPlanes) {
  LineInputs offset = Line(LineStructure::kOffsetStripline, 0.3, 0.2, 0.035, 4.3);
  offset.heightAbove = 0.0005;
  for (const LineInputs& in : {Line(LineStructure::kStripline, 0.5, 0.2, 0.159, 4.3), offset}) {
    EXPECT_EQ(Basis(in).reason, "");
  }
}

// Loss inputs a person may mistype: each named, and a roughness height that its model does not
// read is no fault.
TEST(LineLoss, NamesBadLossInputs) {
  const auto with = [](auto change) {
    LossInputs in;
    change(in);
    return InvalidLossInput(in);
  };
  EXPECT_NE(with([](LossInputs& in) { in.conductivity = -1; }), "");
  EXPECT_NE(with([](LossInputs& in) { in.maskLossTangent = -0.01; }), "");
  EXPECT_NE(with([](LossInputs& in) {
              in.roughness = RoughnessModel::kHammerstad, in.roughnessRms = -1;
            }),
            "");
  EXPECT_NE(
      with([](LossInputs& in) { in.roughness = RoughnessModel::kGroisse, in.roughnessRms = NAN; }),
      "");
  EXPECT_NE(
      with([](LossInputs& in) { in.roughness = RoughnessModel::kHuray, in.noduleRadius = 0; }), "");
  EXPECT_EQ(with([](LossInputs& in) { in.roughnessRms = -1; }), "");
}

// The field solution's conductor loss needs the copper; of the pages' forms beside it, the
// microstrip's (Rs / (Z0 W)) does not, the stripline's does.
TEST(LineLoss, NeedsTheCoppersThickness) {
  const LineInputs flat = Line(LineStructure::kMicrostrip, 0.3, 0.2, 0, 4.3);
  EXPECT_NE(Basis(flat).reason, "");
  EXPECT_TRUE(std::isfinite(PublishedLossOf(flat, LossInputs{}, 1e9).conductor));
  EXPECT_NE(
      PublishedLossOf(Line(LineStructure::kStripline, 0.3, 1, 0, 4.3), LossInputs{}, 1e9).note, "");
}

}  // namespace
}  // namespace mq
