// SPDX-License-Identifier: MIT
// Differential pairs: the field solver's modes against exact and independent figures, its
// estimate against its real error, the published models against it, and the synthesis.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>

#include "model/figure_words.h"
#include "model/pair.h"
#include "published/coupled_stripline.h"

namespace mq {
namespace {

namespace fs = field_solver;

struct Known {
  const char* name;
  fs::PairAnswer pair;
  double even, odd;                          // ohm
  double evenPermittivity, oddPermittivity;  // 0 where the reference gives none
  double tolerance;                          // relative
};

// Each mode within the tolerance, and within the solver's own estimate of its error.
void ExpectMatches(const Known& row) {
  ASSERT_EQ(row.pair.reason, "") << row.name;
  const auto expect = [&](const fs::Answer& mode, double impedance, double permittivity,
                          const char* which) {
    const double error = std::fabs(mode.impedance / impedance - 1);
    EXPECT_LT(error, row.tolerance) << row.name << ' ' << which;
    EXPECT_LE(error, mode.estimate) << row.name << ' ' << which;
    if (permittivity > 0) {
      EXPECT_NEAR(mode.permittivity / permittivity, 1, std::max(row.tolerance, 2 * mode.estimate))
          << row.name << ' ' << which;
    }
  };
  expect(row.pair.even, row.even, row.evenPermittivity, "even");
  expect(row.pair.odd, row.odd, row.oddPermittivity, "odd");
}

// Cohn's zero-thickness pair is exact (elliptic integrals by the AGM in
// published/coupled_stripline.cpp, a route apart from the solver's): 0.001 % over W/b and s/b
// 0.05-5. Its W/b 1, s/b 0.5 case the finite-volume second route (tools/second_route
// stripline 1 1 0 1 --spacing 0.5) gives as 68.195871 and 62.157127 ohm.
TEST(Pair, StriplineMeetsCohnsExactForms) {
  for (const double w : {0.05, 1.0, 5.0}) {
    for (const double s : {0.05, 0.3, 5.0}) {
      const auto cohn = reference::CoupledStripline(w, s, 1, 2.2);
      ExpectMatches(
          {"Cohn", fs::SolveStriplinePair(w, s, 1, 0, 2.2), cohn.even, cohn.odd, 2.2, 2.2, 1e-5});
    }
  }
  ExpectMatches(
      {"second route", fs::SolveStriplinePair(1, 0.5, 1, 0, 1), 68.195871, 62.157127, 1, 1, 1e-5});
}

// The coupling's error bar covers its real error against Cohn's exact k, and is no looser than
// propagation allows: 4 Ze Zo / (Ze + Zo)^2 <= 1, so dk/k <= e / k.
TEST(Pair, CouplingsErrorBarCoversAndIsTight) {
  for (const double s : {0.05, 0.5, 3.0}) {
    const PairInputs in{PairStructure::kStripline, 1, s, 1, 0, 2.2, 0};
    const auto solved = SolvePairOf(in);
    const PairRow k = CheckPair(in, &solved).rows[6];
    const auto cohn = reference::CoupledStripline(1, s, 1, 2.2);
    const double exact = (cohn.even - cohn.odd) / (cohn.even + cohn.odd);
    ASSERT_EQ(k.quantity, "Coupling k");
    EXPECT_LE(std::fabs(k.solver / exact - 1), k.estimate) << "s/b " << s;
    EXPECT_LE(k.estimate, std::max(solved.even.estimate, solved.odd.estimate) / exact)
        << "s/b " << s;
  }
}

// The microstrip pair against the finite-volume second route (tools/second_route microstrip
// W h t er --spacing s, run once, extrapolated to 1e-7), to 0.01 %; in air both permittivities
// are 1; 99 heights apart each mode is within 0.05 % of the single strip.
TEST(Pair, MicrostripMeetsTheSecondRouteAndItsLimits) {
  ExpectMatches({"W/h 1, s/h 1, er 4.3", fs::SolveMicrostripPair(1, 1, 1, 0, 4.3), 81.540520,
                 61.219388, 3.3219704, 2.8284395, 1e-4});
  ExpectMatches({"W/h 0.5, s/h 0.2, t/h 0.1, er 10", fs::SolveMicrostripPair(0.5, 0.2, 1, 0.1, 10),
                 86.552182, 32.811063, 6.4844003, 4.5400345, 1e-4});
  const auto air = fs::SolveMicrostripPair(0.3, 0.1, 1, 0.05, 1);
  EXPECT_DOUBLE_EQ(air.even.permittivity, 1);
  EXPECT_DOUBLE_EQ(air.odd.permittivity, 1);
  const double single = fs::SolveMicrostrip(1, 1, 0, 4.3).impedance;
  const auto far = fs::SolveMicrostripPair(1, 99, 1, 0, 4.3);
  EXPECT_NEAR(far.even.impedance / single, 1, 5e-4);
  EXPECT_NEAR(far.odd.impedance / single, 1, 5e-4);
}

// The widest strips couple the most (W/h 100, er 4.3): across s/h 100, where the pair once
// became the single line, and across the handover to it at s/h 1e4 each mode moves by less than
// its estimate. Far apart each mode is the single line within its estimate, and the pair says
// so; at s/h 100 it does not (the modes differ by 0.12 %, 50 times the estimate).
TEST(Pair, NoJumpAsThePairParts) {
  const auto pair = [](double s) { return fs::SolveMicrostripPair(100, s, 1, 0, 4.3); };
  const double single = fs::SolveMicrostrip(100, 1, 0, 4.3).impedance;
  const struct {
    const char* name;
    double nearer, farther;
  } steps[] = {{"across s/h 100", 99.9, 100.1}, {"across the handover", 9999, 10001}};
  for (const auto& row : steps) {
    const auto a = pair(row.nearer), b = pair(row.farther);
    EXPECT_NEAR(a.even.impedance / b.even.impedance, 1, a.even.estimate) << row.name;
    EXPECT_NEAR(a.odd.impedance / b.odd.impedance, 1, a.odd.estimate) << row.name;
  }
  for (const double s : {1e4, 1e6, 1e12}) {
    const auto apart = pair(s);
    EXPECT_TRUE(apart.uncoupled) << s;
    EXPECT_NEAR(apart.even.impedance / single, 1, apart.even.estimate) << s;
    EXPECT_NEAR(apart.odd.impedance / single, 1, apart.odd.estimate) << s;
  }
  EXPECT_FALSE(pair(100).uncoupled);
}

// Kirschning and Jansen state 0.6 % for their impedances inside their range; against the
// solver they keep to 1.3 % everywhere in it (docs/accuracy.md has the map), so a coefficient
// typed wrong shows. The rows are named in the pair's own words.
TEST(Pair, PublishedModelsStandBesideTheSolver) {
  for (const double er : {4.3, 10.0}) {
    for (const double u : {0.1, 1.0, 10.0}) {
      for (const double g : {0.1, 1.0, 10.0}) {
        const PairInputs in{PairStructure::kMicrostrip, u, g, 1, 0, er, 0};
        const auto solved = SolvePairOf(in);
        for (const PairRow& row : CheckPair(in, &solved).rows) {
          if (row.unit == "ohm") {
            EXPECT_NEAR(row.published / row.solver, 1, 0.013) << row.quantity << u << ' ' << g;
          }
        }
      }
    }
  }
  // Cohn's thick-strip pair by hand at W/b 1, s/b 0.5, t/b 0.05 in air: Cf = 2 ln(1.95/0.95) -
  // 0.05 ln(0.05 * 1.95 / 0.95^2) = 1.5495111, theta = pi/4, Ae = 1.7275234, Ao = 2.3362083.
  const auto cohn = reference::CoupledThickStripline(1, 0.5, 1, 0.05, 1);
  EXPECT_NEAR(cohn.even, 62.743095, 1e-5);
  EXPECT_NEAR(cohn.odd, 56.767528, 1e-5);
  const PairInputs thin{PairStructure::kStripline, 0.2, 0.2, 1, 0.05, 2.2, 0};
  const auto check = CheckPair(thin, nullptr);
  EXPECT_EQ(PairCells(check.rows[0])[1], "No published thick-strip form below W/b 0.35.");
  EXPECT_EQ(PairCells(check.rows[0])[2], "solving...");
  EXPECT_FALSE(check.limits[0].ok);
}

// A width and a spacing found for 100 ohm give 100 ohm back, checked at zero thickness by
// Cohn's exact forms.
TEST(Pair, FindsTheWidthAndSpacingForATarget) {
  const PairInputs stripline{PairStructure::kStripline, 0.2, 0.2, 0.5, 0, 3.5, 0};
  const auto width = FindPairWidth(stripline, 100);
  ASSERT_EQ(width.reason, "");
  EXPECT_NEAR(2 * reference::CoupledStripline(width.value, 0.2, 0.5, 3.5).odd, 100, 0.01);
  const auto spacing = FindPairSpacing(stripline, 100);
  ASSERT_EQ(spacing.reason, "");
  EXPECT_NEAR(2 * reference::CoupledStripline(0.2, spacing.value, 0.5, 3.5).odd, 100, 0.01);
}

// Solved again where the search landed, the pair gives the target within its own estimate.
// 97.9 ohm lies where Zdiff is nearly flat, between 97.94 at s/h 28 and 98.06 at s/h 100.
TEST(Pair, LandsWhereTheSolverMeetsTheTarget) {
  const PairInputs microstrip{PairStructure::kMicrostrip, 0.2, 0.2, 0.1, 0.035, 3.66, 0};
  const struct {
    const char* name;
    PairSynthesis found;
    double PairInputs::*unknown;
    double target;
  } rows[] = {
      {"spacing for 97.9 ohm", FindPairSpacing(microstrip, 97.9), &PairInputs::spacing, 97.9},
      {"width for 90 ohm", FindPairWidth(microstrip, 90), &PairInputs::width, 90},
  };
  for (const auto& row : rows) {
    ASSERT_EQ(row.found.reason, "") << row.name;
    PairInputs there = microstrip;
    there.*row.unknown = row.found.value;
    const fs::Answer odd = SolvePairOf(there).odd;
    EXPECT_NEAR(2 * odd.impedance / row.target, 1, odd.estimate) << row.name;
  }
}

// A target past an end of the range names that end and the pair's figure solved at it.
TEST(Pair, ATargetPastTheRangeNamesItsEndAndTheFigureThere) {
  const PairInputs microstrip{PairStructure::kMicrostrip, 0.2, 0.2, 0.1, 0.035, 3.66, 0};
  const auto at = [&](double PairInputs::*unknown, double ratio) {
    PairInputs end = microstrip;
    end.*unknown = ratio * microstrip.height;
    return Figure(2 * SolvePairOf(end).odd.impedance, 4);
  };
  double PairInputs::*const s = &PairInputs::spacing;
  double PairInputs::*const w = &PairInputs::width;
  // clang-format off
  const struct {
    const char* name;
    PairSynthesis found;
    std::string reason;
  } rows[] = {
      {"far apart", FindPairSpacing(microstrip, 400), "above the pair's " + at(s, 100) + " ohm at s/h 100"},
      {"close", FindPairSpacing(microstrip, 5), "below the pair's " + at(s, 0.01) + " ohm at s/h 0.01"},
      {"narrow", FindPairWidth(microstrip, 1000), "above the pair's " + at(w, 0.01) + " ohm at W/h 0.01"},
      {"wide", FindPairWidth(microstrip, 1), "below the pair's " + at(w, 100) + " ohm at W/h 100"},
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(row.found.reason, "The target lies " + row.reason + ", the end of the range.")
        << row.name;
    EXPECT_TRUE(std::isnan(row.found.value)) << row.name;
  }
}

// A raised stop flag: no figure, and the solver's word for why.
TEST(Pair, ASearchStopsWhenAsked) {
  const std::atomic<bool> stop{true};
  const PairInputs stripline{PairStructure::kStripline, 0.2, 0.2, 0.5, 0, 3.5, 0};
  for (const PairSynthesis& found :
       {FindPairWidth(stripline, 100, &stop), FindPairSpacing(stripline, 100, &stop)}) {
    EXPECT_EQ(found.reason, fs::kStopped);
    EXPECT_TRUE(std::isnan(found.value));
  }
}

// Bad input: a reason at once, no figure.
TEST(Pair, RefusesWhatItCannotSolve) {
  const struct {
    PairInputs in;
    const char* reason;
  } rows[] = {
      {{PairStructure::kMicrostrip, 0, 1, 1, 0, 4, 0}, "Width must be greater than zero."},
      {{PairStructure::kMicrostrip, 1, NAN, 1, 0, 4, 0}, "Spacing must be greater than zero."},
      {{PairStructure::kStripline, 1, 1, 1, 1, 4, 0}, "Thickness must be smaller than height."},
      {{PairStructure::kMicrostrip, 1, 1, 1, 0, 0.5, 0},
       "Dielectric constant must be at least 1 for the field solver."},
      {{PairStructure::kStripline, 1, 0.001, 1, 0, 4, 0},
       "s/b must be at least 0.01 for the field solver."},
  };
  for (const auto& row : rows) {
    const auto pair = SolvePairOf(row.in);
    EXPECT_EQ(pair.reason, row.reason);
    EXPECT_EQ(pair.odd.impedance, 0);
  }
}

}  // namespace
}  // namespace mq
