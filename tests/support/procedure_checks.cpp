// SPDX-License-Identifier: MIT
#include "tests/support/procedure_checks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

#include "materials/material_catalogue.h"
#include "model/field_names.h"
#include "model/line_models.h"

namespace mq::check {
namespace {

namespace msg = messages;

// A button procedure with the rules its run must keep.
Procedure Button(std::string_view handler, int page, std::vector<std::string_view> results,
                 std::vector<std::string_view> messages) {
  const auto& buttons = kButtonProcedures;
  const auto found = std::find_if(buttons.begin(), buttons.end(), [handler](const auto& button) {
    return button.handler == handler;
  });
  if (found == buttons.end()) {
    throw std::logic_error("no procedure " + std::string(handler));
  }
  return {found->handler, page, found->run, std::move(results), std::move(messages)};
}

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Normalising replaces a comma by a point, at most twice (the height field is normalised twice).
bool IsNormalisedFrom(const std::string& before, const std::string& after) {
  return after == before || after == WithCommasAsPoints(before, 1) ||
         after == WithCommasAsPoints(before, 2);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

std::string WithCommasAsPoints(std::string text, int count) {
  for (char& character : text) {
    if (count > 0 && character == ',') {
      character = '.';
      --count;
    }
  }
  return text;
}

const std::vector<Procedure>& ButtonProcedures() {
  static const std::vector<Procedure> kProcedures = {
      Button("PhyToElBtn_Action", 1, {"ImpField", "ElLengthField", "EDiConst", "Attenuation"},
             {msg::kHeight, msg::kWidth, msg::kFrequency, msg::kPermittivity}),
      Button("ElToPhyBtn_Action", 1, {"WidthField", "PhyLengthField", "EDiConst", "Attenuation"},
             {msg::kHeight, msg::kImpedance, msg::kFrequency, msg::kPermittivity,
              msg::kMicrostripImpedanceTooHigh}),
      Button("PhyToElBtn2_Action", 2, {"ImpField2", "ElLengthField2", "Attenuation2"},
             {msg::kHeight, msg::kWidth, msg::kFrequency, msg::kPermittivity,
              msg::kThicknessNotSmaller}),
      Button("ElToPhyBtn2_Action", 2, {"WidthField2", "PhyLengthField2", "Attenuation2"},
             {msg::kHeight, msg::kFrequency, msg::kPermittivity, msg::kImpedance,
              msg::kThicknessNotSmaller, msg::kStriplineImpedanceTooHigh}),
      Button("PhyToElBtn3_Action", 3, {"ImpField3", "ElLengthField3", "Attenuation3"},
             {msg::kInnerDiameter, msg::kOuterDiameter, msg::kInnerNotSmaller, msg::kFrequency,
              msg::kPermittivity, msg::kLength}),
      Button("ElToPhyBtn3_Action", 3, {"InnerDiaField", "PhyLengthField3", "Attenuation3"},
             {msg::kOuterDiameter, msg::kImpedance, msg::kFrequency, msg::kPermittivity,
              msg::kInnerDiameter, msg::kLength}),
  };
  return kProcedures;
}

Procedure PopupHandler(std::string_view name, int row) {
  const bool dielectric = name.starts_with("Di");
  const int page = name.find('3') != std::string_view::npos   ? 3
                   : name.find('2') != std::string_view::npos ? 2
                                                              : 1;
  static const MaterialFields* const kPages[] = {
      &kMicrostripMaterialFields, &kStriplineMaterialFields, &kCoaxialMaterialFields};
  const MaterialFields& fields = *kPages[page - 1];
  Procedure handler{name, page, {}, {}, {}};
  const bool known =
      row >= 0 && row < static_cast<int>(dielectric ? MaterialCatalogue::kDielectrics.size()
                                                    : MaterialCatalogue::kConductors.size());
  if (dielectric) {
    handler.run = [&fields, row](FieldSet& f, MessageSink&) { ApplyDielectric(f, fields, row); };
    if (known) {
      handler.results = {fields.permittivity, fields.lossTangent};
    }
  } else {
    handler.run = [&fields, row](FieldSet& f, MessageSink&) { ApplyConductor(f, fields, row); };
    if (known) {
      handler.results = {fields.conductivity};
    }
  }
  return handler;
}

std::span<const std::string_view> PageFields(int page) {
  static const std::array<std::span<const std::string_view>, 3> kPages = {
      kMicrostripFieldNames, kStriplineFieldNames, kCoaxialFieldNames};
  return kPages.at(static_cast<std::size_t>(page - 1));
}

bool IsWellFormedResult(std::string_view text) {
  if (text == "inf" || text == "-inf" || text == "nan") {
    return true;
  }
  if (text.empty() || text.find_first_not_of("0123456789.-+e") != std::string_view::npos) {
    return false;
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool negativeZero =
      text.front() == '-' && text.find_first_of("123456789") == std::string_view::npos;
  // A number beyond the range of a double ("1.80e+308") is still a well-formed text.
  const bool parsed = ec == std::errc{} || ec == std::errc::result_out_of_range;
  return parsed && end == text.data() + text.size() && !negativeZero;
}

std::string CheckRun(const Procedure& procedure, const Texts& before, const Texts& after,
                     const std::vector<std::string>& messages, const Names* written) {
  const std::string who = std::string(procedure.name) + ": ";
  if (messages.size() > 1) {
    return who + "showed " + std::to_string(messages.size()) + " messages";
  }
  const auto page = PageFields(procedure.page);
  for (const auto& [name, text] : before) {
    const std::string& now = after.at(name);
    const bool onPage = std::find(page.begin(), page.end(), name) != page.end();
    const bool isResult = Contains(procedure.results, name);
    if (!onPage && now != text) {
      return who + "changed " + name + " of another page";
    }
    if (onPage && isResult && messages.empty() && !IsWellFormedResult(now)) {
      return who + "wrote " + Quoted(now) + " into " + name;
    }
    // A result field that is also normalised (the analyses normalise the impedance) may lose a
    // comma, as any input does; nothing more.
    if (onPage && isResult && !messages.empty() && !IsNormalisedFrom(text, now)) {
      return who + "changed result " + name + " although it showed a message";
    }
    if (onPage && !isResult && !IsNormalisedFrom(text, now)) {
      return who + "turned input " + name + " from " + Quoted(text) + " into " + Quoted(now);
    }
  }
  if (written != nullptr && messages.empty()) {
    for (const auto result : procedure.results) {
      if (!written->contains(result)) {
        return who + "left result " + std::string(result) + " unwritten";
      }
    }
  }
  if (!messages.empty() && !Contains(procedure.messages, messages.front())) {
    return who + "showed a message not of its chain: " + Quoted(messages.front());
  }
  return {};
}

}  // namespace mq::check
