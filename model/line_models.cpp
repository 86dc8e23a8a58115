// SPDX-License-Identifier: MIT
#include "model/line_models.h"

#include <initializer_list>
#include <string_view>

#include "model/constants.h"

namespace mq {
namespace {

using constants::kHertzPerGigahertz;
using constants::kMillimetresPerMetre;

// Both procedures of a page normalise the same fields in the same order. The height stands
// twice so that its first two commas become points.
constexpr std::string_view kMicrostripNormalizeOrder[] = {
    "ConField",       "DiConstField", "LossTanField", "HeightField", "WidthField",
    "PhyLengthField", "ImpField",     "FreqField",    "HeightField", "ElLengthField"};
constexpr std::string_view kStriplineNormalizeOrder[] = {
    "ConField2",   "DiConstField2",   "LossTanField2",   "HeightField2",
    "WidthField2", "PhyLengthField2", "ThicknessField2", "ImpField2",
    "FreqField2",  "HeightField2",    "ElLengthField2"};
constexpr std::string_view kCoaxialNormalizeOrder[] = {
    "ConField3",       "DiConstField3", "LossTanField3", "InnerDiaField", "OuterDiaField",
    "PhyLengthField3", "ImpField3",     "FreqField3",    "ElLengthField3"};

template <std::size_t N>
void NormalizeAll(FieldSet& fields, const std::string_view (&names)[N]) {
  for (const auto name : names) {
    NormalizeDecimalSeparator(fields, name);
  }
}

double ReadMillimetres(const FieldSet& fields, std::string_view name) {
  return ReadNumber(fields, name) / kMillimetresPerMetre;
}

// A diameter typed in mm, read as a radius in m.
double ReadRadius(const FieldSet& fields, std::string_view name) {
  return (ReadNumber(fields, name) / 2.0) / kMillimetresPerMetre;
}

double ReadGigahertz(const FieldSet& fields, std::string_view name) {
  return ReadNumber(fields, name) * kHertzPerGigahertz;
}

// NaN counts as not positive, so a check can never let an undefined quantity through.
bool NotPositive(double value) {
  return !(value > 0.0);
}

// A strip at least as thick as the ground-plane spacing leaves no room between them: no line.
bool StripNotThinner(const stripline::Line& line) {
  return !(line.thickness < line.spacing);
}

struct Check {
  bool fails;
  std::string_view message;
};

// Shows the message of the first failing check; true when one failed.
bool ReportFirstFailure(MessageSink& sink, std::initializer_list<Check> chain) {
  for (const Check& check : chain) {
    if (check.fails) {
      ShowMessage(sink, check.message);
      return true;
    }
  }
  return false;
}

}  // namespace

namespace microstrip {

void Analyze(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kMicrostripNormalizeOrder);
  AnalysisInput in;
  in.line.width = ReadMillimetres(fields, "WidthField");
  in.line.height = ReadMillimetres(fields, "HeightField");
  in.line.permittivity = ReadNumber(fields, "DiConstField");
  in.length = ReadMillimetres(fields, "PhyLengthField");
  in.line.frequency = ReadGigahertz(fields, "FreqField");
  in.line.conductivity = ReadNumber(fields, "ConField");
  in.line.lossTangent = ReadNumber(fields, "LossTanField");

  const AnalysisResult out = ComputeAnalysis(in);

  if (ReportFirstFailure(sink, {{NotPositive(in.line.height), messages::kHeight},
                                {NotPositive(in.line.width), messages::kWidth},
                                {NotPositive(in.line.frequency), messages::kFrequency},
                                {NotPositive(in.line.permittivity), messages::kPermittivity}})) {
    return;
  }
  WriteResult(fields, "ImpField", out.impedance, Pattern::kTwoDecimals);
  WriteResult(fields, "ElLengthField", out.electricalLength, Pattern::kTwoDecimals);
  WriteResult(fields, "EDiConst", out.effectivePermittivity, Pattern::kTwoDecimals);
  WriteResult(fields, "Attenuation", out.attenuation, Pattern::kFourDecimals);
}

void Synthesize(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kMicrostripNormalizeOrder);
  SynthesisInput in;
  in.impedance = ReadNumber(fields, "ImpField");
  in.line.height = ReadMillimetres(fields, "HeightField");
  in.line.permittivity = ReadNumber(fields, "DiConstField");
  in.line.lossTangent = ReadNumber(fields, "LossTanField");
  in.line.conductivity = ReadNumber(fields, "ConField");
  in.electricalLength = ReadNumber(fields, "ElLengthField");
  in.line.frequency = ReadGigahertz(fields, "FreqField");

  const SynthesisResult out = ComputeSynthesis(in);

  // Far beyond the impedances a microstrip reaches, Wheeler's forms give no positive width.
  if (ReportFirstFailure(sink, {{NotPositive(in.line.height), messages::kHeight},
                                {NotPositive(in.impedance), messages::kImpedance},
                                {NotPositive(in.line.frequency), messages::kFrequency},
                                {NotPositive(in.line.permittivity), messages::kPermittivity},
                                {NotPositive(out.width), messages::kMicrostripImpedanceTooHigh}})) {
    return;
  }
  WriteResult(fields, "WidthField", out.width * kMillimetresPerMetre, Pattern::kFourDecimals);
  WriteResult(fields, "PhyLengthField", out.length * kMillimetresPerMetre, Pattern::kFourDecimals);
  WriteResult(fields, "EDiConst", out.effectivePermittivity, Pattern::kTwoDecimals);
  WriteResult(fields, "Attenuation", out.attenuation, Pattern::kFourDecimals);
}

}  // namespace microstrip

namespace stripline {

void Analyze(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kStriplineNormalizeOrder);
  AnalysisInput in;
  in.line.width = ReadMillimetres(fields, "WidthField2");
  in.line.spacing = ReadMillimetres(fields, "HeightField2");
  in.line.thickness = ReadMillimetres(fields, "ThicknessField2");
  in.length = ReadMillimetres(fields, "PhyLengthField2");
  in.line.permittivity = ReadNumber(fields, "DiConstField2");
  in.line.frequency = ReadGigahertz(fields, "FreqField2");
  in.line.conductivity = ReadNumber(fields, "ConField2");
  in.line.lossTangent = ReadNumber(fields, "LossTanField2");

  const AnalysisResult out = ComputeAnalysis(in);

  if (ReportFirstFailure(sink, {{NotPositive(in.line.spacing), messages::kHeight},
                                {NotPositive(in.line.width), messages::kWidth},
                                {NotPositive(in.line.frequency), messages::kFrequency},
                                {NotPositive(in.line.permittivity), messages::kPermittivity},
                                {StripNotThinner(in.line), messages::kThicknessNotSmaller}})) {
    return;
  }
  WriteResult(fields, "ImpField2", out.impedance, Pattern::kTwoDecimals);
  WriteResult(fields, "ElLengthField2", out.electricalLength, Pattern::kTwoDecimals);
  WriteResult(fields, "Attenuation2", out.attenuation, Pattern::kFourDecimals);
}

void Synthesize(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kStriplineNormalizeOrder);
  SynthesisInput in;
  in.impedance = ReadNumber(fields, "ImpField2");
  in.line.spacing = ReadMillimetres(fields, "HeightField2");
  in.line.thickness = ReadMillimetres(fields, "ThicknessField2");
  in.line.permittivity = ReadNumber(fields, "DiConstField2");
  in.line.frequency = ReadGigahertz(fields, "FreqField2");
  in.line.conductivity = ReadNumber(fields, "ConField2");
  in.line.lossTangent = ReadNumber(fields, "LossTanField2");
  in.electricalLength = ReadNumber(fields, "ElLengthField2");

  const SynthesisResult out = ComputeSynthesis(in);

  // The high-impedance width form reaches zero near sqrt(er) Z0 = 296 ohm; beyond that no
  // strip realises the wanted impedance.
  if (ReportFirstFailure(sink, {{NotPositive(in.line.spacing), messages::kHeight},
                                {NotPositive(in.line.frequency), messages::kFrequency},
                                {NotPositive(in.line.permittivity), messages::kPermittivity},
                                {NotPositive(in.impedance), messages::kImpedance},
                                {StripNotThinner(in.line), messages::kThicknessNotSmaller},
                                {NotPositive(out.width), messages::kStriplineImpedanceTooHigh}})) {
    return;
  }
  WriteResult(fields, "WidthField2", out.width * kMillimetresPerMetre, Pattern::kFourDecimals);
  WriteResult(fields, "PhyLengthField2", out.length * kMillimetresPerMetre, Pattern::kFourDecimals);
  WriteResult(fields, "Attenuation2", out.attenuation, Pattern::kFourDecimals);
}

}  // namespace stripline

namespace coax {

void Analyze(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kCoaxialNormalizeOrder);
  AnalysisInput in;
  in.material.permittivity = ReadNumber(fields, "DiConstField3");
  in.material.lossTangent = ReadNumber(fields, "LossTanField3");
  in.material.frequency = ReadGigahertz(fields, "FreqField3");
  in.material.conductivity = ReadNumber(fields, "ConField3");
  in.length = ReadMillimetres(fields, "PhyLengthField3");
  in.innerRadius = ReadRadius(fields, "InnerDiaField");
  in.outerRadius = ReadRadius(fields, "OuterDiaField");

  const AnalysisResult out = ComputeAnalysis(in);

  if (ReportFirstFailure(sink, {{NotPositive(in.innerRadius), messages::kInnerDiameter},
                                {NotPositive(in.outerRadius), messages::kOuterDiameter},
                                {!(in.innerRadius < in.outerRadius), messages::kInnerNotSmaller},
                                {NotPositive(in.material.frequency), messages::kFrequency},
                                {NotPositive(in.material.permittivity), messages::kPermittivity},
                                {NotPositive(in.length), messages::kLength}})) {
    return;
  }
  WriteResult(fields, "ImpField3", out.impedance, Pattern::kTwoDecimals);
  WriteResult(fields, "ElLengthField3", out.electricalLength, Pattern::kTwoDecimals);
  WriteResult(fields, "Attenuation3", out.attenuation, Pattern::kFourDecimals);
}

void Synthesize(FieldSet& fields, MessageSink& sink) {
  NormalizeAll(fields, kCoaxialNormalizeOrder);
  SynthesisInput in;
  in.impedance = ReadNumber(fields, "ImpField3");
  in.material.permittivity = ReadNumber(fields, "DiConstField3");
  in.material.lossTangent = ReadNumber(fields, "LossTanField3");
  in.electricalLength = ReadNumber(fields, "ElLengthField3");
  in.material.frequency = ReadGigahertz(fields, "FreqField3");
  in.material.conductivity = ReadNumber(fields, "ConField3");
  in.outerRadius = ReadRadius(fields, "OuterDiaField");

  const SynthesisResult out = ComputeSynthesis(in);

  // An impedance so large that exp overflows leaves an inner radius of exactly zero.
  if (ReportFirstFailure(sink, {{NotPositive(in.outerRadius), messages::kOuterDiameter},
                                {NotPositive(in.impedance), messages::kImpedance},
                                {NotPositive(in.material.frequency), messages::kFrequency},
                                {NotPositive(in.material.permittivity), messages::kPermittivity},
                                {NotPositive(out.innerRadius), messages::kInnerDiameter},
                                {NotPositive(out.length), messages::kLength}})) {
    return;
  }
  WriteResult(fields, "InnerDiaField", (out.innerRadius * 2.0) * kMillimetresPerMetre,
              Pattern::kFourDecimals);
  WriteResult(fields, "PhyLengthField3", out.length * kMillimetresPerMetre, Pattern::kFourDecimals);
  WriteResult(fields, "Attenuation3", out.attenuation, Pattern::kFourDecimals);
}

}  // namespace coax

const std::array<ButtonProcedure, 6> kButtonProcedures = {{
    {"PhyToElBtn_Action", microstrip::Analyze},
    {"ElToPhyBtn_Action", microstrip::Synthesize},
    {"PhyToElBtn2_Action", stripline::Analyze},
    {"ElToPhyBtn2_Action", stripline::Synthesize},
    {"PhyToElBtn3_Action", coax::Analyze},
    {"ElToPhyBtn3_Action", coax::Synthesize},
}};

}  // namespace mq
