// SPDX-License-Identifier: MIT
// Any line the layered field solver knows (solver/cross_section.h), single or as a pair: its
// inputs in mm mapped onto the solver's cross-section, its solution, the published closed form
// beside it where one exists (published/: Hammerstad and Jensen, Bahl and Stuchly with Wan and
// Hoorfar, IPC-2141, Cohn 1954/1955, the offset stripline of Cohn's thick strips, Ghione and
// Naldi's coplanar forms, Kirschning and Jansen's and Cohn's pairs, Cohn's broadside pair 1960)
// with that form's stated range, the verdicts on it, and the width, spacing or gap for a target
// impedance. Qt-free, for `fieldcalc Line` and a window alike.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cross_check.h"
#include "model/pair.h"
#include "solver/cross_section.h"

namespace mq {

enum class LineStructure {
  kMicrostrip,
  kCoatedMicrostrip,
  kEmbeddedMicrostrip,
  kStripline,
  kOffsetStripline,
  kCoplanar,
  kGroundedCoplanar,
  kMicrostripPair,
  kCoatedMicrostripPair,
  kEmbeddedMicrostripPair,
  kStriplinePair,
  kOffsetStriplinePair,
  kCoplanarPair,
  kGroundedCoplanarPair,
  kBroadsidePair,
};

// "microstrip", "coated-microstrip", ..., "gcpw-pair", "broadside-pair"; none for another name.
std::optional<LineStructure> StructureNamed(std::string_view name);
std::string_view StructureName(LineStructure structure);
bool IsPair(LineStructure structure);
// Every name, in the order of the enum, for a usage text or a popup.
std::vector<std::string_view> StructureNames();

// Lengths in mm. Height: the plane to the strip's lower face; for stripline (pair) the planes'
// spacing b. HeightAbove: the offset stripline's (broadside pair's) upper face to the upper plane.
struct LineInputs {
  LineStructure structure = LineStructure::kMicrostrip;
  double width = 0;
  std::optional<double> topWidth;     // none: the width
  double spacing = 0;                 // pairs; broadside: between the strips' facing faces
  double gap = 0;                     // coplanar: strip edge to ground edge
  std::optional<double> groundWidth;  // coplanar; none: wide
  double height = 0;
  double heightAbove = 0;
  double thickness = 0;
  double cover = 0;          // embedded: dielectric over the strip's upper face
  double maskThickness = 0;  // coated: over the substrate and over the strip alike
  double permittivity = 0;
  // The offset stripline's upper layer, the embedded microstrip's cover; none: the permittivity.
  std::optional<double> permittivityAbove;
  double maskPermittivity = 1;
};

// What is wrong with the inputs before any solve, in the words of a message; nothing when fine.
std::string InvalidInput(const LineInputs& in);

// The inputs as the solver's cross-section (the broadside pair's planes are b = Height +
// HeightAbove + 2 t + s apart).
field_solver::Line SolverLine(const LineInputs& in);

// The solver's answer: a single line's, or a pair's modes; `reason` empty on success.
struct LineSolution {
  field_solver::Answer single;
  field_solver::PairAnswer pair;
  std::string reason;
  double Impedance(bool pair) const;  // Z0, or the pair's differential 2 Zodd
  double Estimate(bool pair) const;   // relative
};
LineSolution SolveLineInputs(const LineInputs& in, const std::atomic<bool>* stop = nullptr);

// The published closed form: a single line's impedance and eeff, a pair's differential
// impedance (eeff NaN); the model's name and source, or "no published model"; its stated range
// in words and the inputs outside it; NaN figures with a note where the model gives none.
inline constexpr std::string_view kNoPublishedModel = "no published model";
struct PublishedLine {
  double impedance = kNoFigure;
  double permittivity = kNoFigure;
  std::string model{kNoPublishedModel};
  std::string range;    // "W/h 0.1-2, er up to 15"; empty where the form claims no range
  std::string outside;  // "W/h 3, er 20"; empty inside the range
  std::string note;     // why there is no figure
};
PublishedLine PublishedFigures(const LineInputs& in);

// The rows (impedance or differential impedance; for single lines eeff too) in PairRow's shape,
// then the limits: a reason at once for bad input; else the verdicts (the eeff of a line in one
// dielectric is not judged), the model's range and the solver's reason.
struct LineCheck {
  PublishedLine published;
  std::vector<PairRow> rows;
  std::vector<Limit> limits;
};
LineCheck CheckLine(const LineInputs& in, const LineSolution& solved);
// While the solver works, for a window: with no answer yet (null) the solver's cells say
// "solving..."; an answer of earlier inputs (`updating`) shows its figures marked, judges
// nothing, and one pending line stands in for the verdicts.
LineCheck CheckLine(const LineInputs& in, const LineSolution* solved, bool updating);

// The dimension that meets a target impedance (a pair's differential impedance), the rest as
// they are: found by published/root_finder.h over kNarrowestRatio-kWidestRatio heights, within
// the solver's estimate; NaN with the reason (the range's end with the figure there) otherwise.
enum class LineUnknown { kWidth, kSpacing, kGap };
struct LineSynthesis {
  double value = kNoFigure;  // mm
  std::string reason;
  LineSolution solution;  // of the line found (or last solved)
};
LineSynthesis FindLineDimension(const LineInputs& in, LineUnknown unknown, double target,
                                const std::atomic<bool>* stop = nullptr);

}  // namespace mq
