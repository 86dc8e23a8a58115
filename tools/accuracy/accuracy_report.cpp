// SPDX-License-Identifier: MIT
// Measures the program's closed forms and the published models against the field solver and
// writes the error tables (TSV, for the plots) and the tables of docs/accuracy.md.
//   accuracy_report OUTPUT_DIRECTORY
//   accuracy_report --stripline W/b [t/b]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "model/coax.h"
#include "model/line_check.h"
#include "model/line_loss.h"
#include "model/microstrip.h"
#include "model/stripline.h"
#include "published/coupled_microstrip.h"
#include "published/coupled_stripline.h"
#include "published/reference_lines.h"
#include "solver/field_solver.h"

namespace ref = mq::reference;
namespace solver = mq::field_solver;

namespace {

const std::vector<double> kPermittivities = {1.0, 2.2, 4.6, 9.8, 12.9};
// Strip thickness over plane spacing, t/b, for the stripline.
const std::vector<double> kThicknesses = {0.0, 0.01, 0.05, 0.1};
// The ratios the tables show.
const std::vector<double> kShown = {0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10};

// 61 ratios from 0.05 to 10, evenly spaced on a log scale.
std::vector<double> Ratios() {
  std::vector<double> ratios;
  for (int i = 0; i <= 60; ++i) {
    ratios.push_back(0.05 * std::pow(200.0, i / 60.0));
  }
  return ratios;
}

double PercentError(double value, double reference) {
  return 100 * (value - reference) / reference;
}

// --- The field solver's answers, each solved once -----------------------------------------

enum class Line { kMicrostrip, kStripline };

struct Solved {
  double impedance;
  double permittivity;
  double estimate;
};

struct Worst {
  double estimate = 0;
  std::string where;
};

std::map<std::tuple<Line, double, double, double>, Solved>& Solutions() {
  static std::map<std::tuple<Line, double, double, double>, Solved> solutions;
  return solutions;
}

Worst& WorstEstimate() {
  static Worst worst;
  return worst;
}

// The solver's answer for a strip of width ratio u (W/h or W/b), thickness ratio t, permittivity
// er; a refusal ends the report, as a page without its reference would be wrong.
const Solved& Solve(Line line, double u, double t, double er) {
  const auto key = std::make_tuple(line, u, t, er);
  auto found = Solutions().find(key);
  if (found != Solutions().end()) {
    return found->second;
  }
  const solver::Answer answer = line == Line::kMicrostrip ? solver::SolveMicrostrip(u, 1, t, er)
                                                          : solver::SolveStripline(u, 1, t, er);
  if (!answer.reason.empty()) {
    std::fprintf(stderr, "accuracy_report: no field-solver figure for %s W %g t %g er %g: %s\n",
                 line == Line::kMicrostrip ? "microstrip" : "stripline", u, t, er,
                 answer.reason.c_str());
    std::exit(1);
  }
  if (answer.estimate > WorstEstimate().estimate) {
    char where[96];
    std::snprintf(where, sizeof where, "%s W/%s %.3g, t/%s %g, er %g",
                  line == Line::kMicrostrip ? "microstrip" : "stripline",
                  line == Line::kMicrostrip ? "h" : "b", u, line == Line::kMicrostrip ? "h" : "b",
                  t, er);
    WorstEstimate() = {answer.estimate, where};
  }
  return Solutions()
      .emplace(key, Solved{answer.impedance, answer.permittivity, answer.estimate})
      .first->second;
}

const Solved& Microstrip(double u, double er) {
  return Solve(Line::kMicrostrip, u, 0, er);
}

const Solved& Stripline(double u, double t) {
  return Solve(Line::kStripline, u, t, 1);
}

// --- The errors, in percent, as functions of the ratio and a column's parameter -------------

double PageMicrostripImpedance(double u, double er) {
  return mq::microstrip::CharacteristicImpedance(u, 1,
                                                 mq::microstrip::EffectivePermittivity(u, 1, er));
}

double PageImpedanceError(double u, double er) {
  return PercentError(PageMicrostripImpedance(u, er), Microstrip(u, er).impedance);
}

double PagePermittivityError(double u, double er) {
  return PercentError(mq::microstrip::EffectivePermittivity(u, 1, er),
                      Microstrip(u, er).permittivity);
}

double HammerstadJensenImpedanceError(double u, double er) {
  return PercentError(ref::MicrostripImpedance(u, 1, er), Microstrip(u, er).impedance);
}

double HammerstadJensenPermittivityError(double u, double er) {
  return PercentError(ref::MicrostripEffectivePermittivity(u, 1, er),
                      Microstrip(u, er).permittivity);
}

// Stripline in air; Z0 scales as 1/sqrt(er) for the solver and both closed forms alike.
double PageStriplineError(double u, double t) {
  return PercentError(mq::stripline::CharacteristicImpedance(u, 1, 1), Stripline(u, t).impedance);
}

double CohnStriplineError(double u, double t) {
  return PercentError(ref::StriplineImpedance(u, 1, 1), Stripline(u, t).impedance);
}

double CoaxImpedanceError(double ratio, double er) {
  return PercentError(mq::coax::CharacteristicImpedance(1.0, ratio, er),
                      ref::CoaxImpedance(2.0, 2 * ratio, er));
}

// What the envelope tests hold the closed forms to: their distance from the published models.
double PageVsHammerstadJensenImpedance(double u, double er) {
  return PercentError(PageMicrostripImpedance(u, er), ref::MicrostripImpedance(u, 1, er));
}

double PageVsHammerstadJensenPermittivity(double u, double er) {
  return PercentError(mq::microstrip::EffectivePermittivity(u, 1, er),
                      ref::MicrostripEffectivePermittivity(u, 1, er));
}

double PageVsCohn(double u, double) {
  return PercentError(mq::stripline::CharacteristicImpedance(u, 1, 1),
                      ref::StriplineImpedance(u, 1, 1));
}

using ErrorOf = double (*)(double, double);

void WriteTable(const std::filesystem::path& file, ErrorOf error,
                const std::vector<double>& columns, const char* name,
                const std::vector<double>& ratios) {
  std::ofstream out(file);
  out << "ratio";
  for (const double column : columns) {
    out << '\t' << name << column;
  }
  out << '\n';
  for (const double u : ratios) {
    out << u;
    for (const double column : columns) {
      out << '\t' << error(u, column);
    }
    out << '\n';
  }
}

double WorstError(ErrorOf error, const std::vector<double>& columns, double from, double to) {
  double worst = 0;
  for (const double u : Ratios()) {
    if (u >= from * (1 - 1e-9) && u <= to * (1 + 1e-9)) {
      for (const double column : columns) {
        worst = std::max(worst, std::fabs(error(u, column)));
      }
    }
  }
  return worst;
}

void WriteMicrostripTable(std::FILE* out, ErrorOf impedance, ErrorOf permittivity,
                          const char* format) {
  std::fprintf(out,
               "| W/h | er 1 | er 2.2 | er 4.6 | er 9.8 | er 12.9 |\n|---|---|---|---|---|---|\n");
  for (const double u : kShown) {
    std::fprintf(out, "| %g |", u);
    for (const double er : kPermittivities) {
      std::fprintf(out, format, impedance(u, er), permittivity(u, er));
    }
    std::fprintf(out, "\n");
  }
}

void WriteStriplineTable(std::FILE* out, ErrorOf error, const char* format) {
  std::fprintf(out, "| W/b | solver Z0, t/b 0 |");
  for (const double t : kThicknesses) {
    std::fprintf(out, " t/b %g |", t);
  }
  std::fprintf(out, "\n|---|---|---|---|---|---|\n");
  for (const double u : kShown) {
    std::fprintf(out, "| %g | %.3f ohm |", u, Stripline(u, 0).impedance);
    for (const double t : kThicknesses) {
      std::fprintf(out, format, error(u, t));
    }
    std::fprintf(out, "\n");
  }
}

// Thick microstrip pairs: Kirschning and Jansen with Jansen's widening against the field solver
// over t/h, each cell the odd-mode impedance / odd-mode eeff error. The widening raises eeff_o
// where the solution lowers it: the field in the gap's air between the side walls grows with t.
void WriteThickMicrostripPairTable(std::FILE* out) {
  const double thicknesses[] = {0, 0.05, 0.1, 0.2, 0.35};
  std::fprintf(out,
               "\n### Microstrip pair, er 4.3, thick strips: Kirschning–Jansen with Jansen's "
               "widening against the field solver, Z0o / eeff_o\n\n| W/h, s/h |");
  for (const double t : thicknesses) {
    std::fprintf(out, " t/h %g |", t);
  }
  std::fprintf(out, "\n|---|---|---|---|---|---|\n");
  for (const double u : {0.3, 1.0, 3.0}) {
    for (const double g : {0.2, 1.0}) {
      std::fprintf(out, "| %g, %g |", u, g);
      for (const double t : thicknesses) {
        const auto solved = mq::field_solver::SolveMicrostripPair(u, g, 1, t, 4.3);
        const auto model = ref::CoupledMicrostrip(u, g, 1, t, 4.3);
        std::fprintf(out, " %+.2f %% / %+.2f %% |",
                     100 * (model.oddImpedance / solved.odd.impedance - 1),
                     100 * (model.oddPermittivity / solved.odd.permittivity - 1));
      }
      std::fprintf(out, "\n");
    }
  }
}

// Differential pairs: Kirschning and Jansen's coupled microstrip against the field solver over
// W/h and s/h, each cell the odd / even impedance error; Cohn's thick-strip pair likewise over
// W/b and s/b at a few thicknesses.
void WritePairTables(std::FILE* out) {
  const double ratios[] = {0.1, 0.3, 1, 3, 10};
  for (const double er : {4.3, 10.0}) {
    std::fprintf(out,
                 "\n### Microstrip pair, er %g: Kirschning–Jansen against the field solver, "
                 "Z0o / Z0e\n\n| W/h \\ s/h |",
                 er);
    for (const double g : ratios) {
      std::fprintf(out, " %g |", g);
    }
    std::fprintf(out, "\n|---|---|---|---|---|---|\n");
    for (const double u : ratios) {
      std::fprintf(out, "| %g |", u);
      for (const double g : ratios) {
        const auto solved = mq::field_solver::SolveMicrostripPair(u, g, 1, 0, er);
        const auto model = ref::CoupledMicrostrip(u, g, 1, 0, er);
        std::fprintf(out, " %+.2f %% / %+.2f %% |",
                     100 * (model.oddImpedance / solved.odd.impedance - 1),
                     100 * (model.evenImpedance / solved.even.impedance - 1));
      }
      std::fprintf(out, "\n");
    }
  }
  WriteThickMicrostripPairTable(out);
  std::fprintf(out,
               "\n### Stripline pair: Cohn's thick-strip form against the field solver, "
               "Z0o / Z0e\n\n| W/b, s/b | t/b 0 | t/b 0.01 | t/b 0.05 | t/b 0.1 |\n"
               "|---|---|---|---|---|\n");
  for (const double w : {0.35, 1.0, 3.0}) {
    for (const double s : {0.1, 0.5, 2.0}) {
      std::fprintf(out, "| %g, %g |", w, s);
      for (const double t : {0.0, 0.01, 0.05, 0.1}) {
        const auto solved = mq::field_solver::SolveStriplinePair(w, s, 1, t, 1);
        const auto model = ref::CoupledThickStripline(w, s, 1, t, 1);
        std::fprintf(out, " %+.2f %% / %+.2f %% |", 100 * (model.odd / solved.odd.impedance - 1),
                     100 * (model.even / solved.even.impedance - 1));
      }
      std::fprintf(out, "\n");
    }
  }
}

// The lines boards are made of: each structure's published form against the field solver over
// W/h and one dimension of its own, on er 4.3 with copper a twentieth of the height; each cell
// the impedance's error (a pair's differential impedance), "-" where the form gives no figure.
// The same sweeps, finer in W/h, make the plots' tables.
struct LineSweep {
  mq::LineStructure structure;
  const char* file;  // the plot's table, without ".tsv"
  const char* title;
  const char* dimension;
  const char* column;  // the plot's column heading, without the value; no spaces
  double mq::LineInputs::*member;
  std::vector<double> values;
};

const std::vector<LineSweep>& LineSweeps() {
  using mq::LineInputs;
  using S = mq::LineStructure;
  static const std::vector<LineSweep> sweeps = {
      {S::kCoatedMicrostrip,
       "coated_microstrip",
       "Coated microstrip, mask er 3.5",
       "mask/h",
       "mask/h=",
       &LineInputs::maskThickness,
       {0.02, 0.1, 0.3}},
      {S::kEmbeddedMicrostrip,
       "embedded_microstrip",
       "Embedded microstrip",
       "cover/h",
       "cover/h=",
       &LineInputs::cover,
       {0.1, 0.5, 2}},
      {S::kOffsetStripline,
       "offset_stripline",
       "Offset stripline",
       "h above / h below",
       "above/below=",
       &LineInputs::heightAbove,
       {1, 2, 4}},
      {S::kCoplanar,
       "coplanar",
       "Coplanar waveguide",
       "g/h",
       "g/h=",
       &LineInputs::gap,
       {0.1, 0.5, 2}},
      {S::kGroundedCoplanar,
       "grounded_coplanar",
       "Grounded coplanar waveguide",
       "g/h",
       "g/h=",
       &LineInputs::gap,
       {0.1, 0.5, 2}},
      {S::kBroadsidePair,
       "broadside_pair",
       "Broadside-coupled stripline pair, differential",
       "s/h",
       "s/h=",
       &LineInputs::spacing,
       {0.1, 0.3, 1}},
  };
  return sweeps;
}

// Copper a twentieth of the height unless given.
mq::LineInputs SweptLine(const LineSweep& sweep, double w, double value, double thickness = 0.05) {
  mq::LineInputs in;
  in.structure = sweep.structure;
  in.width = w;
  in.height = 1;
  in.heightAbove = 1;
  in.thickness = thickness;
  in.permittivity = 4.3;
  in.maskPermittivity = 3.5;
  in.spacing = 0.5;
  in.gap = 0.5;
  in.*sweep.member = value;
  return in;
}

// The solver's impedance (a pair's differential impedance) of a line; a refusal ends the report.
double SolvedImpedance(const mq::LineInputs& in) {
  const mq::LineSolution solved = mq::SolveLineInputs(in);
  if (!solved.reason.empty()) {
    std::fprintf(stderr, "accuracy_report: no field-solver figure for %s W %g: %s\n",
                 std::string(mq::StructureName(in.structure)).c_str(), in.width,
                 solved.reason.c_str());
    std::exit(1);
  }
  return solved.Impedance(mq::IsPair(in.structure));
}

// The published form's error in percent; NaN where the form gives no figure.
double LineError(const LineSweep& sweep, double w, double value, double thickness = 0.05) {
  const mq::LineInputs in = SweptLine(sweep, w, value, thickness);
  const double model = mq::PublishedFigures(in).impedance;
  return std::isfinite(model) ? PercentError(model, SolvedImpedance(in)) : NAN;
}

void WriteLineTable(std::FILE* out, const LineSweep& sweep, double thickness = 0.05) {
  const mq::PublishedLine named = mq::PublishedFigures(SweptLine(sweep, 1, sweep.values[0]));
  std::fprintf(out, "\n### %s: %s against the field solver%s\n\n| W/h \\ %s |", sweep.title,
               named.model.c_str(), thickness > 0 ? "" : ", both at zero thickness",
               sweep.dimension);
  for (const double value : sweep.values) {
    std::fprintf(out, " %g |", value);
  }
  std::fprintf(out, "\n|---|---|---|---|\n");
  for (const double w : {0.1, 0.3, 1.0, 3.0, 10.0}) {
    std::fprintf(out, "| %g |", w);
    for (const double value : sweep.values) {
      const double error = LineError(sweep, w, value, thickness);
      if (std::isfinite(error)) {
        std::fprintf(out, " %+.2f %% |", error);
      } else {
        std::fprintf(out, " - |");
      }
    }
    std::fprintf(out, "\n");
  }
}

// The plot's table: 31 widths from W/h 0.1 to 10, evenly spaced on a log scale; NaN where the
// form gives no figure, which gnuplot leaves out.
void WriteLinePlotTable(const std::filesystem::path& directory, const LineSweep& sweep) {
  std::ofstream out(directory / (std::string(sweep.file) + ".tsv"));
  out << "ratio";
  for (const double value : sweep.values) {
    out << '\t' << sweep.column << value;
  }
  out << '\n';
  for (int i = 0; i <= 30; ++i) {
    const double w = 0.1 * std::pow(100.0, i / 30.0);
    out << w;
    for (const double value : sweep.values) {
      out << '\t' << LineError(sweep, w, value);
    }
    out << '\n';
  }
}

// Where the peers differ: the grounded coplanar line's form with Gupta et al.'s thickness
// correction and without it (at zero thickness), both against the solver's strip of copper a
// twentieth of the height; what that copper does to the solver's own figure; the form against
// the solver with no copper; and the ungrounded line's correction beside it.
void WriteCoplanarThicknessTable(std::FILE* out) {
  std::fprintf(out,
               "\n### Coplanar waveguides, er 4.3, t/h 0.05: the thickness correction against "
               "the field solver\n\nThe forms with Gupta et al.'s correction / at zero thickness, "
               "against the solver with the copper; the copper's effect on the solver's Z0 "
               "(t/h 0.05 against 0); the grounded form against the solver, both at zero "
               "thickness.\n\n| W/h, g/h | grounded, corrected / not | the copper, solver | "
               "grounded at t 0 | coplanar, corrected / not |\n|---|---|---|---|---|\n");
  for (const double w : {0.3, 1.0, 3.0, 10.0}) {
    for (const double g : {0.5, 2.0}) {
      std::fprintf(out, "| %g, %g |", w, g);
      for (const auto structure :
           {mq::LineStructure::kGroundedCoplanar, mq::LineStructure::kCoplanar}) {
        const LineSweep sweep{structure, "", "", "", "", &mq::LineInputs::gap, {}};
        const mq::LineInputs thick = SweptLine(sweep, w, g);
        mq::LineInputs thin = thick;
        thin.thickness = 0;
        const double solved = SolvedImpedance(thick);
        std::fprintf(out, " %+.2f %% / %+.2f %% |",
                     PercentError(mq::PublishedFigures(thick).impedance, solved),
                     PercentError(mq::PublishedFigures(thin).impedance, solved));
        if (structure == mq::LineStructure::kGroundedCoplanar) {
          const double solvedThin = SolvedImpedance(thin);
          std::fprintf(out, " %+.2f %% | %+.2f %% |", PercentError(solved, solvedThin),
                       PercentError(mq::PublishedFigures(thin).impedance, solvedThin));
        }
      }
      std::fprintf(out, "\n");
    }
  }
}

// The solder mask as it is, conformal (as thick over the strip and its sides as on the bare
// substrate), against the planar cover the published forms assume: a cover of the mask's
// permittivity whose top lies the mask's thickness c over the strip, and one whose top lies c
// over the substrate (as the forms take it; only where c exceeds the copper); each the solver's.
// Then what the mask takes off a single line and off a pair of such lines.
void WriteMaskTables(std::FILE* out) {
  const LineSweep coated{mq::LineStructure::kCoatedMicrostrip, "", "", "", "",
                         &mq::LineInputs::maskThickness,       {}};
  std::fprintf(out,
               "\n### Coated microstrip, er 4.3, mask er 3.5, t/h 0.05: a planar cover against "
               "the conformal mask\n\nEach cell: the solver's Z0 under a planar cover whose top "
               "lies c over the strip / c over the substrate, against its Z0 under the conformal "
               "mask c thick; then Bahl and Stuchly's form against the conformal mask.\n\n"
               "| W/h \\ mask/h | 0.02 | 0.1 | 0.3 | form, 0.1 |\n|---|---|---|---|---|\n");
  for (const double w : {0.1, 0.3, 1.0, 3.0, 10.0}) {
    std::fprintf(out, "| %g |", w);
    for (const double c : {0.02, 0.1, 0.3}) {
      const mq::LineInputs masked = SweptLine(coated, w, c);
      const double conformal = SolvedImpedance(masked);
      mq::LineInputs planar = masked;
      planar.structure = mq::LineStructure::kEmbeddedMicrostrip;
      planar.maskThickness = 0;
      planar.permittivityAbove = masked.maskPermittivity;
      planar.cover = c;
      std::fprintf(out, " %+.2f %% /", PercentError(SolvedImpedance(planar), conformal));
      if (c > masked.thickness) {
        planar.cover = c - masked.thickness;
        std::fprintf(out, " %+.2f %% |", PercentError(SolvedImpedance(planar), conformal));
      } else {
        std::fprintf(out, " - |");
      }
    }
    const mq::LineInputs masked = SweptLine(coated, w, 0.1);
    std::fprintf(out, " %+.2f %% |\n",
                 PercentError(mq::PublishedFigures(masked).impedance, SolvedImpedance(masked)));
  }
  std::fprintf(out,
               "\n### Solder mask on a single line and on a pair, er 4.3, mask er 3.5, t/h 0.05, "
               "s/h 0.5: what the mask takes off, by the field solver\n\nEach cell: the change "
               "of the single line's Z0 / of the pair's differential impedance.\n\n"
               "| W/h | bare Z0 / Zdiff | mask/h 0.02 | 0.1 | 0.3 |\n|---|---|---|---|---|\n");
  for (const double w : {0.3, 1.0, 3.0}) {
    mq::LineInputs single = SweptLine(coated, w, 0);
    mq::LineInputs pair = single;
    pair.structure = mq::LineStructure::kCoatedMicrostripPair;
    mq::LineInputs bare = single;
    bare.structure = mq::LineStructure::kMicrostrip;
    const double bareSingle = SolvedImpedance(bare);
    bare.structure = mq::LineStructure::kMicrostripPair;
    const double barePair = SolvedImpedance(bare);
    std::fprintf(out, "| %g | %.2f / %.2f ohm |", w, bareSingle, barePair);
    for (const double c : {0.02, 0.1, 0.3}) {
      single.maskThickness = pair.maskThickness = c;
      const double z = SolvedImpedance(single), zdiff = SolvedImpedance(pair);
      std::fprintf(out, " %+.2f ohm, %+.2f %% / %+.2f ohm, %+.2f %% |", z - bareSingle,
                   PercentError(z, bareSingle), zdiff - barePair, PercentError(zdiff, barePair));
    }
    std::fprintf(out, "\n");
  }
}

void WriteLineTables(std::FILE* out) {
  for (const LineSweep& sweep : LineSweeps()) {
    WriteLineTable(out, sweep);
  }
  // Cohn's broadside pair is exact in form at zero thickness: what is left there.
  WriteLineTable(out, LineSweeps().back(), 0);
  WriteCoplanarThicknessTable(out);
  WriteMaskTables(out);
}

// Loss: a 50 ohm microstrip of 35 um smooth copper on FR-4 (er 4.3, tan delta 0.02, h 0.2 mm,
// W 0.38 mm) and on a low-loss laminate (Dk 3.0, Df 0.0013, h 0.254 mm, W 0.62 mm), the field
// solution's loss (Wheeler's rule, the dielectric's share) against the microstrip page's closed
// forms (Rs / (Z0 W) and its dielectric term) at the page's own Z0 and eeff.
struct LossCase {
  const char* name;
  double width, height, permittivity, lossTangent;
};
constexpr LossCase kLossCases[] = {{"FR-4", 0.38, 0.2, 4.3, 0.02},
                                   {"low-loss laminate", 0.62, 0.254, 3.0, 0.0013}};
constexpr double kLossThickness = 0.035, kCopper = 5.8e7;

struct LossFigures {
  double conductor, dielectric;  // dB/m
};

// The field solution's conductor and dielectric loss at f (Hz), with the copper's roughness.
LossFigures SolvedLoss(const LossCase& c, double f, double rms) {
  static std::map<const LossCase*, mq::LossBasis> bases;
  mq::LineInputs in;
  in.width = c.width, in.height = c.height, in.thickness = kLossThickness;
  in.permittivity = c.permittivity;
  auto& basis = bases[&c];
  if (basis.layers.empty()) {
    basis = mq::SolveLossBasis(in, mq::SolveLineInputs(in));
  }
  mq::LossInputs loss;
  loss.conductivity = kCopper, loss.lossTangent = c.lossTangent;
  loss.roughness = rms > 0 ? mq::RoughnessModel::kHammerstad : mq::RoughnessModel::kSmooth;
  loss.roughnessRms = rms;
  const mq::ModeLoss mode = mq::LossOfLine(basis, loss, f).single;
  return {mode.conductor * mq::kDecibelsPerNeper, mode.dielectric * mq::kDecibelsPerNeper};
}

// The page's: its total with the loss tangent, and without it (the conductor's alone).
LossFigures PageLoss(const LossCase& c, double f) {
  mq::microstrip::AnalysisInput in;
  in.line = {c.width * 1e-3, c.height * 1e-3, c.permittivity, 0, kCopper, f};
  in.length = 1;
  const double conductor = mq::microstrip::ComputeAnalysis(in).attenuation;
  in.line.lossTangent = c.lossTangent;
  return {conductor, mq::microstrip::ComputeAnalysis(in).attenuation - conductor};
}

void WriteLossTables(std::FILE* out) {
  for (const LossCase& c : kLossCases) {
    std::fprintf(out,
                 "\n### Microstrip loss on %s (er %g, tan delta %g, h %g mm, W %g mm, 35 um "
                 "copper): the page against the field solution\n\nEach cell in dB/m: the "
                 "solution's / the page's, and the page's error; the last column the solution's "
                 "total with copper of 1 um rms roughness (Hammerstad and Jensen).\n\n"
                 "| GHz | conductor | dielectric | total | total, 1 um rms |\n"
                 "|---|---|---|---|---|\n",
                 c.name, c.permittivity, c.lossTangent, c.height, c.width);
    for (const double ghz : {0.1, 0.3, 1.0, 3.0, 10.0, 30.0, 50.0}) {
      const LossFigures solved = SolvedLoss(c, ghz * 1e9, 0), page = PageLoss(c, ghz * 1e9);
      const double total = solved.conductor + solved.dielectric;
      const double pageTotal = page.conductor + page.dielectric;
      const LossFigures rough = SolvedLoss(c, ghz * 1e9, 1);
      std::fprintf(out,
                   "| %g | %.3g / %.3g, %+.1f %% | %.3g / %.3g, %+.1f %% | %.3g / %.3g, %+.1f %% "
                   "| %.3g |\n",
                   ghz, solved.conductor, page.conductor,
                   PercentError(page.conductor, solved.conductor), solved.dielectric,
                   page.dielectric, PercentError(page.dielectric, solved.dielectric), total,
                   pageTotal, PercentError(pageTotal, total), rough.conductor + rough.dielectric);
    }
  }
}

// The plot's table: total loss against frequency, the solution's and the page's, each substrate.
void WriteLossPlotTable(const std::filesystem::path& directory) {
  std::ofstream out(directory / "microstrip_loss.tsv");
  out << "GHz";
  for (const LossCase& c : kLossCases) {
    out << "\t\"" << c.name << ", solution\"\t\"" << c.name << ", page\"";
  }
  out << '\n';
  for (double ghz = 0.1; ghz <= 50.0001; ghz *= std::pow(500.0, 1.0 / 40)) {
    out << ghz;
    for (const LossCase& c : kLossCases) {
      const LossFigures solved = SolvedLoss(c, ghz * 1e9, 0), page = PageLoss(c, ghz * 1e9);
      out << '\t' << solved.conductor + solved.dielectric << '\t'
          << page.conductor + page.dielectric;
    }
    out << '\n';
  }
}

void WriteMarkdownTables(const std::filesystem::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "w");
  std::fprintf(out, "### Microstrip: the program against the field solver\n\n");
  WriteMicrostripTable(out, PageImpedanceError, PagePermittivityError, " %+.2f %% / %+.2f %% |");
  std::fprintf(out, "\n### Microstrip: Hammerstad–Jensen against the field solver\n\n");
  WriteMicrostripTable(out, HammerstadJensenImpedanceError, HammerstadJensenPermittivityError,
                       " %+.3f %% / %+.3f %% |");
  std::fprintf(out, "\n### Stripline (air): the program against the field solver\n\n");
  WriteStriplineTable(out, PageStriplineError, " %+.2f %% |");
  std::fprintf(out,
               "\n### Stripline (air): Cohn's zero-thickness exact form against the field "
               "solver\n\n");
  WriteStriplineTable(out, CohnStriplineError, " %+.4f %% |");
  std::fprintf(out, "\n### Coaxial line: the program against the exact form\n\n");
  std::fprintf(out, "| D/d | coax Z0 error (any er) |\n|---|---|\n");
  for (const double ratio : {1.5, 2.3, 3.5, 10.0}) {
    std::fprintf(out, "| %g | %+.4f %% |\n", ratio, CoaxImpedanceError(ratio, 1.0));
  }

  const std::vector<double> air = {1.0};
  std::fprintf(out, "\n### Worst |error| over the ranges\n\n");
  std::fprintf(out,
               "- Program microstrip vs solver, W/h 0.05–10, er 1–12.9: Z0 %.2f %%, eeff %.2f %%; "
               "from W/h 0.5 up: Z0 %.2f %%, eeff %.2f %%.\n",
               WorstError(PageImpedanceError, kPermittivities, 0.05, 10),
               WorstError(PagePermittivityError, kPermittivities, 0.05, 10),
               WorstError(PageImpedanceError, kPermittivities, 0.5, 10),
               WorstError(PagePermittivityError, kPermittivities, 0.5, 10));
  std::fprintf(out,
               "- Hammerstad–Jensen vs solver, same range: Z0 %.3f %% (air line alone %.3f %%), "
               "eeff %.3f %%.\n",
               WorstError(HammerstadJensenImpedanceError, kPermittivities, 0.05, 10),
               WorstError(HammerstadJensenImpedanceError, air, 0.05, 10),
               WorstError(HammerstadJensenPermittivityError, kPermittivities, 0.05, 10));
  std::fprintf(out, "- Program stripline vs solver, W/b 0.05–10:");
  for (const double t : kThicknesses) {
    std::fprintf(out, "%s t/b %g: %.2f %%", t == 0 ? "" : ";", t,
                 WorstError(PageStriplineError, {t}, 0.05, 10));
  }
  std::fprintf(out, ".\n- Cohn vs solver, W/b 0.05–10:");
  for (const double t : kThicknesses) {
    std::fprintf(out, "%s t/b %g: %.4f %%", t == 0 ? "" : ";", t,
                 WorstError(CohnStriplineError, {t}, 0.05, 10));
  }
  std::fprintf(out, ".\n- Program coax vs exact, D/d 1.05–10: %.4f %%.\n",
               WorstError(CoaxImpedanceError, air, 1.05, 10));
  std::fprintf(out,
               "- Program vs the published models, which the envelope tests hold it to: "
               "microstrip vs Hammerstad–Jensen Z0 %.2f %%, eeff %.2f %% (W/h 0.05–10); "
               "stripline vs Cohn %.2f %% (W/b 0.05–10).\n",
               WorstError(PageVsHammerstadJensenImpedance, kPermittivities, 0.05, 10),
               WorstError(PageVsHammerstadJensenPermittivity, kPermittivities, 0.05, 10),
               WorstError(PageVsCohn, air, 0.05, 10));
  std::fprintf(out,
               "- The field solver's own error estimate, worst of its %zu answers on this page: "
               "%.1e relative (%s).\n",
               Solutions().size(), WorstEstimate().estimate, WorstEstimate().where.c_str());
  WritePairTables(out);
  WriteLineTables(out);
  WriteLossTables(out);
  std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
  // accuracy_report --stripline W/b [t/b]: the program's, the exact zero-thickness and the field
  // solver's air-line impedance, for setting beside another solver's figure.
  if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--stripline") {
    const double ratio = std::atof(argv[2]);
    const double thickness = argc == 4 ? std::atof(argv[3]) : 0.0;
    std::printf("%.3f %.3f %.3f\n", mq::stripline::CharacteristicImpedance(ratio, 1.0, 1.0),
                ref::StriplineImpedance(ratio, 1.0, 1.0), Stripline(ratio, thickness).impedance);
    return 0;
  }
  // accuracy_report --lines: the layered lines' tables alone, on standard output.
  if (argc == 2 && std::string(argv[1]) == "--lines") {
    WriteLineTables(stdout);
    return 0;
  }
  // accuracy_report --loss: the loss tables alone, on standard output.
  if (argc == 2 && std::string(argv[1]) == "--loss") {
    WriteLossTables(stdout);
    return 0;
  }
  // accuracy_report --pairs: the pairs' tables alone, on standard output.
  if (argc == 2 && std::string(argv[1]) == "--pairs") {
    WritePairTables(stdout);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: accuracy_report OUTPUT_DIRECTORY | --stripline W/b [t/b]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::filesystem::path directory(argv[1]);
  std::filesystem::create_directories(directory);
  const std::vector<double> ratios = Ratios();
  WriteTable(directory / "microstrip_impedance.tsv", PageImpedanceError, kPermittivities,
             "er=", ratios);
  WriteTable(directory / "microstrip_permittivity.tsv", PagePermittivityError, kPermittivities,
             "er=", ratios);
  WriteTable(directory / "microstrip_impedance_hj.tsv", HammerstadJensenImpedanceError,
             kPermittivities, "er=", ratios);
  WriteTable(directory / "microstrip_permittivity_hj.tsv", HammerstadJensenPermittivityError,
             kPermittivities, "er=", ratios);
  WriteTable(directory / "stripline_impedance.tsv", PageStriplineError, kThicknesses,
             "t/b=", ratios);
  WriteTable(directory / "stripline_thickness.tsv", CohnStriplineError, kThicknesses,
             "t/b=", ratios);
  std::vector<double> coaxRatios;
  for (const double u : ratios) {
    coaxRatios.push_back(1 + u);
  }
  WriteTable(directory / "coax_impedance.tsv", CoaxImpedanceError, {1.0}, "er=", coaxRatios);
  for (const LineSweep& sweep : LineSweeps()) {
    WriteLinePlotTable(directory, sweep);
  }
  WriteLossPlotTable(directory);
  WriteMarkdownTables(directory / "tables.md");
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fprintf(stderr, "accuracy_report: %zu field-solver answers in %.1f s\n", Solutions().size(),
               seconds);
  return 0;
}
