// SPDX-License-Identifier: MIT
// The six calculation procedures over the window's fields. Each is one straight run: normalise
// the page's fields, read the inputs, compute, validate, write the results. The physics itself
// lives in the pure functions of microstrip.h, stripline.h and coax.h.
#pragma once

#include <array>
#include <string_view>

#include "model/coax.h"
#include "model/field_set.h"
#include "model/microstrip.h"
#include "model/stripline.h"

namespace mq {

namespace microstrip {
void Analyze(FieldSet& fields, MessageSink& sink);     // "<-" on the Microstrip page
void Synthesize(FieldSet& fields, MessageSink& sink);  // "->" on the Microstrip page
}  // namespace microstrip

namespace stripline {
void Analyze(FieldSet& fields, MessageSink& sink);
void Synthesize(FieldSet& fields, MessageSink& sink);
}  // namespace stripline

namespace coax {
void Analyze(FieldSet& fields, MessageSink& sink);
void Synthesize(FieldSet& fields, MessageSink& sink);
}  // namespace coax

// The six procedures by the button event that runs each, in the order of the pages.
using FieldProcedure = void (*)(FieldSet&, MessageSink&);
struct ButtonProcedure {
  std::string_view handler;  // "PhyToElBtn_Action", ...
  FieldProcedure run;
};
extern const std::array<ButtonProcedure, 6> kButtonProcedures;

// The texts of the validation messages, shown exactly as written.
namespace messages {
inline constexpr std::string_view kHeight = "Height must be greater than zero.";
inline constexpr std::string_view kWidth = "Width must be greater than zero.";
inline constexpr std::string_view kImpedance = "Impedans must be greater than zero.";
inline constexpr std::string_view kFrequency = "Frequency must be greater than zero.";
inline constexpr std::string_view kPermittivity = "Dielectric constant must be greater than zero.";
inline constexpr std::string_view kInnerDiameter = "Inner diameter must be greater than zero.";
inline constexpr std::string_view kOuterDiameter = "Outer diameter must greater than zero.";
inline constexpr std::string_view kLength = "Length must be greater than zero.";
inline constexpr std::string_view kInnerNotSmaller =
    "Inner diameter must be smaller than outer diameter.";
inline constexpr std::string_view kStriplineImpedanceTooHigh =
    "Impedance is too high for this stripline.";
inline constexpr std::string_view kMicrostripImpedanceTooHigh =
    "Impedance is too high for this microstrip.";
inline constexpr std::string_view kThicknessNotSmaller = "Thickness must be smaller than height.";
}  // namespace messages

}  // namespace mq
