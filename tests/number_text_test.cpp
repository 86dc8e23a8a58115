// SPDX-License-Identifier: MIT
// Reading and writing number texts: the decimal-comma normalisation, the reading grammar, the
// three result patterns and their independence from the process locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

#include "model/field_set.h"
#include "tests/test_fields.h"

namespace mq {
namespace {

TEST(ReplaceFirstComma, ReplacesOnlyTheFirstCommaEachTime) {
  struct Case {
    const char* text;
    const char* once;
    const char* twice;
  };
  const Case cases[] = {
      {"1,2,3", "1.2,3", "1.2.3"},    {"1.6", "1.6", "1.6"}, {"", "", ""}, {",", ".", "."},
      {"3,2 mm", "3.2 mm", "3.2 mm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceFirstComma(c.text), c.once);
    EXPECT_EQ(ReplaceFirstComma(ReplaceFirstComma(c.text)), c.twice);
  }
}

TEST(ParseLeadingNumber, ReadsTheLongestNumberAtTheStart) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 0},
      {"1.6 mm", 1.6},
      {".25", 0.25},
      {"1.2.3", 1.2},
      {"5.81e+7", 58100000},
      {"1,6", 1},  // a comma that was not normalised ends the number
      {"-.25", -0.25},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"-.", 0},
      {"e5", 0},
      {"1e", 1},
      {"1e+", 1},
      {"2E-3x", 0.002},
      {"  42", 42},     // leading blanks are skipped
      {"\t+7.5", 7.5},  // and a leading "+" is accepted
      {"+-3", 0},
      {"- 3", 0},
      {"1e999", inf},  // beyond a double: an infinity, never an error
      {"-1e999", -inf},
      {"1e-999", 0},
      {"0e999999999999999999999", 0},
      {"0.000e400", 0},
      {"inf", 0},
      {"nan", 0},
      {"0x1p3", 0},
      {"1\xC2\xA0", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseLeadingNumber(c.text), c.value);
  }
}

TEST(ParseLeadingNumber, OverlongDigitStringsSaturate) {
  const std::string manyDigits(500, '9');
  EXPECT_EQ(ParseLeadingNumber(manyDigits), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseLeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber("0." + std::string(300, '0') + "1e300"), 1e-1);
  EXPECT_DOUBLE_EQ(ParseLeadingNumber(std::string(400, '0') + "12.5"), 12.5);
}

TEST(FormatWithPattern, WorkedValues) {
  struct Case {
    double value;
    Pattern pattern;
    const char* text;
  };
  const Case cases[] = {
      {0.5, Pattern::kFourDecimals, ".5000"},
      {0, Pattern::kFourDecimals, ".0000"},
      {6.2047112, Pattern::kFourDecimals, "6.2047"},
      {1234.5, Pattern::kFourDecimals, "1234.5000"},
      {-0.25, Pattern::kFourDecimals, "-.2500"},
      {49.8065866, Pattern::kTwoDecimals, "49.81"},
      {0.999, Pattern::kTwoDecimals, "1.00"},  // the rounding carries into the integer part
      {0.004, Pattern::kTwoDecimals, ".00"},
      {58130000, Pattern::kScientific, "5.81e+7"},
      {14490000, Pattern::kScientific, "1.45e+7"},
      {40980000, Pattern::kScientific, "4.10e+7"},
      {0.00123, Pattern::kScientific, "1.23e-3"},
      {99960000, Pattern::kScientific, "1.00e+8"},  // and into the exponent
      {38160000, Pattern::kScientific, "3.82e+7"},
      {-58130000, Pattern::kScientific, "-5.81e+7"},
      {0, Pattern::kScientific, "0.00e+0"},
      {1, Pattern::kScientific, "1.00e+0"},
      {1.5e-300, Pattern::kScientific, "1.50e-300"},
      {12345678901.0, Pattern::kTwoDecimals, "12345678901.00"},
      {-1234.5, Pattern::kTwoDecimals, "-1234.50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.text);
  }
}

TEST(FormatWithPattern, NegativeValuesThatRoundToZeroCarryNoSign) {
  EXPECT_EQ(FormatWithPattern(-0.00004, Pattern::kFourDecimals), ".0000");
  EXPECT_EQ(FormatWithPattern(-0.004, Pattern::kTwoDecimals), ".00");
  EXPECT_EQ(FormatWithPattern(-0.0, Pattern::kTwoDecimals), ".00");
  EXPECT_EQ(FormatWithPattern(-0.0, Pattern::kScientific), "0.00e+0");
  EXPECT_EQ(FormatWithPattern(-0.006, Pattern::kTwoDecimals), "-.01");
}

TEST(FormatWithPattern, NonFiniteValuesGiveShortFixedTexts) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const Pattern pattern :
       {Pattern::kFourDecimals, Pattern::kTwoDecimals, Pattern::kScientific}) {
    EXPECT_EQ(FormatWithPattern(inf, pattern), "inf");
    EXPECT_EQ(FormatWithPattern(-inf, pattern), "-inf");
    EXPECT_EQ(FormatWithPattern(nan, pattern), "nan");
    EXPECT_EQ(FormatWithPattern(-nan, pattern), "nan");
  }
}

TEST(FormatWithPattern, LargestDoubleIsWrittenInFull) {
  const std::string text =
      FormatWithPattern(std::numeric_limits<double>::max(), Pattern::kFourDecimals);
  EXPECT_EQ(text.size(), 309u + 5u);
  EXPECT_EQ(ParseLeadingNumber(text), std::numeric_limits<double>::max());
}

// What a pattern writes reads back within half a unit of its last digit.
TEST(FormatWithPattern, ReadsBackWithinHalfALastDigit) {
  const double values[] = {0.5,     1e-9,    0.00005, 0.12345, 1.99999,   49.995,
                           123.456, 9.99999, 1e7,     3.54e7,  -2.71828,  6.02e23,
                           1e-300,  7e-5,    99.995,  -0.0451, 1234567.89};
  for (const double value : values) {
    SCOPED_TRACE(value);
    EXPECT_NEAR(ParseLeadingNumber(FormatWithPattern(value, Pattern::kFourDecimals)), value,
                0.00005 * (1 + 1e-12));
    EXPECT_NEAR(ParseLeadingNumber(FormatWithPattern(value, Pattern::kTwoDecimals)), value,
                0.005 * (1 + 1e-12));
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 2);
    EXPECT_NEAR(ParseLeadingNumber(FormatWithPattern(value, Pattern::kScientific)), value,
                0.5 * unit * (1 + 1e-9));
  }
}

TEST(NumberToText, ReadsBackAsTheSameValue) {
  const double values[] = {0,         0.0003,   0.006, 0.0005, 0.0004, 0.001,  0.004,
                           0.02,      12.9,     1e-7,  1e20,   -3.5,   1e-320, 5e-324,
                           1.0 / 3.0, 58130000, 1e300, -1e-10, 0.1,    2.25};
  for (const double value : values) {
    SCOPED_TRACE(value);
    const std::string text = NumberToText(value);
    EXPECT_EQ(ParseLeadingNumber(text), value);
    EXPECT_EQ(text.find(','), std::string::npos);
  }
}

TEST(NumberToText, WritesPlainDecimalsForLossTangents) {
  EXPECT_EQ(NumberToText(0.0003), "0.0003");
  EXPECT_EQ(NumberToText(0.0), "0");
  EXPECT_EQ(NumberToText(0.006), "0.006");
  EXPECT_EQ(NumberToText(std::numeric_limits<double>::infinity()), "inf");
}

// A decimal point that a German desktop would write as a comma.
class CommaDecimalPoint : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(NumberTexts, IgnoreAProcessLocaleWithADecimalComma) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimalPoint));
  const std::string previousC = std::setlocale(LC_ALL, nullptr);
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      break;
    }
  }
  const double values[] = {0.5, 49.8065866, 1234.5, 58130000, 0.00123, 12345.678, -0.25};
  for (const double value : values) {
    for (const Pattern pattern :
         {Pattern::kFourDecimals, Pattern::kTwoDecimals, Pattern::kScientific}) {
      const std::string text = FormatWithPattern(value, pattern);
      EXPECT_EQ(text.find(','), std::string::npos) << text;
    }
    EXPECT_EQ(NumberToText(value).find(','), std::string::npos);
  }
  EXPECT_EQ(ParseLeadingNumber("1.5"), 1.5);

  auto fields = test::FieldsWith({{"ImpField", "1,5"}});
  NormalizeDecimalSeparator(fields, "ImpField");
  WriteResult(fields, "EDiConst", 3.4567, Pattern::kTwoDecimals);
  EXPECT_EQ(fields.Text("EDiConst"), "3.46");
  EXPECT_EQ(ReadNumber(fields, "ImpField"), 1.5);

  std::setlocale(LC_ALL, previousC.c_str());
  std::locale::global(previous);
}

TEST(FieldOperations, WriteResultThenReadNumberGivesTheValueBack) {
  auto fields = test::FieldsWith({});
  WriteResult(fields, "WidthField", 0.5, Pattern::kFourDecimals);
  EXPECT_EQ(fields.Text("WidthField"), ".5000");
  EXPECT_EQ(ReadNumber(fields, "WidthField"), 0.5);
}

TEST(FieldOperations, UnknownNamesFailLoudly) {
  auto fields = test::FieldsWith({});
  EXPECT_THROW(static_cast<void>(fields.Text("NoSuchField")), UnknownFieldError);
  EXPECT_THROW(fields.SetText("ImpField4", "1"), UnknownFieldError);
  EXPECT_THROW(NormalizeDecimalSeparator(fields, "impfield"), UnknownFieldError);
  EXPECT_THROW(static_cast<void>(ReadNumber(fields, "")), UnknownFieldError);
}

TEST(FieldOperations, ShowMessagePassesTheTextToTheSink) {
  RecordingMessageSink sink;
  ShowMessage(sink, "Height must be greater than zero.");
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], "Height must be greater than zero.");
}

}  // namespace
}  // namespace mq
