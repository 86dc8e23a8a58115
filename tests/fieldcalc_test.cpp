// SPDX-License-Identifier: MIT
// The command-line harness: what it prints for a run, and how it refuses bad input.
#include "tools/fieldcalc/fieldcalc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace mq {
namespace {

struct Run {
  int status;
  std::string out;
  std::string err;
};

Run RunWith(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunFieldCalc(args, in, out, err);
  return {status, out.str(), err.str()};
}

// Every field, one "Name=text" line each, sorted; CRLF and blank input lines are accepted.
TEST(FieldCalc, PrintsTheMessageThenEveryFieldSorted) {
  const auto run = RunWith({"DiPopup2_Change", "2"}, "ConField2=5.8e7\r\n\nWidthField=3\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Attenuation=");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 32);
  for (const char* line : {"\nDiConstField2=12.90\n", "\nConField2=5.8e7\n", "\nWidthField=3\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
  const auto failed = RunWith({"PhyToElBtn_Action"}, "WidthField=3\n");
  EXPECT_EQ(failed.out.substr(0, failed.out.find('\n')),
            "message: Height must be greater than zero.");
}

TEST(FieldCalc, RefusesBadArgumentsAndInput) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* input;
  };
  // clang-format off
  const Row rows[] = {
    {"no procedure", {}, ""},
    {"unknown procedure", {"PhyToElBtn4_Action"}, ""},
    {"button with a row", {"PhyToElBtn_Action", "1"}, ""},
    {"popup without a row", {"ConPopup_Change"}, ""},
    {"popup row with trailing text", {"ConPopup_Change", "1x"}, ""},
    {"line without =", {"PhyToElBtn_Action"}, "WidthField 3\n"},
    {"unknown field", {"PhyToElBtn_Action"}, "WidthField4=3\n"},
  };
  // clang-format on
  for (const Row& row : rows) {
    const auto run = RunWith(row.args, row.input);
    EXPECT_EQ(run.status, kFieldCalcUsageError) << row.name;
    EXPECT_FALSE(run.err.empty()) << row.name;
    EXPECT_TRUE(run.out.empty()) << row.name;
  }
}

}  // namespace
}  // namespace mq
