// SPDX-License-Identifier: MIT
// Number texts: the reading grammar and the three result patterns. Expected texts follow the
// patterns "#.0000", "#.00" and "#.00e+" as written (no leading zero). A value halfway between
// two texts rounds to the even last digit only when the double is exactly that tie (0.125); most
// decimal halves are not ties in binary and round to the nearer text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/field_set.h"

namespace mq {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberText, ReadsTheLongestNumberAtTheStart) {
  struct Row {
    const char* text;
    double value;
  };
  // clang-format off
  const Row rows[] = {
    {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"-.", 0}, {"e5", 0}, {"+-3", 0}, {"- 3", 0},
    {"1.6 mm", 1.6}, {".25", 0.25}, {"-.25", -0.25}, {"5.", 5}, {"1.2.3", 1.2},
    {"1,6", 1},                             // an unnormalised comma ends the number
    {"5.81e+7", 58100000}, {"2E-3x", 0.002}, {"1e", 1}, {"1e+", 1},
    {"2x4", 2},                             // only e and digits extend a number
    {"  42", 42}, {"\t+7.5", 7.5},          // leading blanks and a "+" are accepted
    {"1e400", kInf}, {"-1e+400", -kInf},    // beyond a double: infinity, never an error
    {"1e-999", 0}, {"0e999999999999999999999", 0},
    {"inf", 0}, {"nan", 0}, {"0x1p3", 0},   // no C spellings
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(ParseLeadingNumber(row.text), row.value) << row.text;
  }
  EXPECT_EQ(ParseLeadingNumber(std::string(500, '9')), kInf);
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1e50"), 0.0);
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(300, '0') + "1e700"), kInf);
}

TEST(NumberText, ResultPatterns) {
  struct Row {
    double value;
    Pattern pattern;
    const char* text;
  };
  constexpr auto k4 = Pattern::kFourDecimals;
  constexpr auto k2 = Pattern::kTwoDecimals;
  constexpr auto kE = Pattern::kScientific;
  // clang-format off
  const Row rows[] = {
    {0.5, k4, ".5000"}, {0, k4, ".0000"}, {6.2047112, k4, "6.2047"}, {-0.25, k4, "-.2500"},
    {0.125, k2, ".12"},  // an exact tie: to the even digit
    {49.8065866, k2, "49.81"}, {0.999, k2, "1.00"}, {0.004, k2, ".00"}, {-1234.5, k2, "-1234.50"},
    {58130000, kE, "5.81e+7"}, {14490000, kE, "1.45e+7"}, {40980000, kE, "4.10e+7"},
    {38160000, kE, "3.82e+7"}, {0.00123, kE, "1.23e-3"}, {99960000, kE, "1.00e+8"},
    {-58130000, kE, "-5.81e+7"}, {0, kE, "0.00e+0"}, {1.5e-300, kE, "1.50e-300"},
    {-0.00004, k4, ".0000"}, {-0.004, k2, ".00"}, {-0.0, kE, "0.00e+0"}, {-0.006, k2, "-.01"},
    {kInf, k4, "inf"}, {-kInf, k2, "-inf"}, {std::nan(""), kE, "nan"}, {-std::nan(""), k4, "nan"},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(FormatWithPattern(row.value, row.pattern), row.text) << row.value;
  }
  const std::string largest = FormatWithPattern(std::numeric_limits<double>::max(), k4);
  EXPECT_EQ(largest.size(), 309u + 5u);
  EXPECT_EQ(ParseLeadingNumber(largest), std::numeric_limits<double>::max());
}

}  // namespace
}  // namespace mq
