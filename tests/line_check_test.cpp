// SPDX-License-Identifier: MIT
// Any layered line beside its published form (model/line_check.h): each structure solved
// against a figure from the literature (exact forms where the structure reduces to one), the
// width, spacing and gap searches landing on their target, a target past the range's end, the
// verdicts, a structure without a published model, and bad input refused at once.
#include "model/line_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "published/broadside_stripline.h"
#include "published/coplanar_waveguide.h"
#include "published/coupled_microstrip.h"
#include "published/coupled_stripline.h"
#include "published/reference_lines.h"

namespace mq {
namespace {

using S = LineStructure;

LineInputs Line(S structure, double w, double h, double er) {
  LineInputs in;
  in.structure = structure;
  in.width = w, in.height = h, in.permittivity = er;
  return in;
}

LineInputs Pair(S structure, double w, double s, double h, double er) {
  LineInputs in = Line(structure, w, h, er);
  in.spacing = s;
  return in;
}

LineInputs Coplanar(S structure, double w, double g, double h, double er) {
  LineInputs in = Line(structure, w, h, er);
  in.gap = g;
  return in;
}

LineInputs Above(LineInputs in, double heightAbove) {
  in.heightAbove = heightAbove;
  return in;
}

std::string Words(const LineCheck& check) {
  std::string text;
  for (const Limit& limit : check.limits) {
    text += (limit.ok ? "ok: " : "warning: ") + limit.words + '\n';
  }
  return text;
}

// The solver's impedance (a pair's differential one) against a figure from the literature, to
// within the figure's own accuracy. Zero thickness throughout, where the forms are exact.
TEST(LineCheck, EachStructureMeetsItsFigureFromTheLiterature) {
  const double cohn = reference::StriplineImpedance(0.3, 0.8, 4.3);
  const struct {
    const char* name;
    LineInputs in;
    double expected;
    double tolerance;  // relative
  } rows[] = {
      {"microstrip: Hammerstad and Jensen, Z0 0.03 % and eeff 0.2 % (so Z0 0.1 %)",
       Line(S::kMicrostrip, 3, 1.6, 4.3), reference::MicrostripImpedance(3, 1.6, 4.3), 2e-3},
      {"coated microstrip, no mask: the plain microstrip's Hammerstad and Jensen",
       Line(S::kCoatedMicrostrip, 3, 1.6, 4.3), reference::MicrostripImpedance(3, 1.6, 4.3), 2e-3},
      {"embedded microstrip, no cover: the plain microstrip's Hammerstad and Jensen",
       Line(S::kEmbeddedMicrostrip, 3, 1.6, 4.3), reference::MicrostripImpedance(3, 1.6, 4.3),
       2e-3},
      {"stripline: Cohn 1954, exact", Line(S::kStripline, 0.3, 0.8, 4.3), cohn, 1e-3},
      {"offset stripline, centred: Cohn 1954 at b = 2h, exact",
       Above(Line(S::kOffsetStripline, 0.3, 0.4, 4.3), 0.4), cohn, 1e-3},
      {"coplanar waveguide in air: the exact conformal map (Ghione and Naldi at er 1)",
       Coplanar(S::kCoplanar, 0.5, 0.2, 1, 1),
       reference::CoplanarWaveguide({0.5, 0.2, 1, 0, 1, INFINITY}).impedance, 1e-3},
      {"grounded coplanar waveguide: Ghione and Naldi 1983, near exact for a narrow slot",
       Coplanar(S::kGroundedCoplanar, 0.5, 0.2, 0.5, 4.3),
       reference::GroundedCoplanarWaveguide({0.5, 0.2, 0.5, 0, 4.3, INFINITY}).impedance, 5e-3},
      {"microstrip pair: Kirschning and Jansen, 0.6 % stated",
       Pair(S::kMicrostripPair, 0.2, 0.2, 0.2, 4.3),
       2 * reference::CoupledMicrostrip(0.2, 0.2, 0.2, 0, 4.3).oddImpedance, 6e-3},
      {"coated pair, no mask: Kirschning and Jansen",
       Pair(S::kCoatedMicrostripPair, 0.2, 0.2, 0.2, 4.3),
       2 * reference::CoupledMicrostrip(0.2, 0.2, 0.2, 0, 4.3).oddImpedance, 6e-3},
      {"embedded pair, no cover: Kirschning and Jansen",
       Pair(S::kEmbeddedMicrostripPair, 0.2, 0.2, 0.2, 4.3),
       2 * reference::CoupledMicrostrip(0.2, 0.2, 0.2, 0, 4.3).oddImpedance, 6e-3},
      {"stripline pair: Cohn 1955, exact", Pair(S::kStriplinePair, 0.2, 0.2, 0.6, 4.3),
       2 * reference::CoupledStripline(0.2, 0.2, 0.6, 4.3).odd, 1e-3},
      {"offset stripline pair, centred: Cohn 1955 at b = 2h, exact",
       Above(Pair(S::kOffsetStriplinePair, 0.2, 0.2, 0.3, 4.3), 0.3),
       2 * reference::CoupledStripline(0.2, 0.2, 0.6, 4.3).odd, 1e-3},
      {"broadside pair: Cohn 1960, exact at W/s 5, b = 0.3 + 0.1 + 0.3",
       Above(Pair(S::kBroadsidePair, 0.5, 0.1, 0.3, 4.3), 0.3),
       2 * reference::BroadsideCoupledStripline(0.5, 0.1, 0.7, 4.3).odd, 1e-3},
  };
  for (const auto& row : rows) {
    const LineSolution solved = SolveLineInputs(row.in);
    ASSERT_EQ(solved.reason, "") << row.name;
    EXPECT_NEAR(solved.Impedance(IsPair(row.in.structure)) / row.expected, 1, row.tolerance)
        << row.name;
  }
}

// Where a published form does not reach: a ratio past the range its authors state is named, and
// a second dielectric the form does not have gets a note in place of a figure.
TEST(LineCheck, PublishedFormsSayWhereTheyDoNotReach) {
  LineInputs offset = Above(Line(S::kOffsetStripline, 0.3, 0.4, 4.3), 0.4);
  offset.permittivityAbove = 3.5;
  LineInputs embedded = Line(S::kEmbeddedMicrostrip, 0.3, 0.4, 4.3);
  embedded.cover = 0.1, embedded.permittivityAbove = 3.5;
  const struct {
    const char* name;
    LineInputs in;
    const char* outside;
    const char* note;
  } rows[] = {
      {"microstrip W/h 200: Hammerstad and Jensen state 0.01-100",
       Line(S::kMicrostrip, 20, 0.1, 4.3), "W/h 200", ""},
      {"offset stripline, prepreg of another er: Cohn's form has one", offset, "",
       "The form has one dielectric, not two."},
      {"embedded microstrip, cover of another er: IPC-2141's is the substrate's", embedded, "",
       "The form's cover is of the substrate's dielectric."},
  };
  for (const auto& row : rows) {
    const PublishedLine published = PublishedFigures(row.in);
    EXPECT_EQ(published.outside, row.outside) << row.name;
    EXPECT_EQ(published.note, row.note) << row.name;
    EXPECT_EQ(std::isfinite(published.impedance), *row.note == '\0') << row.name;
  }
}

// A layered line that is another line in disguise gives that line's figures, copper and all,
// within the two estimates: a cover or a mask of air is no cover, and an offset stripline centred
// in one dielectric is the stripline. The other side is the strip solver, a method of its own.
TEST(LineCheck, LinesInDisguiseAreTheLinesTheyAre) {
  const double t = 0.035;
  const auto copper = [t](LineInputs in) {
    in.thickness = t;
    return in;
  };
  LineInputs airCover = copper(Line(S::kEmbeddedMicrostrip, 0.3, 0.2, 4.3));
  airCover.permittivityAbove = 1;  // and no cover over the strip: the layer ends at its top
  LineInputs airMask = copper(Line(S::kCoatedMicrostrip, 0.3, 0.2, 4.3));
  airMask.maskThickness = 0.02, airMask.maskPermittivity = 1;
  const struct {
    const char* name;
    LineInputs layered, plain;
  } rows[] = {
      {"embedded microstrip under air", airCover, copper(Line(S::kMicrostrip, 0.3, 0.2, 4.3))},
      {"coated microstrip, a mask of air", airMask, copper(Line(S::kMicrostrip, 0.3, 0.2, 4.3))},
      {"offset stripline centred, b = 0.4 + t + 0.4",
       copper(Above(Line(S::kOffsetStripline, 0.3, 0.4, 4.3), 0.4)),
       copper(Line(S::kStripline, 0.3, 0.4 + t + 0.4, 4.3))},
  };
  for (const auto& row : rows) {
    const field_solver::Answer a = SolveLineInputs(row.layered).single;
    const field_solver::Answer b = SolveLineInputs(row.plain).single;
    const double e = a.estimate + b.estimate;
    EXPECT_NEAR(a.impedance / b.impedance, 1, e) << row.name;
    EXPECT_NEAR(a.permittivity / b.permittivity, 1, 2 * e) << row.name;
  }
}

// Each search kind lands within the solver's estimate of its target, analysed again at the
// dimension found.
TEST(LineCheck, SearchesLandOnTheirTarget) {
  LineInputs gcpw = Coplanar(S::kGroundedCoplanar, 0.5, 0, 0.5, 4.3);
  gcpw.thickness = 0.035;
  const struct {
    const char* name;
    LineInputs in;
    LineUnknown unknown;
    double target;
  } rows[] = {
      {"microstrip width for 50 ohm", Line(S::kMicrostrip, 0, 1.6, 4.3), LineUnknown::kWidth, 50},
      {"microstrip pair spacing for 100 ohm", Pair(S::kMicrostripPair, 0.2, 0, 0.2, 4.3),
       LineUnknown::kSpacing, 100},
      {"grounded coplanar gap for 50 ohm", gcpw, LineUnknown::kGap, 50},
  };
  for (const auto& row : rows) {
    const LineSynthesis found = FindLineDimension(row.in, row.unknown, row.target);
    ASSERT_EQ(found.reason, "") << row.name;
    LineInputs at = row.in;
    (row.unknown == LineUnknown::kWidth     ? at.width
     : row.unknown == LineUnknown::kSpacing ? at.spacing
                                            : at.gap) = found.value;
    const LineSolution solved = SolveLineInputs(at);
    const bool pair = IsPair(at.structure);
    EXPECT_LE(std::fabs(solved.Impedance(pair) / row.target - 1), solved.Estimate(pair))
        << row.name;
  }
}

// 500 ohm is past the narrowest microstrip on FR-4 (about 240 ohm at W/h 0.01).
TEST(LineCheck, TargetPastTheRangeNamesTheEndAndItsFigure) {
  const LineSynthesis found =
      FindLineDimension(Line(S::kMicrostrip, 1, 1.6, 4.3), LineUnknown::kWidth, 500);
  EXPECT_TRUE(std::isnan(found.value));
  EXPECT_NE(found.reason.find("The target lies above the line's 2"), std::string::npos)
      << found.reason;
  EXPECT_NE(found.reason.find("ohm at W/h 0.01, the end of the range."), std::string::npos)
      << found.reason;
}

// Hammerstad and Jensen meet the solution on a 3 mm strip on 1.6 mm FR-4 (+0.01 %); the IPC
// embedded form on 0.3 mm under 0.2 mm of cover gives 43.25 ohm against the solver's 48.43.
TEST(LineCheck, VerdictsFromTheFigures) {
  const LineInputs microstrip = Line(S::kMicrostrip, 3, 1.6, 4.3);
  const LineCheck ok = CheckLine(microstrip, SolveLineInputs(microstrip));
  EXPECT_EQ(ok.rows[0].verdict, Verdict::kAgrees);
  EXPECT_NE(Words(ok).find("ok: The published model's impedance is within 1 % of the field "
                           "solution (+0.01 %)."),
            std::string::npos)
      << Words(ok);

  LineInputs embedded = Line(S::kEmbeddedMicrostrip, 0.3, 0.2, 4.3);
  embedded.thickness = 0.035, embedded.cover = 0.2;
  const LineCheck off = CheckLine(embedded, SolveLineInputs(embedded));
  EXPECT_NEAR(off.rows[0].published / off.rows[0].solver - 1, -0.107, 0.002);
  EXPECT_EQ(off.rows[0].verdict, Verdict::kDiffers);
  EXPECT_NE(Words(off).find("warning: The published model is 11 % below the field solution on the "
                            "impedance; use 48.433 ohm."),
            std::string::npos)
      << Words(off);
}

TEST(LineCheck, NoPublishedModelSaysSoAndJudgesNothing) {
  LineInputs coated = Pair(S::kCoatedMicrostripPair, 0.2, 0.2, 0.2, 4.3);
  coated.maskThickness = 0.02, coated.maskPermittivity = 3.5;
  const LineCheck check = CheckLine(coated, SolveLineInputs(coated));
  EXPECT_EQ(check.published.model, kNoPublishedModel);
  EXPECT_EQ(PairCells(check.rows[0])[1], "no published model");
  EXPECT_EQ(check.rows[0].verdict, Verdict::kNone);
  EXPECT_EQ(Words(check), "");
}

// Far apart, the modes' difference falls as (h/s)^2: at s = 250 h it is below the solver's
// estimate, so the check says the strips are uncoupled, and each mode is then the single line
// within the two estimates; at s = h it says nothing of the kind, nor while the figures are
// being updated.
TEST(LineCheck, PairFarApartIsTheSingleLine) {
  LineInputs single = Line(S::kEmbeddedMicrostrip, 0.2, 0.2, 4.3);
  single.cover = 0.1;
  LineInputs apart = single;
  apart.structure = S::kEmbeddedMicrostripPair, apart.spacing = 50;
  const auto says = [](const LineCheck& check) {
    return Words(check).find(kUncoupledPair) != std::string::npos;
  };
  const LineSolution solved = SolveLineInputs(apart);
  EXPECT_TRUE(says(CheckLine(apart, solved))) << Words(CheckLine(apart, solved));
  EXPECT_FALSE(says(CheckLine(apart, &solved, true)));
  const field_solver::Answer line = SolveLineInputs(single).single;
  for (const field_solver::Answer& mode : {solved.pair.even, solved.pair.odd}) {
    EXPECT_NEAR(mode.impedance / line.impedance, 1, mode.estimate + line.estimate);
  }
  LineInputs close = apart;
  close.spacing = 0.2;
  EXPECT_FALSE(says(CheckLine(close, SolveLineInputs(close))));
}

// A line the solver could not solve (here: stopped) says why, as a warning.
TEST(LineCheck, TheSolversReasonIsAWarning) {
  LineSolution stopped;
  stopped.reason = std::string(field_solver::kStopped);
  const LineCheck check = CheckLine(Pair(S::kCoatedMicrostripPair, 0.2, 0.2, 0.2, 4.3), stopped);
  ASSERT_FALSE(check.limits.empty());
  EXPECT_FALSE(check.limits.back().ok);
  EXPECT_EQ(check.limits.back().words, "Field solver: " + std::string(field_solver::kStopped));
}

// Each refused before any solve, in the words of a message.
TEST(LineCheck, BadInputGivesAReasonAtOnce) {
  LineInputs thick = Line(S::kStripline, 0.3, 0.8, 4.3);
  thick.thickness = 0.8;
  LineInputs coated = Line(S::kCoatedMicrostrip, 3, 1.6, 4.3);
  coated.maskThickness = -0.01;
  LineInputs embedded = Line(S::kEmbeddedMicrostrip, 3, 1.6, 4.3);
  embedded.cover = -0.1;
  LineInputs offsetAbove = Line(S::kOffsetStripline, 0.3, 0.4, 4.3);
  offsetAbove.permittivityAbove = 0.5;
  offsetAbove.heightAbove = 0.4;
  const struct {
    LineInputs in;
    const char* reason;
  } rows[] = {
      {Line(S::kMicrostrip, 0, 1.6, 4.3), "Width must be greater than zero."},
      {Line(S::kMicrostripPair, 0.2, 0.2, 0.5), "Dielectric constant must be at least 1."},
      {coated, "Mask thickness must not be negative."},
      {embedded, "Cover must not be negative."},
      {thick, "Thickness must be smaller than the planes' spacing."},
      {Line(S::kOffsetStripline, 0.3, 0.4, 4.3), "Height above must be greater than zero."},
      {offsetAbove, "Dielectric constant above must be at least 1."},
      {Line(S::kCoplanar, 0.5, 1, 4.3), "Gap must be greater than zero."},
      {Coplanar(S::kGroundedCoplanarPair, 0.5, 0.2, 1, 4.3), "Spacing must be greater than zero."},
      {Above(Pair(S::kBroadsidePair, 0.5, 0.1, 0.3, 4.3), 0.2),
       "The broadside pair lies centred between its planes: Height above must equal Height."},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(InvalidInput(row.in), row.reason) << StructureName(row.in.structure);
    EXPECT_EQ(Words(CheckLine(row.in, {})), std::string("warning: ") + row.reason + '\n');
  }
}

TEST(LineCheck, EveryNameReadsBackToItsStructure) {
  for (const std::string_view name : StructureNames()) {
    ASSERT_TRUE(StructureNamed(name)) << name;
    EXPECT_EQ(StructureName(*StructureNamed(name)), name);
  }
  EXPECT_EQ(StructureNames().size(), 15u);
  EXPECT_FALSE(StructureNamed("coax"));
}

}  // namespace
}  // namespace mq
