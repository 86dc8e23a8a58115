// SPDX-License-Identifier: MIT
// The six procedures as the window runs them: field texts in, field texts or one message out.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/line_models.h"
#include "tests/support/procedure_checks.h"
#include "tests/test_fields.h"

namespace mq {
namespace {

using test::FieldsFrom;
namespace msg = messages;

// The pages' usual inputs; each row adds or overrides texts.
constexpr const char* kMicrostrip =
    "FreqField=1 ConField=5.8e7 HeightField=1.6 DiConstField=4.6 LossTanField=0.02";
constexpr const char* kStripline =
    "ThicknessField2=0.01 PhyLengthField2=30 FreqField2=2.5 ConField2=3.54e+7 LossTanField2=0 "
    "HeightField2=3.2 ElLengthField2=90 DiConstField2=1";
constexpr const char* kLossyStripline =
    "HeightField2=3.2 ThicknessField2=0.035 PhyLengthField2=20 DiConstField2=2.2 FreqField2=10 "
    "ConField2=5.813e+7 LossTanField2=0.0009 ElLengthField2=90";
constexpr const char* kCoax =
    "DiConstField3=2.25 LossTanField3=0.0004 FreqField3=1 ConField3=58130000 "
    "PhyLengthField3=100 InnerDiaField=0.91 OuterDiaField=2.95 ImpField3=50 ElLengthField3=90";

struct Row {
  const char* name;
  FieldProcedure run;
  const char* page;
  const char* inputs;
  const char* expected;
};

// Where the figures come from:
// - the calculator's worked values, of the forms as corrected: the narrow-strip log term is
//   ln(8h/W + W/(4h)); the microstrip dielectric loss uses k0, not beta; the wide-strip synthesis
//   ends in (er-1)/(2er)(ln(B-1) + 0.39 - 0.61/er); coax attenuation is in dB/m (x 8.69);
// - Pozar, Microwave Engineering, examples 3.7 (microstrip: W/h 3.081, eeff 1.87, l 2.19 cm)
//   and 3.5 (stripline: W 0.266 cm);
// - Pozar eq. 3.197 by hand at 47 ohm on er 4.6: the narrow form gives W/h 2.047, so the wide
//   form's 2.0502 holds (W 3.2803 mm, not the narrow 3.2748);
// - Pozar eqs. 3.179-3.180 by hand for a narrow stripline, W/b 0.1 in air: We/b = 0.1 - 0.25^2 =
//   0.0375, Z0 = 30 pi / (0.0375 + 0.441) = 196.96 ohm;
// - coax: Z0 = eta/(2 pi) ln(b/a) = 47.01268 ohm and 0.04639842 Np/m = .4032 dB/m, by hand.
// clang-format off
const Row kWorked[] = {
  {"microstrip wide strip (k0 loss), decimal comma", microstrip::Analyze, kMicrostrip, "WidthField=3 PhyLengthField=100 HeightField=1,6", "ImpField=49.81 ElLengthField=223.27 EDiConst=3.46 Attenuation=3.5568"},
  {"microstrip narrow strip (W/(4h) term, k0 loss)", microstrip::Analyze, kMicrostrip, "WidthField=1 PhyLengthField=100", "ImpField=85.91 ElLengthField=214.68 EDiConst=3.20 Attenuation=3.6950"},
  {"microstrip W/h exactly 1 takes the wide form", microstrip::Analyze, kMicrostrip, "WidthField=1.6 PhyLengthField=100", "ImpField=69.44 ElLengthField=217.97 EDiConst=3.30 Attenuation=3.5891"},
  {"microstrip in air has no dielectric loss", microstrip::Analyze, kMicrostrip, "WidthField=3 PhyLengthField=100 DiConstField=1", "ImpField=92.67 ElLengthField=120.00 EDiConst=1.00 Attenuation=.2579"},
  {"microstrip empty length", microstrip::Analyze, kMicrostrip, "WidthField=3", "ElLengthField=.00 Attenuation=3.5568"},
  {"microstrip zero conductivity", microstrip::Analyze, kMicrostrip, "WidthField=3 ConField=", "ImpField=49.81 Attenuation=inf"},
  {"microstrip 50 ohm, narrow form", microstrip::Synthesize, kMicrostrip, "ImpField=50 ElLengthField=90", "WidthField=2.9585 PhyLengthField=40.3335 EDiConst=3.46 Attenuation=3.5584"},
  {"microstrip 100 ohm", microstrip::Synthesize, kMicrostrip, "ImpField=100 ElLengthField=90", "WidthField=.6722 PhyLengthField=42.3854 EDiConst=3.13 Attenuation=3.8674"},
  {"microstrip 25 ohm, corrected wide form", microstrip::Synthesize, kMicrostrip, "ImpField=25 ElLengthField=90", "WidthField=8.1478 PhyLengthField=38.5631 EDiConst=3.78 Attenuation=3.6792"},
  {"microstrip 47 ohm: narrow ratio 2.047 > 2 takes the wide form", microstrip::Synthesize, kMicrostrip, "ImpField=47 ElLengthField=90", "WidthField=3.2803"},
  {"microstrip 5 ohm, negative narrow ratio", microstrip::Synthesize, kMicrostrip, "ImpField=5 ElLengthField=90", "WidthField=52.1415 PhyLengthField=36.0060 EDiConst=4.34 Attenuation=4.0027"},
  {"microstrip 50 ohm in air", microstrip::Synthesize, kMicrostrip, "ImpField=50 ElLengthField=90 DiConstField=1", "WidthField=7.8655 PhyLengthField=75.0000 EDiConst=1.00 Attenuation=.1823"},
  {"microstrip Pozar example 3.7, decimal comma", microstrip::Synthesize, kMicrostrip, "ImpField=50 HeightField=1,27 DiConstField=2.2 ElLengthField=90 FreqField=2.5", "WidthField=3.9131 PhyLengthField=21.9311 EDiConst=1.87"},
  {"stripline 50 ohm air line, low-impedance loss", stripline::Analyze, kStripline, "WidthField2=4.6207", "ImpField2=50.00 ElLengthField2=90.00 Attenuation2=.3887"},
  {"stripline narrow strip, effective width", stripline::Analyze, kStripline, "WidthField2=0.5", "ImpField2=168.39 ElLengthField2=90.00 Attenuation2=.8659"},
  {"stripline W/b 0.1, by hand", stripline::Analyze, kStripline, "WidthField2=0.32", "ImpField2=196.96"},
  {"stripline lossy dielectric at 10 GHz, decimal comma", stripline::Analyze, kLossyStripline, "WidthField2=2 DiConstField2=2,2", "ImpField2=59.61 ElLengthField2=355.98 Attenuation2=2.2784"},
  {"stripline zero thickness", stripline::Analyze, kStripline, "WidthField2=4.6207 ThicknessField2=", "ImpField2=50.00 Attenuation2=inf"},
  {"stripline 50 ohm air line", stripline::Synthesize, kStripline, "ImpField2=50", "WidthField2=4.6207 PhyLengthField2=30.0000 Attenuation2=.3887"},
  {"stripline sqrt(er) Z0 = 120 ohm takes the high-impedance forms, by hand", stripline::Synthesize, kStripline, "ImpField2=120", "WidthField2=1.1022 Attenuation2=.6342"},
  {"stripline 150 ohm, high-impedance form", stripline::Synthesize, kStripline, "ImpField2=150", "WidthField2=.6643 PhyLengthField2=30.0000 Attenuation2=.7680"},
  {"stripline 100 ohm in er 2.2, decimal comma", stripline::Synthesize, kStripline, "ImpField2=100 DiConstField2=2,2", "WidthField2=.6821 PhyLengthField2=20.2260 Attenuation2=1.1271"},
  {"stripline Pozar example 3.5", stripline::Synthesize, kLossyStripline, "ImpField2=50", "WidthField2=2.6555 PhyLengthField2=5.0565 Attenuation2=2.2003"},
  {"coax 0.91 in 2.95 mm (dB/m), decimal comma", coax::Analyze, kCoax, "InnerDiaField=0,91", "ImpField3=47.01 ElLengthField3=180.00 Attenuation3=.4032"},
  {"coax 50 ohm in 2.95 mm, decimal comma", coax::Synthesize, kCoax, "OuterDiaField=2,95", "InnerDiaField=.8445 PhyLengthField3=50.0000 Attenuation3=.4018"},
};
// clang-format on

TEST(LineModels, WorkedValues) {
  for (const Row& row : kWorked) {
    auto fields = FieldsFrom(row.page, row.inputs);
    RecordingMessageSink sink;
    row.run(fields, sink);
    EXPECT_TRUE(sink.messages.empty()) << row.name << ": " << sink.messages.front();
    EXPECT_EQ(test::Mismatches(fields, row.expected), "") << row.name;
  }
}

// The chains check in a fixed order, and "greater than zero" rejects negatives too.
// clang-format off
const Row kFailures[] = {
  {"microstrip height first", microstrip::Analyze, "", "FreqField=1 DiConstField=4.6", msg::kHeight.data()},
  {"microstrip width", microstrip::Analyze, "", "HeightField=1.6", msg::kWidth.data()},
  {"microstrip frequency", microstrip::Analyze, "", "HeightField=1.6 WidthField=3 FreqField=-1", msg::kFrequency.data()},
  {"microstrip dielectric constant", microstrip::Analyze, "", "HeightField=1.6 WidthField=3 FreqField=1 DiConstField=x", msg::kPermittivity.data()},
  {"microstrip synthesis height first", microstrip::Synthesize, "", "FreqField=1", msg::kHeight.data()},
  {"microstrip synthesis impedance", microstrip::Synthesize, kMicrostrip, "ImpField=-50", msg::kImpedance.data()},
  {"microstrip synthesis frequency", microstrip::Synthesize, kMicrostrip, "ImpField=50 FreqField=0", msg::kFrequency.data()},
  {"microstrip synthesis dielectric constant", microstrip::Synthesize, kMicrostrip, "ImpField=50 DiConstField=0", msg::kPermittivity.data()},
  {"microstrip 13000 ohm is beyond the model", microstrip::Synthesize, kMicrostrip, "ImpField=13000 ElLengthField=90", msg::kMicrostripImpedanceTooHigh.data()},
  {"stripline height first", stripline::Analyze, "", "", msg::kHeight.data()},
  {"stripline width", stripline::Analyze, "", "HeightField2=3.2 WidthField2=-1", msg::kWidth.data()},
  {"stripline frequency", stripline::Analyze, "", "HeightField2=3.2 WidthField2=1 FreqField2=0", msg::kFrequency.data()},
  {"stripline dielectric constant", stripline::Analyze, "", "HeightField2=3.2 WidthField2=1 FreqField2=1", msg::kPermittivity.data()},
  {"stripline strip as thick as the spacing", stripline::Analyze, kStripline, "WidthField2=2 ThicknessField2=3.2", msg::kThicknessNotSmaller.data()},
  {"stripline synthesis height first", stripline::Synthesize, "", "ImpField2=50 FreqField2=1", msg::kHeight.data()},
  {"stripline synthesis frequency before impedance", stripline::Synthesize, "", "HeightField2=3.2 DiConstField2=1", msg::kFrequency.data()},
  {"stripline synthesis dielectric constant", stripline::Synthesize, "", "HeightField2=3.2 FreqField2=1", msg::kPermittivity.data()},
  {"stripline synthesis impedance", stripline::Synthesize, kStripline, "ImpField2=-50", msg::kImpedance.data()},
  {"stripline synthesis thickness before reach", stripline::Synthesize, kStripline, "ImpField2=300 ThicknessField2=3.2", msg::kThicknessNotSmaller.data()},
  {"stripline 150 ohm in GaAs is beyond the model", stripline::Synthesize, kStripline, "ImpField2=150 DiConstField2=12.9", msg::kStriplineImpedanceTooHigh.data()},
  {"stripline 300 ohm in air is beyond the model", stripline::Synthesize, kStripline, "ImpField2=300", msg::kStriplineImpedanceTooHigh.data()},
  {"coax inner diameter first", coax::Analyze, kCoax, "InnerDiaField= OuterDiaField=", msg::kInnerDiameter.data()},
  {"coax outer diameter", coax::Analyze, kCoax, "OuterDiaField=0", msg::kOuterDiameter.data()},
  {"coax equal diameters, before frequency", coax::Analyze, kCoax, "InnerDiaField=2.95 FreqField3=0", msg::kInnerNotSmaller.data()},
  {"coax frequency", coax::Analyze, kCoax, "FreqField3=0 DiConstField3=", msg::kFrequency.data()},
  {"coax dielectric constant", coax::Analyze, kCoax, "DiConstField3=0 PhyLengthField3=", msg::kPermittivity.data()},
  {"coax length", coax::Analyze, kCoax, "PhyLengthField3=-5", msg::kLength.data()},
  {"coax synthesis outer diameter first", coax::Synthesize, kCoax, "OuterDiaField= ImpField3=", msg::kOuterDiameter.data()},
  {"coax synthesis impedance", coax::Synthesize, kCoax, "ImpField3=-50 FreqField3=", msg::kImpedance.data()},
  {"coax synthesis frequency", coax::Synthesize, kCoax, "FreqField3=0", msg::kFrequency.data()},
  {"coax synthesis dielectric constant", coax::Synthesize, kCoax, "DiConstField3=0 ElLengthField3=", msg::kPermittivity.data()},
  {"coax synthesis exp overflows", coax::Synthesize, kCoax, "ImpField3=1e6", msg::kInnerDiameter.data()},
  {"coax synthesis length", coax::Synthesize, kCoax, "ElLengthField3=-90", msg::kLength.data()},
};
// clang-format on

const std::vector<std::string_view>& ResultFields(FieldProcedure procedure) {
  for (const auto& rules : check::ButtonProcedures()) {
    if (*rules.run.target<FieldProcedure>() == procedure) {
      return rules.results;
    }
  }
  throw std::logic_error("no rules for this procedure");
}

TEST(LineModels, FailuresShowOneMessageAndWriteNothing) {
  for (const Row& row : kFailures) {
    auto fields = FieldsFrom(row.page, row.inputs);
    for (const auto name : ResultFields(row.run)) {
      fields.SetText(name, "before");
    }
    RecordingMessageSink sink;
    row.run(fields, sink);
    ASSERT_EQ(sink.messages.size(), 1u) << row.name;
    EXPECT_EQ(sink.messages[0], row.expected) << row.name;
    for (const auto name : ResultFields(row.run)) {
      EXPECT_EQ(fields.Text(name), "before") << row.name << ": " << name;
    }
  }
}

}  // namespace
}  // namespace mq
