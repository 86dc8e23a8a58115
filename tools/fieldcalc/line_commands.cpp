// SPDX-License-Identifier: MIT
// fieldcalc's commands over any line the layered solver knows: "Line STRUCTURE" (its figures,
// the published model, the verdicts, a dimension found for a target, and with a Frequency its
// loss), "Sweep STRUCTURE" (the figures and the loss over frequency, as CSV) and "Touchstone
// STRUCTURE" (the line of a given Length as a Touchstone file).
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <iomanip>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "model/line_check.h"
#include "model/line_loss.h"
#include "model/line_sweep.h"
#include "model/number_text.h"
#include "tools/fieldcalc/fieldcalc.h"
#include "tools/fieldcalc/fieldcalc_parts.h"

namespace mq {
namespace {

constexpr std::array<std::string_view, 29> kLineKeys = {
    "Width",        "TopWidth",      "Spacing",         "Gap",
    "GroundWidth",  "Height",        "HeightAbove",     "Thickness",
    "Cover",        "MaskThickness", "DiConst",         "DiConstAbove",
    "MaskDiConst",  "Target",        "Solve",           "Frequency",
    "Conductivity", "LossTangent",   "MaskLossTangent", "Roughness",
    "RoughnessRms", "NoduleRadius",  "SurfaceRatio",    "DielectricModel",
    "Start",        "Stop",          "Points",          "Length",
    "Reference"};

// A key's number: none for an empty text, or the reason it is not a number.
std::optional<double> ReadLineKey(const FieldSet& fields, std::string_view key,
                                  std::string& reason) {
  const std::string text = fields.Text(key);
  if (text.empty() || !reason.empty()) {
    return std::nullopt;
  }
  const auto value = ReadWholeNumber(text);
  if (!value) {
    reason = std::string(key) + ": \"" + text + "\" is not a number.";
  }
  return value;
}

// The keys each structure cannot do without; the one solved for may be left out.
std::string MissingLineKey(const FieldSet& fields, LineStructure structure,
                           std::string_view solve) {
  const std::string_view name = StructureName(structure);
  const bool coplanar = name.starts_with("cpw") || name.starts_with("gcpw");
  const std::pair<std::string_view, bool> needed[] = {
      {"Width", solve != "width"},
      {"Height", true},
      {"DiConst", true},
      {"Spacing", IsPair(structure) && solve != "spacing"},
      {"Gap", coplanar && solve != "gap"},
      {"HeightAbove", name.starts_with("offset-stripline")}};
  for (const auto& [key, need] : needed) {
    if (need && fields.Text(key).empty()) {
      return std::string(key) + " is missing.";
    }
  }
  return {};
}

// The line's inputs from its keys, or the first reason they cannot be read.
std::string ReadLineInputs(const FieldSet& fields, LineInputs& line) {
  std::string reason = MissingLineKey(fields, line.structure, fields.Text("Solve"));
  const std::pair<std::string_view, double LineInputs::*> plain[] = {
      {"Width", &LineInputs::width},
      {"Spacing", &LineInputs::spacing},
      {"Gap", &LineInputs::gap},
      {"Height", &LineInputs::height},
      {"HeightAbove", &LineInputs::heightAbove},
      {"Thickness", &LineInputs::thickness},
      {"Cover", &LineInputs::cover},
      {"MaskThickness", &LineInputs::maskThickness},
      {"DiConst", &LineInputs::permittivity},
      {"MaskDiConst", &LineInputs::maskPermittivity}};
  for (const auto& [key, member] : plain) {
    line.*member = ReadLineKey(fields, key, reason).value_or(line.*member);
  }
  line.topWidth = ReadLineKey(fields, "TopWidth", reason);
  line.groundWidth = ReadLineKey(fields, "GroundWidth", reason);
  line.permittivityAbove = ReadLineKey(fields, "DiConstAbove", reason);
  // The broadside pair lies centred: its upper gap is the lower one unless given.
  if (line.structure == LineStructure::kBroadsidePair && fields.Text("HeightAbove").empty()) {
    line.heightAbove = line.height;
  }
  return reason;
}

std::optional<LineUnknown> UnknownNamed(std::string_view solve) {
  if (solve == "width") {
    return LineUnknown::kWidth;
  }
  if (solve == "spacing") {
    return LineUnknown::kSpacing;
  }
  if (solve == "gap") {
    return LineUnknown::kGap;
  }
  return std::nullopt;
}

void PrintLineFigures(const LineInputs& in, const LineSolution& solved, std::ostream& out) {
  if (IsPair(in.structure)) {
    PrintPair(solved.pair, out);
    return;
  }
  out << std::setprecision(10) << "impedance=" << solved.single.impedance
      << "\npermittivity=" << solved.single.permittivity << "\nestimate=" << std::setprecision(2)
      << solved.single.estimate << '\n';
}

// The published model and its figure, then every verdict and note as "ok: ..." or "warning: ...".
void PrintLineCheck(const LineInputs& in, const LineSolution& solved, std::ostream& out) {
  const LineCheck check = CheckLine(in, solved);
  out << "published_model=" << check.published.model << '\n';
  if (std::isfinite(check.published.impedance)) {
    out << (IsPair(in.structure) ? "published_differential_impedance=" : "published_impedance=")
        << std::setprecision(10) << check.published.impedance << '\n';
  }
  for (const Limit& limit : check.limits) {
    out << (limit.ok ? "ok: " : "warning: ") << limit.words << '\n';
  }
}

template <typename Choice, std::size_t N>
std::optional<Choice> Named(std::string_view text,
                            const std::array<std::pair<std::string_view, Choice>, N>& names) {
  for (const auto& [name, choice] : names) {
    if (text == name) {
      return choice;
    }
  }
  return std::nullopt;
}

constexpr std::array<std::pair<std::string_view, RoughnessModel>, 5> kRoughnessNames = {{
    {"", RoughnessModel::kSmooth},
    {"smooth", RoughnessModel::kSmooth},
    {"hammerstad", RoughnessModel::kHammerstad},
    {"groisse", RoughnessModel::kGroisse},
    {"huray", RoughnessModel::kHuray},
}};
constexpr std::array<std::pair<std::string_view, DielectricModel>, 3> kDielectricNames = {{
    {"", DielectricModel::kConstant},
    {"constant", DielectricModel::kConstant},
    {"djordjevic-sarkar", DielectricModel::kDjordjevicSarkar},
}};

// The loss keys, or the first reason they cannot be read.
std::string ReadLossInputs(const FieldSet& fields, LossInputs& loss) {
  std::string reason;
  const std::pair<std::string_view, double LossInputs::*> plain[] = {
      {"Conductivity", &LossInputs::conductivity},
      {"LossTangent", &LossInputs::lossTangent},
      {"MaskLossTangent", &LossInputs::maskLossTangent},
      {"RoughnessRms", &LossInputs::roughnessRms},
      {"NoduleRadius", &LossInputs::noduleRadius},
      {"SurfaceRatio", &LossInputs::surfaceRatio}};
  for (const auto& [key, member] : plain) {
    loss.*member = ReadLineKey(fields, key, reason).value_or(loss.*member);
  }
  const auto roughness = Named(fields.Text("Roughness"), kRoughnessNames);
  const auto dielectric = Named(fields.Text("DielectricModel"), kDielectricNames);
  if (reason.empty() && !roughness) {
    reason = "Roughness must be smooth, hammerstad, groisse or huray.";
  }
  if (reason.empty() && !dielectric) {
    reason = "DielectricModel must be constant or djordjevic-sarkar.";
  }
  loss.roughness = roughness.value_or(RoughnessModel::kSmooth);
  loss.dielectric = dielectric.value_or(DielectricModel::kConstant);
  return reason.empty() ? InvalidLossInput(loss) : reason;
}

// A positive number under `key` (GHz, mm, ohm), or the reason there is none.
std::string ReadPositive(const FieldSet& fields, std::string_view key, double& value) {
  std::string reason;
  const auto read = ReadLineKey(fields, key, reason);
  if (!reason.empty()) {
    return reason;
  }
  if (!read || !(*read > 0) || !std::isfinite(*read)) {
    return std::string(key) + " must be a positive number.";
  }
  value = *read;
  return {};
}

void PrintModeLoss(std::string_view prefix, const ModeLoss& mode, std::ostream& out) {
  out << std::setprecision(10) << prefix << "conductor_loss=" << mode.conductor * kDecibelsPerNeper
      << '\n'
      << prefix << "dielectric_loss=" << mode.dielectric * kDecibelsPerNeper << '\n'
      << prefix << "total_loss=" << mode.Total() * kDecibelsPerNeper << '\n';
}

// In dB/m: a single line's loss; a pair's modes', then the differential signal's, the odd mode's.
void PrintLoss(const LineInputs& line, const LossBasis& basis, const LossInputs& in,
               double gigahertz, std::ostream& out) {
  if (!basis.reason.empty()) {
    out << "loss_reason=" << basis.reason << '\n';
    return;
  }
  const LineLoss loss = LossOfLine(basis, in, gigahertz * 1e9);
  out << std::setprecision(10) << "skin_depth=" << loss.skinDepth * 1e6
      << "\nroughness_factor=" << loss.roughnessFactor << '\n';
  if (IsPair(line.structure)) {
    PrintModeLoss("even_", loss.even, out);
    PrintModeLoss("odd_", loss.odd, out);
  }
  PrintModeLoss("", IsPair(line.structure) ? loss.odd : loss.single, out);
}

// The structure named by the command's one argument, or none having said what there are.
std::optional<LineStructure> StructureArgument(const std::vector<std::string>& args,
                                               std::ostream& err) {
  const auto structure = args.size() == 2 ? StructureNamed(args[1]) : std::nullopt;
  if (!structure) {
    err << "fieldcalc: " << (args.empty() ? "Line" : args[0])
        << " takes one argument, the structure:";
    for (const std::string_view name : StructureNames()) {
      err << ' ' << name;
    }
    err << '\n';
  }
  return structure;
}

}  // namespace

// "Line STRUCTURE": the field solver's figures of any line it knows beside its published model,
// or, with Target and Solve=width|spacing|gap, the dimension that gives that impedance.
int PrintLineSolution(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
  MemoryFieldSet fields({kLineKeys.begin(), kLineKeys.end()});
  const auto structure = StructureArgument(args, err);
  if (!structure || !ReadFields(in, fields, err)) {
    return kFieldCalcUsageError;
  }
  LineInputs line;
  line.structure = *structure;
  const auto start = std::chrono::steady_clock::now();
  std::string reason = ReadLineInputs(fields, line);
  const std::string solve = fields.Text("Solve");
  const auto unknown = UnknownNamed(solve);
  LineSynthesis found;
  if (reason.empty() && !solve.empty() && !unknown) {
    reason = "Solve must be width, spacing or gap.";
  } else if (reason.empty() && unknown) {
    const auto target = ReadWholeNumber(fields.Text("Target"));
    found = FindLineDimension(line, *unknown, target.value_or(NAN));
    reason = found.reason;
  } else if (reason.empty()) {
    reason = InvalidInput(line);
  }
  LossInputs loss;
  double gigahertz = 0;
  const bool lossy = !fields.Text("Frequency").empty();
  if (reason.empty() && lossy) {
    reason = ReadPositive(fields, "Frequency", gigahertz);
  }
  if (reason.empty() && lossy) {
    reason = ReadLossInputs(fields, loss);
  }
  if (reason.empty() && !unknown) {
    found.solution = SolveLineInputs(line);
    reason = found.solution.reason;
  }
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  if (!reason.empty()) {
    out << "reason=" << reason << '\n';
    return 0;
  }
  PrintLineFigures(line, found.solution, out);
  out << "milliseconds=" << std::setprecision(3) << took.count() << '\n';
  if (unknown) {
    line.*(unknown == LineUnknown::kWidth     ? &LineInputs::width
           : unknown == LineUnknown::kSpacing ? &LineInputs::spacing
                                              : &LineInputs::gap) = found.value;
  }
  if (lossy) {
    PrintLoss(line, SolveLossBasis(line, found.solution), loss, gigahertz, out);
  }
  PrintLineCheck(line, found.solution, out);
  if (unknown) {
    out << solve << '=' << std::setprecision(10) << found.value << '\n';
  }
  return 0;
}

namespace {

// A line and its loss over Start-Stop GHz at Points log-spaced frequencies, solved once.
struct SweptLine {
  LineInputs line;
  LossInputs loss;
  std::vector<double> hertz;
  LossBasis basis;
  double length = 0, reference = 50;  // mm, ohm: the Touchstone file's
  std::string lengthReason;           // why they cannot be read
};

std::string ReadFrequencies(const FieldSet& fields, std::vector<double>& hertz) {
  double start = 0, stop = 0, points = 0;
  std::string reason = ReadPositive(fields, "Start", start);
  if (reason.empty()) {
    reason = ReadPositive(fields, "Stop", stop);
  }
  if (reason.empty()) {
    reason = ReadPositive(fields, "Points", points);
  }
  if (!reason.empty()) {
    return reason;
  }
  if (points != std::floor(points) || points > 100000 || stop < start) {
    return "Points must be a whole number up to 100000 and Stop at least Start.";
  }
  hertz = LogSpaced(1e9 * start, 1e9 * stop, static_cast<int>(points));
  return {};
}

// The line, its loss inputs and frequencies read and the line solved; or the reason not.
std::string SolveSwept(const FieldSet& fields, SweptLine& swept) {
  std::string reason = ReadLineInputs(fields, swept.line);
  if (reason.empty()) {
    reason = InvalidInput(swept.line);
  }
  if (reason.empty()) {
    reason = ReadLossInputs(fields, swept.loss);
  }
  if (reason.empty()) {
    reason = ReadFrequencies(fields, swept.hertz);
  }
  if (!reason.empty()) {
    return reason;
  }
  const LineSolution solved = SolveLineInputs(swept.line);
  swept.basis = SolveLossBasis(swept.line, solved);
  return swept.basis.reason;
}

std::optional<SweptLine> ReadSwept(const std::vector<std::string>& args, std::istream& in,
                                   std::ostream& out, std::ostream& err, int& status) {
  MemoryFieldSet fields({kLineKeys.begin(), kLineKeys.end()});
  SweptLine swept;
  const auto structure = StructureArgument(args, err);
  status = kFieldCalcUsageError;
  if (!structure || !ReadFields(in, fields, err)) {
    return std::nullopt;
  }
  status = 0;
  swept.line.structure = *structure;
  if (std::string reason = SolveSwept(fields, swept); !reason.empty()) {
    out << "reason=" << reason << '\n';
    return std::nullopt;
  }
  swept.lengthReason = ReadPositive(fields, "Length", swept.length);
  if (swept.lengthReason.empty() && !fields.Text("Reference").empty()) {
    swept.lengthReason = ReadPositive(fields, "Reference", swept.reference);
  }
  return swept;
}

}  // namespace

// "Sweep STRUCTURE": a CSV of the line's figures and loss (dB/m; a pair's differential signal's)
// at each frequency, one solve for all.
int PrintLineSweep(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  int status = 0;
  const auto swept = ReadSwept(args, in, out, err, status);
  if (!swept) {
    return status;
  }
  out << SweepCsv(IsPair(swept->line.structure), swept->basis, swept->loss, swept->hertz);
  return 0;
}

// "Touchstone STRUCTURE": the line Length mm long at the sweep's frequencies as a Touchstone
// file, each port referenced to Reference ohm (50 unless given): .s2p, or .s4p for a pair.
int PrintLineTouchstone(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                        std::ostream& err) {
  int status = 0;
  const auto swept = ReadSwept(args, in, out, err, status);
  if (!swept) {
    return status;
  }
  if (!swept->lengthReason.empty()) {
    out << "reason=" << swept->lengthReason << '\n';
    return 0;
  }
  const touchstone::FileLine file{std::string(StructureName(swept->line.structure)),
                                  swept->length * 1e-3, swept->reference};
  out << SweepTouchstone(IsPair(swept->line.structure), swept->basis, swept->loss, swept->hertz,
                         file);
  return 0;
}

}  // namespace mq
