// SPDX-License-Identifier: MIT
// The one root finder: functions whose roots and ends are known in closed form, a start at the
// wrong end, a jump across the target, a stop raised part way; and the field solver's width
// found from either end of its range.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>

#include "published/root_finder.h"
#include "solver/field_solver.h"

namespace mq {
namespace {

using Outcome = roots::Root::Outcome;

roots::Miss Exactly(double value) {
  return {value, 1e-12};
}

// Each row's root (or end) worked by hand: ln x - ln 2 is 0 at ln 2; the cube x^3 - 0.001 at 0.1;
// tanh(x - 3) + 0.5 at 3 - atanh(0.5) = 2.4506939; a target beyond an end gives that end and the
// miss there.
TEST(RootFinder, FindsWhatTheRangeReachesAndNamesTheEndItDoesNot) {
  const auto log2 = [](double x) { return Exactly(x - std::log(2.0)); };
  const auto cube = [](double x) { return Exactly(x * x * x - 0.001); };
  const auto tanh = [](double x) { return Exactly(-std::tanh(x - 3) - 0.5); };
  const auto jump = [](double x) { return Exactly(x < 0.3 ? -1 : 1); };
  const auto gone = [](double x) { return Exactly(x < 0.5 ? x - 0.8 : NAN); };
  // clang-format off
  const struct {
    const char* name;
    std::function<roots::Miss(double)> function;
    roots::Range range;
    Outcome outcome;
    double x, miss;  // NaN where none
  } rows[] = {
      {"ln 2 from the middle", log2, {-5, 5, NAN, true}, Outcome::kFound, std::log(2.0), 0},
      {"ln 2 from the wrong end", log2, {-5, 5, -5, true}, Outcome::kFound, std::log(2.0), 0},
      {"cube from far above", cube, {-9, 9, 9, true}, Outcome::kFound, 0.1, 0},
      {"falling tanh from the low end", tanh, {0, 9, 0, false}, Outcome::kFound, 2.4506939, 0},
      {"ln 2 past the high end", log2, {-5, 0.5, -5, true}, Outcome::kBeyondHighest, 0.5, 0.5 - std::log(2.0)},
      {"ln 2 past the low end", log2, {1, 5, 5, true}, Outcome::kBeyondLowest, 1, 1 - std::log(2.0)},
      {"a jump across the target", jump, {0, 1, 0, true}, Outcome::kUnsettled, 0.3, NAN},
      {"no figure on the way", gone, {0, 1, 0, true}, Outcome::kNoFigure, NAN, NAN},
  };
  // clang-format on
  for (const auto& row : rows) {
    const roots::Root root = roots::FindRoot(row.function, row.range);
    EXPECT_EQ(root.outcome, row.outcome) << row.name;
    if (!std::isnan(row.x)) {
      EXPECT_NEAR(root.x, row.x, 1e-7) << row.name;
    }
    if (!std::isnan(row.miss)) {
      EXPECT_NEAR(root.miss, row.miss, 1e-7) << row.name;
    }
  }
}

// A stop raised by the third evaluation ends the search there, with no figure.
TEST(RootFinder, StopsWhenAsked) {
  std::atomic<bool> stop{false};
  int evaluations = 0;
  const auto miss = [&](double x) {
    stop = ++evaluations == 3;
    return Exactly(x - 4);
  };
  const roots::Root root = roots::FindRoot(miss, {-5, 5, -5, true}, &stop);
  EXPECT_EQ(root.outcome, Outcome::kStopped);
  EXPECT_TRUE(std::isnan(root.x));
  EXPECT_EQ(evaluations, 3);
}

// The solver's 50 ohm strip on er 4.3 (W/h near 1.9), sought on ln W against ln Z0 from either
// end of its range: solved again there it gives 50 ohm within its own estimate.
TEST(RootFinder, FindsTheSolversWidthFromEitherEnd) {
  for (const double start : {std::log(0.01), std::log(100.0)}) {
    int evaluations = 0;
    const auto miss = [&](double lnW) {
      ++evaluations;
      const auto answer = field_solver::SolveMicrostrip(std::exp(lnW), 1, 0, 4.3);
      return roots::Miss{std::log(answer.impedance / 50), answer.estimate};
    };
    const roots::Root root = roots::FindRoot(miss, {std::log(0.01), std::log(100.0), start});
    ASSERT_EQ(root.outcome, Outcome::kFound) << start;
    const auto back = field_solver::SolveMicrostrip(std::exp(root.x), 1, 0, 4.3);
    EXPECT_NEAR(back.impedance / 50, 1, back.estimate) << start;
    EXPECT_LE(evaluations, 20) << start;  // doubling steps cross the range in a few
  }
}

}  // namespace
}  // namespace mq
