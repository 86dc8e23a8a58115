// SPDX-License-Identifier: MIT
// The single-line closed forms of published/ (coated and embedded microstrip, offset stripline,
// coplanar waveguide with and without a lower plane) and Cohn's broadside-coupled strips, against
// figures worked apart from the code and the exact limits each must reach.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "published/broadside_stripline.h"
#include "published/coated_microstrip.h"
#include "published/coplanar_waveguide.h"
#include "published/embedded_microstrip.h"
#include "published/offset_stripline.h"
#include "published/reference_lines.h"

namespace mq {
namespace {

namespace ref = reference;
using ref::kEta0;

struct Row {
  const char* name;
  double value;
  double expected;
  double tolerance;  // relative
};

void ExpectRows(std::initializer_list<Row> rows) {
  for (const Row& row : rows) {
    EXPECT_NEAR(row.value / row.expected, 1.0, row.tolerance) << row.name;
  }
}

// K(k')/K(k) by the standard library's elliptic integral, apart from the AGM the forms use.
double AirRatio(double k) {
  return std::comp_ellint_1(std::sqrt(1 - k * k)) / std::comp_ellint_1(k);
}

ref::CoplanarGeometry Alumina() {
  return {.width = 0.5, .gap = 0.2, .height = 0.635, .permittivity = 9.8};
}

// Worked figures: the forms of each header written again in Python with mpmath at 30 digits
// (mpmath's ellipk for K, a bisection in k itself for Cohn's modulus), eta0 376.730313668 ohm.
TEST(PublishedLines, AgreeWithWorkedFigures) {
  ref::CoplanarGeometry thick = Alumina(), finite = Alumina();
  thick.thickness = 0.005;
  finite.groundWidth = 1;
  const ref::CoplanarGeometry fr4{
      .width = 1, .gap = 0.25, .height = 1.6, .thickness = 0.035, .permittivity = 4.4};
  const auto cpw = ref::CoplanarWaveguide(Alumina());
  const auto cpwThick = ref::CoplanarWaveguide(thick);
  const auto cpwFinite = ref::CoplanarWaveguide(finite);
  const auto gcpw = ref::GroundedCoplanarWaveguide(Alumina());
  const auto gcpwThick = ref::GroundedCoplanarWaveguide(fr4);
  const auto air = ref::BroadsideCoupledStripline(1, 0.2, 1, 1);
  const auto narrow = ref::BroadsideCoupledStripline(0.5, 0.1, 1, 2.2);
  const auto wide = ref::BroadsideCoupledStripline(2, 0.5, 1, 4);
  const auto offset = ref::OffsetStripline(0.3, 0.2, 0.4, 0.035, 4.2);
  const auto buried = ref::EmbeddedMicrostrip(0.25, 0.2, 0.035, 0.1, 4.2);
  const double maskRise = ref::CoatedMicrostrip(2, 1, 0, 4.4, 0.02, 3.5).permittivity -
                          ref::MicrostripEffectivePermittivity(2, 1, 4.4);
  ExpectRows({
      {"CPW W .5 g .2 on alumina .635: Z0", cpw.impedance, 50.259026, 1e-7},
      {"CPW W .5 g .2 on alumina .635: eeff", cpw.permittivity, 5.0570133, 1e-7},
      {"the same, t .005 (Gupta et al.): Z0", cpwThick.impedance, 49.034880, 1e-7},
      {"the same, t .005 (Gupta et al.): eeff", cpwThick.permittivity, 4.9735666, 1e-7},
      {"the same, grounds 1 wide: Z0", cpwFinite.impedance, 50.960037, 1e-7},
      {"the same, grounds 1 wide: eeff", cpwFinite.permittivity, 5.1436403, 1e-7},
      {"grounded CPW on alumina: Z0", gcpw.impedance, 43.625171, 1e-7},
      {"grounded CPW on alumina: eeff", gcpw.permittivity, 5.7333768, 1e-7},
      {"grounded CPW W 1 g .25 on FR4 1.6, t .035: Z0", gcpwThick.impedance, 56.110593, 1e-7},
      {"grounded CPW W 1 g .25 on FR4 1.6, t .035: eeff", gcpwThick.permittivity, 2.4819886, 1e-7},
      {"broadside W/b 1, s/b .2 in air: Z0e", air.even, 99.645382, 1e-7},
      {"broadside W/b 1, s/b .2 in air: Z0o", air.odd, 25.997668, 1e-7},
      {"broadside W/b .5, s/b .1, er 2.2: Z0e", narrow.even, 114.40820, 1e-7},
      {"broadside W/b .5, s/b .1, er 2.2: Z0o", narrow.odd, 18.956249, 1e-7},
      {"broadside W/b 2, s/b .5, er 4 (k = 1 - 1.7e-6): Z0e", wide.even, 19.289659, 1e-7},
      {"broadside W/b 2, s/b .5, er 4 (k = 1 - 1.7e-6): Z0o", wide.odd, 10.603110, 1e-7},
      {"offset W .3, .2 below, .4 above, t .035, er 4.2: Z0", offset.impedance, 41.960493, 1e-7},
      {"embedded W .25 h .2 t .035 under .1, er 4.2: Z0", buried.impedance, 49.485553, 1e-7},
      {"embedded W .25 h .2 t .035 under .1, er 4.2: er'", buried.permittivity, 3.8868790, 1e-7},
      // s = 0.029963367 of the 1 - q1 = 0.29685795 above a W/h 2 strip, times er_m - 1 = 2.5.
      {"mask .02 h of er 3.5 on W/h 2, er 4.4: rise of eeff", maskRise, 0.022237159, 1e-7},
  });
}

// In air, or with the substrate's lower face infinitely far, the partial capacitances leave
// Wen's CPW: Z0 = (eta0/4) K(k')/K(k), k = W/(W + 2g), with eeff 1 or (er + 1)/2. At
// k = 1/sqrt(2) K(k') = K(k), so Z0 is eta0/4 exactly. A lower plane infinitely far leaves
// the unbacked line; grounds wide enough are infinite ones; a thickness that tends to 0 leaves
// the thin strip.
TEST(PublishedLines, CoplanarReachesItsLimits) {
  const double g = (std::numbers::sqrt2 - 1) / 2;  // W 1: k = 1/sqrt(2)
  const auto inAir = ref::CoplanarWaveguide({.width = 1, .gap = g, .height = 1, .permittivity = 1});
  const auto deep =
      ref::CoplanarWaveguide({.width = 1, .gap = 0.5, .height = 1e5, .permittivity = 9.8});
  const auto deepBacked =
      ref::GroundedCoplanarWaveguide({.width = 1, .gap = 0.5, .height = 1e5, .permittivity = 9.8});
  ref::CoplanarGeometry wideGrounds = Alumina(), thin = Alumina();
  wideGrounds.groundWidth = 1e7;
  thin.thickness = 1e-10;
  const auto cpw = ref::CoplanarWaveguide(Alumina());
  ExpectRows({
      {"in air, k = 1/sqrt(2): Z0 = eta0/4", inAir.impedance, kEta0 / 4, 1e-12},
      {"in air: eeff 1", inAir.permittivity, 1, 1e-15},
      {"h -> infinity: eeff (er + 1)/2", deep.permittivity, 5.4, 1e-9},
      {"h -> infinity, k = .5: Z0", deep.impedance, kEta0 / 4 * AirRatio(0.5) / std::sqrt(5.4),
       1e-9},
      {"grounded, plane infinitely far: Z0", deepBacked.impedance, deep.impedance, 1e-8},
      {"grounded, plane infinitely far: eeff", deepBacked.permittivity, deep.permittivity, 1e-8},
      {"grounds 1e7 wide: Z0 as infinite", ref::CoplanarWaveguide(wideGrounds).impedance,
       cpw.impedance, 1e-9},
      {"t -> 0: Z0 as the thin strip", ref::CoplanarWaveguide(thin).impedance, cpw.impedance, 1e-6},
  });
  EXPECT_TRUE(
      std::isnan(ref::CoplanarWaveguide(
                     {.width = 1, .gap = 0.01, .height = 1, .thickness = 0.01, .permittivity = 4})
                     .impedance))
      << "a widening past the gap closes it";
}

// Centred, the offset stripline is Cohn's thick stripline exactly, and it is the same strip
// seen from either plane. The embedded strip under a thick cover lies wholly in the dielectric:
// er' -> er.
TEST(PublishedLines, OffsetStriplineAndEmbeddedMicrostripReachTheirLimits) {
  const double centred = ref::StriplineThickImpedance(0.5, 1.035, 0.035, 3.5);
  EXPECT_DOUBLE_EQ(ref::OffsetStripline(0.5, 0.5, 0.5, 0.035, 3.5).impedance, centred);
  EXPECT_DOUBLE_EQ(ref::OffsetStripline(0.3, 0.2, 0.4, 0.035, 4.2).impedance,
                   ref::OffsetStripline(0.3, 0.4, 0.2, 0.035, 4.2).impedance);
  EXPECT_TRUE(ref::OffsetStriplineWithinStatedRange(0.3, 0.2, 0.4));    // 0.3 / 0.8 = 0.375
  EXPECT_FALSE(ref::OffsetStriplineWithinStatedRange(0.25, 0.2, 0.4));  // 0.3125
  EXPECT_NEAR(ref::EmbeddedMicrostrip(0.25, 0.2, 0.035, 4, 4.2).permittivity, 4.2, 1e-12);
  // Wider than 0.8 W + t = 5.98 h the form's logarithm is negative: no figure, never a negative
  // impedance.
  EXPECT_TRUE(std::isnan(ref::EmbeddedMicrostrip(10, 1, 0.05, 0.5, 4.3).impedance));
}

// A mask of permittivity 1 or of no thickness leaves Hammerstad and Jensen's thick microstrip;
// any mask leaves the air line, so Z0 sqrt(eeff) stays; a thick mask of the substrate's own
// permittivity puts the strip nearly wholly in it (within the 1.4 % by which the two filling
// factors differ at W/h 2 on 4.4).
TEST(PublishedLines, CoatedMicrostripReachesItsLimits) {
  const double w = 2, h = 1, t = 0.035, er = 4.4;
  const double plainZ = ref::MicrostripThickImpedance(w, h, t, er);
  const double plainE = ref::MicrostripThickEffectivePermittivity(w, h, t, er);
  const auto unity = ref::CoatedMicrostrip(w, h, t, er, 0.05, 1);
  const auto bare = ref::CoatedMicrostrip(w, h, t, er, 0, 3.5);
  const auto coated = ref::CoatedMicrostrip(w, h, t, er, 0.05, 3.5);
  EXPECT_DOUBLE_EQ(unity.impedance, plainZ);
  EXPECT_DOUBLE_EQ(unity.permittivity, plainE);
  EXPECT_DOUBLE_EQ(bare.impedance, plainZ);
  EXPECT_DOUBLE_EQ(bare.permittivity, plainE);
  EXPECT_NEAR(coated.impedance * std::sqrt(coated.permittivity), plainZ * std::sqrt(plainE),
              1e-12 * plainZ);
  EXPECT_LT(coated.impedance, plainZ);
  EXPECT_NEAR(ref::CoatedMicrostrip(w, h, 0, er, 1e3, er).permittivity / er, 1, 0.015);
}

// As s -> 0 the two strips are one centred strip carrying the pair's charge: the even mode is
// twice Cohn's 1954 stripline (published/reference_lines.h), to first order in s/b. Outside
// 0 < s < b there is no pair.
TEST(PublishedLines, BroadsideTouchingStripsAreOneStripline) {
  for (const double w : {0.2, 1.0, 4.0}) {
    EXPECT_NEAR(ref::BroadsideCoupledStripline(w, 1e-7, 1, 2.2).even /
                    (2 * ref::StriplineImpedance(w, 1, 2.2)),
                1, 1e-5)
        << "W/b " << w;
  }
  // No strip, strips touching, and strips as far apart as the planes or farther: no pair.
  for (const auto& [w, s] : {std::pair{0.0, 0.5}, {1.0, 0.0}, {1.0, 1.0}, {1.0, 1.5}}) {
    const auto none = ref::BroadsideCoupledStripline(w, s, 1, 1);
    EXPECT_TRUE(std::isnan(none.even) && std::isnan(none.odd)) << "W " << w << ", s " << s;
  }
}

}  // namespace
}  // namespace mq
