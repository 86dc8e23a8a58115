// SPDX-License-Identifier: MIT
// The loss rows of a line beside its published model's: see model/loss_check.h.
#include "model/loss_check.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

#include "model/figure_words.h"
#include "model/microstrip.h"
#include "model/stripline.h"
#include "published/djordjevic_sarkar.h"

namespace mq {
namespace {

constexpr double kMetresPerMm = 1e-3;
constexpr double kUmPerMetre = 1e6;

// The substrate's Dk and Df at the frequency, as the solver's loss takes them.
std::pair<double, double> SubstrateAt(const LineInputs& in, const LossInputs& loss, double hertz) {
  if (loss.dielectric == DielectricModel::kConstant) {
    return {in.permittivity, loss.lossTangent};
  }
  const auto debye =
      reference::FitWidebandDebye(in.permittivity, loss.lossTangent, kDielectricFitFrequency);
  return {reference::WidebandDk(debye, hertz), reference::WidebandDf(debye, hertz)};
}

// The page's total loss in dB/m with the given materials; the parts come from setting the other
// material lossless, so the pages' own forms are the only ones used.
double PageLoss(const LineInputs& in, double permittivity, double tangent, double conductivity,
                double hertz) {
  const double w = in.width * kMetresPerMm, h = in.height * kMetresPerMm;
  if (in.structure == LineStructure::kMicrostrip) {
    return microstrip::ComputeAnalysis({{w, h, permittivity, tangent, conductivity, hertz}, 0})
        .attenuation;
  }
  return stripline::ComputeAnalysis(
             {{w, h, in.thickness * kMetresPerMm, permittivity, tangent, conductivity, hertz}, 0})
      .attenuation;
}

}  // namespace

PublishedLoss PublishedLossOf(const LineInputs& in, const LossInputs& loss, double hertz) {
  PublishedLoss published;
  const bool rectangular = !in.topWidth || *in.topWidth == in.width;
  const bool microstrip = in.structure == LineStructure::kMicrostrip;
  if (!rectangular || (!microstrip && in.structure != LineStructure::kStripline)) {
    published.note = "no published loss for this line";
    return published;
  }
  published.model = microstrip ? "Pozar §3.8, as the Microstrip page"
                               : "Pozar §3.7, as the "
                                 "Stripline page";
  if (!microstrip && !(in.thickness > 0)) {
    published.note = "needs the copper's thickness";
    return published;
  }
  const auto [dk, df] = SubstrateAt(in, loss, hertz);
  const double lossless = std::numeric_limits<double>::infinity();
  // The roughness factor is the copper's alone: no line's basis is needed for it.
  const double rough = LossOfLine({}, loss, hertz).roughnessFactor;
  published.conductor = rough * PageLoss(in, dk, 0, loss.conductivity, hertz) / kDecibelsPerNeper;
  published.dielectric = PageLoss(in, dk, df, lossless, hertz) / kDecibelsPerNeper;
  return published;
}

namespace {

// A quantity's two rows, dB/m and dB/in, from figures in Np/m.
void AddLossRows(const std::string& quantity, double solver, double published, const PairRow& like,
                 std::vector<PairRow>& rows) {
  for (const auto& [unit, metres] : {std::pair("dB/m", 1.0), std::pair("dB/in", kMetresPerInch)}) {
    PairRow row = like;
    row.quantity = quantity;
    row.unit = unit;
    row.solver = solver * kDecibelsPerNeper * metres;
    row.published = published * kDecibelsPerNeper * metres;
    rows.push_back(row);
  }
}

// A mode's conductor, dielectric and total loss; `signal` names it ("Differential ") for a pair.
void AddMode(const std::string& signal, const ModeLoss& mode, const PublishedLoss& published,
             const PairRow& like, std::vector<PairRow>& rows) {
  const auto name = [&signal](std::string words) {
    if (!signal.empty()) {
      words[0] = static_cast<char>(std::tolower(words[0]));
    }
    return signal + words;
  };
  AddLossRows(name("Conductor loss"), mode.conductor, published.conductor, like, rows);
  AddLossRows(name("Dielectric loss"), mode.dielectric, published.dielectric, like, rows);
  AddLossRows(name("Total loss"), mode.Total(), published.Total(), like, rows);
}

// What the solver's cells say in place of a figure: still to come, or why there is none.
PairRow Like(const PublishedLoss& published, const LossBasis* basis, bool updating) {
  PairRow like;
  like.model = published.model;
  like.publishedNote = published.note;
  like.solverNote = basis == nullptr ? "solving..." : basis->reason;
  like.updating = basis != nullptr && updating;
  return like;
}

}  // namespace

LossCheck CheckLoss(const LineInputs& in, const LossInputs& loss, double hertz,
                    const LossBasis* basis, bool updating) {
  LossCheck check;
  if (const std::string invalid = InvalidLossInput(loss); !invalid.empty()) {
    check.limits.push_back({false, invalid});
    return check;
  }
  const bool solved = basis != nullptr && basis->reason.empty();
  const LineLoss line = LossOfLine(solved ? *basis : LossBasis{}, loss, hertz);
  const PublishedLoss published = PublishedLossOf(in, loss, hertz);
  const PairRow like = Like(published, basis, updating);
  if (IsPair(in.structure)) {
    AddMode("Differential ", line.odd, published, like, check.rows);
    AddMode("Common-mode ", line.even, published, like, check.rows);
  } else {
    AddMode("", line.single, published, like, check.rows);
  }
  const std::pair<const char*, double> copper[] = {{"", line.roughnessFactor},
                                                   {"um", line.skinDepth * kUmPerMetre}};
  for (const auto& [unit, figure] : copper) {
    PairRow row;
    row.quantity = unit[0] == '\0' ? "Roughness factor" : "Skin depth";
    row.unit = unit;
    row.solver = figure;
    check.rows.push_back(row);
  }
  const double depths = in.thickness * kMetresPerMm / line.skinDepth;
  if (in.thickness > 0 && depths < 3) {
    check.limits.push_back({true, "The copper is " + Figure(depths, 2) +
                                      " skin depths thick: below three its loss goes over to "
                                      "the DC resistance."});
  }
  return check;
}

}  // namespace mq
