// SPDX-License-Identifier: MIT
// The six procedures as the window runs them: field texts in, field texts or one message out.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/field_names.h"
#include "model/line_models.h"
#include "tests/support/procedure_checks.h"
#include "tests/test_fields.h"

namespace mq {
namespace {

using test::FieldsWith;
using test::Texts;
using Procedure = FieldProcedure;

struct WorkedCase {
  const char* description;
  Procedure procedure;
  Texts inputs;
  Texts results;
};

void ExpectWorkedCase(const WorkedCase& c) {
  SCOPED_TRACE(c.description);
  auto fields = FieldsWith(c.inputs);
  RecordingMessageSink sink;
  c.procedure(fields, sink);
  EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
  for (const auto& [name, text] : c.results) {
    EXPECT_EQ(fields.Text(name), text) << name;
  }
}

// f 1 GHz, sigma 5.8e7 S/m, L 100 mm, h 1.6 mm, er 4.6, tand 0.02 unless a case says otherwise.
Texts MicrostripAnalysisInputs(std::string_view width, std::string_view er = "4.6",
                               std::string_view tand = "0.02", std::string_view length = "100") {
  return {{"FreqField", "1"},     {"ConField", "5.8e7"},  {"PhyLengthField", length},
          {"WidthField", width},  {"HeightField", "1.6"}, {"DiConstField", er},
          {"LossTanField", tand}, {"ImpField", "old"},    {"ElLengthField", "old"}};
}

TEST(MicrostripAnalysis, WorkedValues) {
  const WorkedCase cases[] = {
      {"wide strip",
       microstrip::Analyze,
       MicrostripAnalysisInputs("3"),
       {{"ImpField", "49.81"},
        {"ElLengthField", "223.27"},
        {"EDiConst", "3.46"},
        {"Attenuation", "3.5568"}}},
      {"narrow strip, W/h 0.625",
       microstrip::Analyze,
       MicrostripAnalysisInputs("1"),
       {{"ImpField", "85.91"},
        {"ElLengthField", "214.68"},
        {"EDiConst", "3.20"},
        {"Attenuation", "3.6950"}}},
      {"W/h exactly 1 takes the wide-strip form",
       microstrip::Analyze,
       MicrostripAnalysisInputs("1.6"),
       {{"ImpField", "69.44"},
        {"ElLengthField", "217.97"},
        {"EDiConst", "3.30"},
        {"Attenuation", "3.5891"}}},
      {"air",
       microstrip::Analyze,
       MicrostripAnalysisInputs("3", "1", "0"),
       {{"ImpField", "92.67"},
        {"ElLengthField", "120.00"},
        {"EDiConst", "1.00"},
        {"Attenuation", ".2579"}}},
      {"air has no dielectric loss whatever tand",
       microstrip::Analyze,
       MicrostripAnalysisInputs("3", "1", "0.02"),
       {{"ImpField", "92.67"},
        {"ElLengthField", "120.00"},
        {"EDiConst", "1.00"},
        {"Attenuation", ".2579"}}},
      {"empty length",
       microstrip::Analyze,
       MicrostripAnalysisInputs("3", "4.6", "0.02", ""),
       {{"ImpField", "49.81"},
        {"ElLengthField", ".00"},
        {"EDiConst", "3.46"},
        {"Attenuation", "3.5568"}}},
      {"zero conductivity: infinite conductor loss",
       microstrip::Analyze,
       [] {
         auto in = MicrostripAnalysisInputs("3");
         in.emplace_back("ConField", "");
         return in;
       }(),
       {{"ImpField", "49.81"}, {"EDiConst", "3.46"}, {"Attenuation", "inf"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

// f 1 GHz, sigma 5.8e7 S/m, h 1.6 mm, 90 degrees unless a case says otherwise.
Texts MicrostripSynthesisInputs(std::string_view z0, std::string_view er = "4.6",
                                std::string_view tand = "0.02", std::string_view theta = "90") {
  return {{"FreqField", "1"},       {"ConField", "5.8e7"}, {"HeightField", "1.6"},
          {"ImpField", z0},         {"DiConstField", er},  {"LossTanField", tand},
          {"ElLengthField", theta}, {"WidthField", "old"}, {"PhyLengthField", "old"}};
}

TEST(MicrostripSynthesis, WorkedValues) {
  const WorkedCase cases[] = {
      {"50 ohm, narrow-strip form",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("50"),
       {{"WidthField", "2.9585"},
        {"PhyLengthField", "40.3335"},
        {"EDiConst", "3.46"},
        {"Attenuation", "3.5584"}}},
      {"100 ohm, width below 1 mm",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("100"),
       {{"WidthField", ".6722"},
        {"PhyLengthField", "42.3854"},
        {"EDiConst", "3.13"},
        {"Attenuation", "3.8674"}}},
      {"25 ohm, wide-strip form",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("25"),
       {{"WidthField", "8.1478"},
        {"PhyLengthField", "38.5631"},
        {"EDiConst", "3.78"},
        {"Attenuation", "3.6792"}}},
      {"air, wide-strip form",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("50", "1", "0"),
       {{"WidthField", "7.8655"},
        {"PhyLengthField", "75.0000"},
        {"EDiConst", "1.00"},
        {"Attenuation", ".1823"}}},
      {"air ignores tand",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("50", "1", "0.02"),
       {{"WidthField", "7.8655"},
        {"PhyLengthField", "75.0000"},
        {"EDiConst", "1.00"},
        {"Attenuation", ".1823"}}},
      {"empty electrical length",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("50", "4.6", "0.02", ""),
       {{"WidthField", "2.9585"},
        {"PhyLengthField", ".0000"},
        {"EDiConst", "3.46"},
        {"Attenuation", "3.5584"}}},
      {"5 ohm: the narrow-strip ratio is negative, the wide-strip form holds",
       microstrip::Synthesize,
       MicrostripSynthesisInputs("5"),
       {{"WidthField", "52.1415"},
        {"PhyLengthField", "36.0060"},
        {"EDiConst", "4.34"},
        {"Attenuation", "4.0027"}}},
      // Pozar, Microwave Engineering, example 3.7: 50 ohm, h 0.127 cm, er 2.20, 90 degrees at
      // 2.5 GHz gives W/h = 3.081, W = 0.391 cm, eeff = 1.87, l = 2.19 cm.
      {"textbook example",
       microstrip::Synthesize,
       {{"ImpField", "50"},
        {"HeightField", "1.27"},
        {"DiConstField", "2.2"},
        {"LossTanField", "0"},
        {"ConField", "5.8e7"},
        {"ElLengthField", "90"},
        {"FreqField", "2.5"}},
       {{"WidthField", "3.9131"}, {"PhyLengthField", "21.9311"}, {"EDiConst", "1.87"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

TEST(MicrostripSynthesis, NeverWritesANegativeWidth) {
  for (const char* z0 : {"0.5", "1", "2", "5", "10", "20", "40", "150", "300"}) {
    for (const char* er : {"1", "2.2", "4.6", "9.8", "12.9", "16"}) {
      SCOPED_TRACE(std::string(z0) + " ohm, er " + er);
      auto fields = FieldsWith(MicrostripSynthesisInputs(z0, er));
      RecordingMessageSink sink;
      microstrip::Synthesize(fields, sink);
      ASSERT_TRUE(sink.messages.empty());
      // A very thin strip may round to .0000, but its width is never negative.
      EXPECT_NE(fields.Text("WidthField").front(), '-');
      EXPECT_GE(ReadNumber(fields, "WidthField"), 0.0) << fields.Text("WidthField");
    }
  }
}

// t 0.01 mm, L 30 mm, f 2.5 GHz, sigma 3.54e+7 S/m, tand 0, b 3.2 mm unless said otherwise.
Texts StriplineInputs(Texts overrides) {
  Texts texts = {{"ThicknessField2", "0.01"}, {"PhyLengthField2", "30"}, {"FreqField2", "2.5"},
                 {"ConField2", "3.54e+7"},    {"LossTanField2", "0"},    {"HeightField2", "3.2"},
                 {"ElLengthField2", "90"}};
  texts.insert(texts.end(), overrides.begin(), overrides.end());
  return texts;
}

TEST(StriplineAnalysis, WorkedValues) {
  const WorkedCase cases[] = {
      {"50 ohm air line, low-impedance loss form",
       stripline::Analyze,
       StriplineInputs({{"WidthField2", "4.6207"}, {"DiConstField2", "1.00"}}),
       {{"ImpField2", "50.00"}, {"ElLengthField2", "90.00"}, {"Attenuation2", ".3887"}}},
      {"narrow strip, effective-width correction",
       stripline::Analyze,
       StriplineInputs({{"WidthField2", "0.5"}, {"DiConstField2", "1.00"}}),
       {{"ImpField2", "168.39"}, {"ElLengthField2", "90.00"}, {"Attenuation2", ".8659"}}},
      {"lossy dielectric at 10 GHz",
       stripline::Analyze,
       StriplineInputs({{"WidthField2", "2"},
                        {"ThicknessField2", "0.035"},
                        {"PhyLengthField2", "20"},
                        {"DiConstField2", "2.2"},
                        {"FreqField2", "10"},
                        {"ConField2", "5.813e+7"},
                        {"LossTanField2", "0.0009"}}),
       {{"ImpField2", "59.61"}, {"ElLengthField2", "355.98"}, {"Attenuation2", "2.2784"}}},
      {"zero thickness: infinite conductor loss",
       stripline::Analyze,
       StriplineInputs(
           {{"WidthField2", "4.6207"}, {"DiConstField2", "1.00"}, {"ThicknessField2", ""}}),
       {{"ImpField2", "50.00"}, {"ElLengthField2", "90.00"}, {"Attenuation2", "inf"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

TEST(StriplineSynthesis, WorkedValues) {
  const WorkedCase cases[] = {
      {"50 ohm air line",
       stripline::Synthesize,
       StriplineInputs({{"ImpField2", "50"}, {"DiConstField2", "1.00"}}),
       {{"WidthField2", "4.6207"}, {"PhyLengthField2", "30.0000"}, {"Attenuation2", ".3887"}}},
      {"150 ohm air line, high-impedance form",
       stripline::Synthesize,
       StriplineInputs({{"ImpField2", "150"}, {"DiConstField2", "1.00"}}),
       {{"WidthField2", ".6643"}, {"PhyLengthField2", "30.0000"}, {"Attenuation2", ".7680"}}},
      {"100 ohm in er 2.2 takes the high-impedance form",
       stripline::Synthesize,
       StriplineInputs({{"ImpField2", "100"}, {"DiConstField2", "2.2"}}),
       {{"WidthField2", ".6821"}, {"PhyLengthField2", "20.2260"}, {"Attenuation2", "1.1271"}}},
      // Pozar, Microwave Engineering, example 3.5: 50 ohm in b = 0.32 cm, er 2.20 needs
      // x = 30 pi/(sqrt(er) Z0) - 0.441 = 0.830 and W = 0.266 cm.
      {"textbook example at 10 GHz",
       stripline::Synthesize,
       StriplineInputs({{"ImpField2", "50"},
                        {"DiConstField2", "2.2"},
                        {"ThicknessField2", "0.035"},
                        {"FreqField2", "10"},
                        {"ConField2", "5.813e+7"},
                        {"LossTanField2", "0.0009"}}),
       {{"WidthField2", "2.6555"}, {"PhyLengthField2", "5.0565"}, {"Attenuation2", "2.2003"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

TEST(StriplineSynthesis, AnalysisOfTheWrittenWidthGivesTheImpedanceBack) {
  auto fields = FieldsWith(StriplineInputs({{"ImpField2", "150"}, {"DiConstField2", "1.00"}}));
  RecordingMessageSink sink;
  stripline::Synthesize(fields, sink);
  stripline::Analyze(fields, sink);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(fields.Text("ImpField2"), "150.00");
}

// er 2.25, tand 0.0004, f 1 GHz, sigma 58130000 S/m.
Texts CoaxInputs(Texts overrides) {
  Texts texts = {{"DiConstField3", "2.25"},
                 {"LossTanField3", "0.0004"},
                 {"FreqField3", "1"},
                 {"ConField3", "58130000"}};
  texts.insert(texts.end(), overrides.begin(), overrides.end());
  return texts;
}

TEST(CoaxialAnalysis, WorkedValues) {
  // Z0 = eta/(2 pi) ln(b/a) = 47.01268 ohm, alpha = 0.04639842 Np/m = 0.4032 dB/m.
  const WorkedCase cases[] = {
      {"0.91 in 2.95 mm, 100 mm",
       coax::Analyze,
       CoaxInputs(
           {{"PhyLengthField3", "100"}, {"InnerDiaField", "0.91"}, {"OuterDiaField", "2.95"}}),
       {{"ImpField3", "47.01"}, {"ElLengthField3", "180.00"}, {"Attenuation3", ".4032"}}},
      {"half the length",
       coax::Analyze,
       CoaxInputs(
           {{"PhyLengthField3", "50"}, {"InnerDiaField", "0.91"}, {"OuterDiaField", "2.95"}}),
       {{"ImpField3", "47.01"}, {"ElLengthField3", "90.00"}, {"Attenuation3", ".4032"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

TEST(CoaxialSynthesis, WorkedValues) {
  const WorkedCase cases[] = {
      {"50 ohm in a 2.95 mm outer conductor",
       coax::Synthesize,
       CoaxInputs({{"ImpField3", "50"},
                   {"ElLengthField3", "90"},
                   {"OuterDiaField", "2.95"},
                   {"InnerDiaField", "7"},
                   {"PhyLengthField3", "7"}}),
       {{"InnerDiaField", ".8445"}, {"PhyLengthField3", "50.0000"}, {"Attenuation3", ".4018"}}},
      {"the analysis results fed back",
       coax::Synthesize,
       CoaxInputs({{"ImpField3", "47.01268150432379"},
                   {"ElLengthField3", "180.00000000000003"},
                   {"OuterDiaField", "2.95"}}),
       {{"InnerDiaField", ".9100"},
        {"PhyLengthField3", "100.0000"},
        {"Attenuation3", ".4032"},
        {"ImpField3", "47.01268150432379"}}},
  };
  for (const auto& c : cases) {
    ExpectWorkedCase(c);
  }
}

struct FailureCase {
  const char* description;
  Procedure procedure;
  Texts inputs;
  std::string_view message;
};

// The result fields of each procedure, which must keep their texts when a check fails.
const std::vector<std::string_view>& ResultFields(Procedure procedure) {
  for (const auto& rules : check::ButtonProcedures()) {
    if (*rules.run.target<Procedure>() == procedure) {
      return rules.results;
    }
  }
  throw std::logic_error("no rules for this procedure");
}

void ExpectFailure(const FailureCase& c) {
  SCOPED_TRACE(c.description);
  auto fields = FieldsWith(c.inputs);
  for (const auto name : ResultFields(c.procedure)) {
    fields.SetText(name, "before");
  }
  RecordingMessageSink sink;
  c.procedure(fields, sink);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], c.message);
  for (const auto name : ResultFields(c.procedure)) {
    EXPECT_EQ(fields.Text(name), "before") << name;
  }
}

TEST(MicrostripProcedures, ValidationChainsInOrder) {
  const FailureCase cases[] = {
      {"height and width empty",
       microstrip::Analyze,
       {{"FreqField", "1"}, {"DiConstField", "4.6"}},
       messages::kHeight},
      {"width empty", microstrip::Analyze, {{"HeightField", "1.6"}}, messages::kWidth},
      {"frequency empty",
       microstrip::Analyze,
       {{"HeightField", "1.6"}, {"WidthField", "3"}, {"DiConstField", "0"}},
       messages::kFrequency},
      {"dielectric constant text",
       microstrip::Analyze,
       {{"HeightField", "1.6"}, {"WidthField", "3"}, {"FreqField", "1"}, {"DiConstField", "x"}},
       messages::kPermittivity},
      {"negative height",
       microstrip::Analyze,
       {{"HeightField", "-1.6"}, {"WidthField", "3"}, {"FreqField", "1"}, {"DiConstField", "4"}},
       messages::kHeight},
      {"negative width",
       microstrip::Analyze,
       {{"HeightField", "1.6"}, {"WidthField", "-3"}, {"FreqField", "1"}, {"DiConstField", "4"}},
       messages::kWidth},
      {"negative frequency",
       microstrip::Analyze,
       {{"HeightField", "1.6"}, {"WidthField", "3"}, {"FreqField", "-1"}, {"DiConstField", "4"}},
       messages::kFrequency},
      {"negative dielectric constant",
       microstrip::Analyze,
       {{"HeightField", "1.6"}, {"WidthField", "3"}, {"FreqField", "1"}, {"DiConstField", "-4"}},
       messages::kPermittivity},
      {"height and impedance empty",
       microstrip::Synthesize,
       {{"FreqField", "1"}},
       messages::kHeight},
      {"impedance empty", microstrip::Synthesize, {{"HeightField", "1.6"}}, messages::kImpedance},
      {"negative impedance",
       microstrip::Synthesize,
       {{"HeightField", "1.6"}, {"ImpField", "-50"}, {"FreqField", "1"}, {"DiConstField", "4"}},
       messages::kImpedance},
      {"frequency zero",
       microstrip::Synthesize,
       {{"HeightField", "1.6"}, {"ImpField", "50"}, {"FreqField", "0"}},
       messages::kFrequency},
      {"dielectric constant zero",
       microstrip::Synthesize,
       {{"HeightField", "1.6"}, {"ImpField", "50"}, {"FreqField", "1"}, {"DiConstField", "0"}},
       messages::kPermittivity},
  };
  for (const auto& c : cases) {
    ExpectFailure(c);
  }
}

TEST(StriplineProcedures, ValidationChainsInOrder) {
  const FailureCase cases[] = {
      {"height and width empty", stripline::Analyze, {}, messages::kHeight},
      {"width empty", stripline::Analyze, {{"HeightField2", "3.2"}}, messages::kWidth},
      {"frequency zero",
       stripline::Analyze,
       {{"HeightField2", "3.2"}, {"WidthField2", "1"}, {"FreqField2", "0"}},
       messages::kFrequency},
      {"dielectric constant zero",
       stripline::Analyze,
       {{"HeightField2", "3.2"}, {"WidthField2", "1"}, {"FreqField2", "1"}},
       messages::kPermittivity},
      {"negative width",
       stripline::Analyze,
       {{"HeightField2", "3.2"}, {"WidthField2", "-1"}, {"FreqField2", "1"}},
       messages::kWidth},
      {"height empty",
       stripline::Synthesize,
       {{"ImpField2", "50"}, {"FreqField2", "1"}},
       messages::kHeight},
      {"impedance and frequency zero",
       stripline::Synthesize,
       {{"HeightField2", "3.2"}, {"DiConstField2", "1"}},
       messages::kFrequency},
      {"dielectric constant before impedance",
       stripline::Synthesize,
       {{"HeightField2", "3.2"}, {"FreqField2", "1"}},
       messages::kPermittivity},
      {"impedance zero",
       stripline::Synthesize,
       {{"HeightField2", "3.2"}, {"FreqField2", "1"}, {"DiConstField2", "1"}},
       messages::kImpedance},
      {"negative impedance",
       stripline::Synthesize,
       {{"HeightField2", "3.2"}, {"FreqField2", "1"}, {"DiConstField2", "1"}, {"ImpField2", "-50"}},
       messages::kImpedance},
      {"150 ohm in GaAs lies beyond the model",
       stripline::Synthesize,
       {{"HeightField2", "3.2"},
        {"FreqField2", "1"},
        {"DiConstField2", "12.9"},
        {"ImpField2", "150"}},
       messages::kStriplineImpedanceTooHigh},
      {"300 ohm in air lies beyond the model",
       stripline::Synthesize,
       {{"HeightField2", "3.2"}, {"FreqField2", "1"}, {"DiConstField2", "1"}, {"ImpField2", "300"}},
       messages::kStriplineImpedanceTooHigh},
  };
  for (const auto& c : cases) {
    ExpectFailure(c);
  }
}

Texts CoaxValid(Texts overrides) {
  Texts texts = CoaxInputs({{"PhyLengthField3", "100"},
                            {"InnerDiaField", "0.91"},
                            {"OuterDiaField", "2.95"},
                            {"ImpField3", "50"},
                            {"ElLengthField3", "90"}});
  texts.insert(texts.end(), overrides.begin(), overrides.end());
  return texts;
}

TEST(CoaxialProcedures, ValidationChainsInOrder) {
  const FailureCase cases[] = {
      {"both diameters empty", coax::Analyze,
       CoaxValid({{"InnerDiaField", ""}, {"OuterDiaField", ""}}), messages::kInnerDiameter},
      {"outer diameter zero", coax::Analyze, CoaxValid({{"OuterDiaField", "0"}}),
       messages::kOuterDiameter},
      {"equal diameters", coax::Analyze, CoaxValid({{"InnerDiaField", "2.95"}}),
       messages::kInnerNotSmaller},
      {"inner larger than outer", coax::Analyze,
       CoaxValid({{"InnerDiaField", "3"}, {"FreqField3", "0"}}), messages::kInnerNotSmaller},
      {"frequency zero", coax::Analyze, CoaxValid({{"FreqField3", "0"}, {"DiConstField3", ""}}),
       messages::kFrequency},
      {"dielectric constant zero", coax::Analyze,
       CoaxValid({{"DiConstField3", "0"}, {"PhyLengthField3", ""}}), messages::kPermittivity},
      {"length zero", coax::Analyze, CoaxValid({{"PhyLengthField3", ""}}), messages::kLength},
      {"negative length", coax::Analyze, CoaxValid({{"PhyLengthField3", "-5"}}), messages::kLength},
      {"negative inner diameter", coax::Analyze, CoaxValid({{"InnerDiaField", "-1"}}),
       messages::kInnerDiameter},
      {"outer diameter empty", coax::Synthesize,
       CoaxValid({{"OuterDiaField", ""}, {"ImpField3", ""}}), messages::kOuterDiameter},
      {"impedance empty", coax::Synthesize, CoaxValid({{"ImpField3", ""}, {"FreqField3", ""}}),
       messages::kImpedance},
      {"negative impedance", coax::Synthesize, CoaxValid({{"ImpField3", "-50"}}),
       messages::kImpedance},
      {"frequency zero", coax::Synthesize, CoaxValid({{"FreqField3", "0"}}), messages::kFrequency},
      {"dielectric constant zero", coax::Synthesize,
       CoaxValid({{"DiConstField3", "0"}, {"ElLengthField3", ""}}), messages::kPermittivity},
      {"impedance so high that exp overflows", coax::Synthesize, CoaxValid({{"ImpField3", "1e6"}}),
       messages::kInnerDiameter},
      {"electrical length empty", coax::Synthesize, CoaxValid({{"ElLengthField3", ""}}),
       messages::kLength},
      {"negative electrical length", coax::Synthesize, CoaxValid({{"ElLengthField3", "-90"}}),
       messages::kLength},
  };
  for (const auto& c : cases) {
    ExpectFailure(c);
  }
}

TEST(Normalisation, StaysWhenACheckFails) {
  struct Case {
    Procedure procedure;
    Texts inputs;
    std::string_view field;
    std::string_view shown;
  };
  const Case cases[] = {
      // The height stands twice in the list: its first two commas become points.
      {microstrip::Analyze, {{"HeightField", "1,6"}}, "HeightField", "1.6"},
      {microstrip::Synthesize, {{"HeightField", "1,6,2"}}, "HeightField", "1.6.2"},
      {stripline::Analyze, {{"HeightField2", "3,2,1"}}, "HeightField2", "3.2.1"},
      {stripline::Synthesize, {{"HeightField2", "3,2,1"}}, "HeightField2", "3.2.1"},
      {stripline::Analyze, {{"ThicknessField2", "0,01,5"}}, "ThicknessField2", "0.01,5"},
      // Coaxial fields stand once: only the first comma goes.
      {coax::Analyze, {{"InnerDiaField", "0,9,1"}}, "InnerDiaField", "0.9,1"},
      {coax::Synthesize, {{"ConField3", "5,8e7"}}, "ConField3", "5.8e7"},
      {microstrip::Analyze, {{"ElLengthField", "9,0"}}, "ElLengthField", "9.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    auto fields = FieldsWith(c.inputs);
    RecordingMessageSink sink;
    c.procedure(fields, sink);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(fields.Text(c.field), c.shown);
  }
}

TEST(Normalisation, ACommaTypedValueIsUsedAsItsDecimal) {
  auto fields = FieldsWith(MicrostripAnalysisInputs("3"));
  fields.SetText("HeightField", "1,6");
  fields.SetText("DiConstField", "4,6");
  RecordingMessageSink sink;
  microstrip::Analyze(fields, sink);
  EXPECT_EQ(fields.Text("ImpField"), "49.81");

  auto coaxFields = FieldsWith(CoaxValid({{"InnerDiaField", "0,9,1"}}));
  coax::Analyze(coaxFields, sink);
  auto reference = FieldsWith(CoaxValid({{"InnerDiaField", "0.9"}}));
  coax::Analyze(reference, sink);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(coaxFields.Text("ImpField3"), reference.Text("ImpField3"));
}

// Each procedure touches only fields of its own page, whatever the inputs.
TEST(Procedures, TouchOnlyTheirOwnPage) {
  struct Case {
    Procedure procedure;
    const std::string_view* pageBegin;
    const std::string_view* pageEnd;
    Texts inputs;
  };
  const Case cases[] = {
      {microstrip::Analyze, kMicrostripFieldNames.begin(), kMicrostripFieldNames.end(),
       MicrostripAnalysisInputs("3")},
      {microstrip::Synthesize, kMicrostripFieldNames.begin(), kMicrostripFieldNames.end(),
       MicrostripSynthesisInputs("50")},
      {stripline::Analyze, kStriplineFieldNames.begin(), kStriplineFieldNames.end(),
       StriplineInputs({{"WidthField2", "1"}, {"DiConstField2", "2"}})},
      {stripline::Synthesize, kStriplineFieldNames.begin(), kStriplineFieldNames.end(),
       StriplineInputs({{"ImpField2", "50"}, {"DiConstField2", "2"}})},
      {coax::Analyze, kCoaxialFieldNames.begin(), kCoaxialFieldNames.end(), CoaxValid({})},
      {coax::Synthesize, kCoaxialFieldNames.begin(), kCoaxialFieldNames.end(), CoaxValid({})},
  };
  for (const auto& c : cases) {
    auto fields = test::FieldsHoldingTheirNames();
    for (const auto& [name, text] : c.inputs) {
      fields.SetText(name, text);
    }
    const auto before = fields.All();
    RecordingMessageSink sink;
    c.procedure(fields, sink);
    EXPECT_TRUE(sink.messages.empty());
    for (const auto& [name, text] : before) {
      const bool onPage = std::find(c.pageBegin, c.pageEnd, name) != c.pageEnd;
      if (!onPage) {
        EXPECT_EQ(fields.Text(name), text) << name;
      }
    }
  }
}

}  // namespace
}  // namespace mq
