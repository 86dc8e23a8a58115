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

bool HasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(FieldCalc, PrintsEveryFieldSortedAfterTheResults) {
  const auto run = RunWith({"ElToPhyBtn3_Action"},
                           "OuterDiaField=2.95\r\nImpField3=50\nElLengthField3=90\n\n"
                           "FreqField3=1\nDiConstField3=2,25\nLossTanField3=0.0004\n"
                           "ConField3=58130000\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(HasLine(run.out, "InnerDiaField=.8445"));
  EXPECT_TRUE(HasLine(run.out, "PhyLengthField3=50.0000"));
  EXPECT_TRUE(HasLine(run.out, "Attenuation3=.4018"));
  EXPECT_TRUE(HasLine(run.out, "DiConstField3=2.25"));
  EXPECT_EQ(run.out.find("message:"), std::string::npos);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Attenuation=");
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 32);
}

TEST(FieldCalc, PrintsTheMessageShown) {
  const auto run = RunWith({"PhyToElBtn_Action"}, "WidthField=3\n");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "message: Height must be greater than zero.");
}

TEST(FieldCalc, RunsAPopupHandlerOnItsRow) {
  const auto run = RunWith({"DiPopup2_Change", "2"}, "");
  ASSERT_EQ(run.status, 0);
  EXPECT_TRUE(HasLine(run.out, "DiConstField2=12.90"));
  EXPECT_TRUE(HasLine(run.out, "LossTanField2=0.006"));
  EXPECT_TRUE(HasLine(run.out, "DiConstField="));
}

struct BadRun {
  const char* description;
  std::vector<std::string> args;
  std::string input;
};

TEST(FieldCalc, RefusesBadArgumentsAndInput) {
  const BadRun cases[] = {
      {"no procedure", {}, ""},
      {"unknown procedure", {"PhyToElBtn4_Action"}, ""},
      {"button with a row", {"PhyToElBtn_Action", "1"}, ""},
      {"popup without a row", {"ConPopup_Change"}, ""},
      {"popup row not a number", {"ConPopup_Change", "one"}, ""},
      {"popup row with trailing text", {"ConPopup_Change", "1x"}, ""},
      {"line without =", {"PhyToElBtn_Action"}, "WidthField 3\n"},
      {"unknown field", {"PhyToElBtn_Action"}, "WidthField4=3\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    const auto run = RunWith(c.args, c.input);
    EXPECT_EQ(run.status, kFieldCalcUsageError);
    EXPECT_FALSE(run.err.empty());
    EXPECT_TRUE(run.out.empty());
  }
}

}  // namespace
}  // namespace mq
