// SPDX-License-Identifier: MIT
#include "tools/fieldcalc/fieldcalc.h"
#include "tools/fieldcalc/fieldcalc_parts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <functional>
#include <iomanip>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "materials/material_catalogue.h"
#include "model/cross_check.h"
#include "model/field_names.h"
#include "model/line_check.h"
#include "model/line_models.h"
#include "model/number_text.h"
#include "model/pair.h"

namespace mq {
namespace {

using PopupHandler = void (*)(FieldSet&, const MaterialFields&, int);

struct PopupEntry {
  std::string_view name;
  PopupHandler run;
  const MaterialFields* page;
};

constexpr PopupEntry kPopups[] = {
    {"DiPopup_Change", ApplyDielectric, &kMicrostripMaterialFields},
    {"ConPopup_Change", ApplyConductor, &kMicrostripMaterialFields},
    {"DiPopup2_Change", ApplyDielectric, &kStriplineMaterialFields},
    {"ConPopup2_Change", ApplyConductor, &kStriplineMaterialFields},
    {"DiPopup3_Change", ApplyDielectric, &kCoaxialMaterialFields},
    {"ConPopup3_Change", ApplyConductor, &kCoaxialMaterialFields},
};

using Action = std::function<void(FieldSet&, MessageSink&)>;

bool ParseRow(std::string_view text, int& row) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
  return ec == std::errc{} && end == text.data() + text.size();
}

// The action that the arguments name, or an empty one with the reason in err.
Action ResolveAction(const std::vector<std::string>& args, std::ostream& err) {
  if (args.empty()) {
    err << "usage: fieldcalc PROCEDURE [ROW] < fields, fieldcalc CrossCheck|FieldSolver PAGE "
           "< fields, fieldcalc Pair microstrip|stripline < fields, or fieldcalc Line STRUCTURE "
           "< fields\n";
    return {};
  }
  for (const auto& button : kButtonProcedures) {
    if (args[0] == button.handler) {
      if (args.size() != 1) {
        err << "fieldcalc: " << button.handler << " takes no argument\n";
        return {};
      }
      return button.run;
    }
  }
  for (const auto& popup : kPopups) {
    if (args[0] == popup.name) {
      int row = 0;
      if (args.size() != 2 || !ParseRow(args[1], row)) {
        err << "fieldcalc: " << popup.name << " takes one argument, the selected row\n";
        return {};
      }
      return [popup, row](FieldSet& fields, MessageSink&) { popup.run(fields, *popup.page, row); };
    }
  }
  err << "fieldcalc: unknown procedure \"" << args[0] << "\"\n";
  return {};
}

}  // namespace

bool ReadFields(std::istream& in, FieldSet& fields, std::ostream& err) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) {
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
      err << "fieldcalc: line " << number << " is not Name=text: " << line << '\n';
      return false;
    }
    try {
      fields.SetText(std::string_view(line).substr(0, equals), line.substr(equals + 1));
    } catch (const UnknownFieldError& unknown) {
      err << "fieldcalc: line " << number << ": " << unknown.what() << '\n';
      return false;
    }
  }
  return true;
}

namespace {

// The page's fields and, on page 1, the extra key Thickness: the strip's thickness in mm.
struct PageFields {
  int page = 0;
  MemoryFieldSet fields;
  double thickness = 0;
};

bool ReadPage(const std::vector<std::string>& args, std::istream& in, std::ostream& err,
              PageFields& read) {
  if (args.size() != 2 || !ParseRow(args[1], read.page) || read.page < 1 || read.page > 3) {
    err << "fieldcalc: " << args[0] << " takes one argument, the page (1, 2 or 3)\n";
    return false;
  }
  if (!ReadFields(in, read.fields, err)) {
    return false;
  }
  read.thickness = ParseLeadingNumber(ReplaceFirstComma(read.fields.Text("Thickness")));
  return true;
}

std::vector<std::string_view> PageFieldNames() {
  std::vector<std::string_view> names = AllFieldNames();
  names.push_back("Thickness");
  return names;
}

}  // namespace

// "FieldSolver PAGE": the field solver's answer for the page's cross-section, with the time it
// took.
int PrintFieldSolver(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                     std::ostream& err) {
  PageFields read{0, MemoryFieldSet(PageFieldNames()), 0};
  if (!ReadPage(args, in, err, read)) {
    return kFieldCalcUsageError;
  }
  const auto start = std::chrono::steady_clock::now();
  const field_solver::Answer answer = SolvePage(read.page, read.fields, read.thickness).analysis;
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (!answer.reason.empty()) {
    out << "reason=" << answer.reason << '\n';
    return 0;
  }
  out << std::setprecision(10) << "impedance=" << answer.impedance
      << "\npermittivity=" << answer.permittivity << "\nestimate=" << std::setprecision(2)
      << answer.estimate << "\nmilliseconds=" << std::setprecision(3) << took.count() << '\n';
  return 0;
}

// "CrossCheck PAGE": the page's cross-check with the field solver's figures, a line each, instead
// of a procedure's run; the verdicts and limits as "ok: ..." and "warning: ..." lines.
int PrintCrossCheck(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  PageFields read{0, MemoryFieldSet(PageFieldNames()), 0};
  if (!ReadPage(args, in, err, read)) {
    return kFieldCalcUsageError;
  }
  const SolvedPage solved = SolvePage(read.page, read.fields, read.thickness);
  for (const auto& line :
       CrossCheckText(CrossCheckPage(read.page, read.fields, &solved, read.thickness))) {
    out << line << '\n';
  }
  return 0;
}

namespace {

constexpr std::array<std::string_view, 8> kPairKeys = {
    "Width", "Spacing", "Height", "Thickness", "DiConst", "Frequency", "Target", "Solve"};

// The pair's dimensions, each the whole of its text (a decimal comma read), or the first that is
// not a number.
std::string ReadPairInputs(const FieldSet& fields, PairInputs& pair) {
  const std::pair<std::string_view, double PairInputs::*> dimensions[] = {
      {"Width", &PairInputs::width},          {"Spacing", &PairInputs::spacing},
      {"Height", &PairInputs::height},        {"Thickness", &PairInputs::thickness},
      {"DiConst", &PairInputs::permittivity}, {"Frequency", &PairInputs::gigahertz}};
  for (const auto& [key, member] : dimensions) {
    const std::string text = fields.Text(key);
    if ((key == "Thickness" || key == "Frequency") && text.empty()) {
      continue;
    }
    const auto value = ReadWholeNumber(text);
    if (!value) {
      return std::string(key) + ": \"" + text + "\" is not a number.";
    }
    pair.*member = *value;
  }
  return {};
}

}  // namespace

void PrintPair(const field_solver::PairAnswer& pair, std::ostream& out) {
  const double even = pair.even.impedance, odd = pair.odd.impedance;
  out << std::setprecision(10) << "even_impedance=" << even << "\nodd_impedance=" << odd
      << "\ndifferential_impedance=" << 2 * odd << "\ncommon_impedance=" << even / 2
      << "\neven_permittivity=" << pair.even.permittivity
      << "\nodd_permittivity=" << pair.odd.permittivity
      << "\ncoupling=" << (even - odd) / (even + odd) << "\nestimate=" << std::setprecision(2)
      << std::max(pair.even.estimate, pair.odd.estimate) << '\n';
}

namespace {

// The published model's dispersed permittivities, then every verdict and limit of the pair as
// "ok: ..." or "warning: ...".
void PrintPairCheck(const PairInputs& in, const SolvedPair& solved, std::ostream& out) {
  const PairCheck check = CheckPair(in, solved.Judged());
  for (const PairRow& row : check.rows) {
    if (row.quantity.find(" at ") != std::string::npos) {
      out << (row.quantity.starts_with("Even") ? "even" : "odd")
          << "_permittivity_at_frequency=" << std::setprecision(10) << row.published << '\n';
    }
  }
  for (const Limit& limit : check.limits) {
    out << (limit.ok ? "ok: " : "warning: ") << limit.words << '\n';
  }
}

}  // namespace

// "Pair microstrip|stripline": the field solver's even and odd modes of the pair, or, with Target
// and Solve=width|spacing, the width (spacing) that gives it that differential impedance.
int PrintPairSolution(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
  MemoryFieldSet fields({kPairKeys.begin(), kPairKeys.end()});
  if (args.size() != 2 || (args[1] != "microstrip" && args[1] != "stripline")) {
    err << "fieldcalc: Pair takes one argument, microstrip or stripline\n";
    return kFieldCalcUsageError;
  }
  if (!ReadFields(in, fields, err)) {
    return kFieldCalcUsageError;
  }
  PairInputs pair;
  pair.structure = args[1] == "microstrip" ? PairStructure::kMicrostrip : PairStructure::kStripline;
  const auto start = std::chrono::steady_clock::now();
  std::string reason = ReadPairInputs(fields, pair);
  const std::string solve = fields.Text("Solve");
  PairSynthesis found;
  if (reason.empty() && (solve == "width" || solve == "spacing")) {
    const auto target = ReadWholeNumber(fields.Text("Target"));
    found = solve == "width" ? FindPairWidth(pair, target.value_or(NAN))
                             : FindPairSpacing(pair, target.value_or(NAN));
    reason = found.reason;
  } else if (reason.empty()) {
    found.pair = SolvePairOf(pair);
    reason = found.pair.reason;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (!reason.empty()) {
    out << "reason=" << reason << '\n';
    return 0;
  }
  PrintPair(found.pair, out);
  if (std::isfinite(found.value)) {
    out << solve << '=' << std::setprecision(10) << found.value << '\n';
  }
  out << "milliseconds=" << std::setprecision(3) << took.count() << '\n';
  if (std::isfinite(found.value)) {
    (solve == "width" ? pair.width : pair.spacing) = found.value;
  }
  PrintPairCheck(pair, SolvePairToJudge(pair), out);
  return 0;
}

int RunFieldCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
  if (!args.empty() && args[0] == "CrossCheck") {
    return PrintCrossCheck(args, in, out, err);
  }
  if (!args.empty() && args[0] == "Pair") {
    return PrintPairSolution(args, in, out, err);
  }
  if (!args.empty() && args[0] == "Line") {
    return PrintLineSolution(args, in, out, err);
  }
  if (!args.empty() && args[0] == "Sweep") {
    return PrintLineSweep(args, in, out, err);
  }
  if (!args.empty() && args[0] == "Touchstone") {
    return PrintLineTouchstone(args, in, out, err);
  }
  if (!args.empty() && args[0] == "FieldSolver") {
    return PrintFieldSolver(args, in, out, err);
  }
  const Action action = ResolveAction(args, err);
  MemoryFieldSet fields(AllFieldNames());
  if (!action || !ReadFields(in, fields, err)) {
    return kFieldCalcUsageError;
  }
  RecordingMessageSink messages;
  action(fields, messages);
  for (const auto& message : messages.messages) {
    out << "message: " << message << '\n';
  }
  for (const auto& [name, text] : fields.All()) {
    out << name << '=' << text << '\n';
  }
  return 0;
}

}  // namespace mq
