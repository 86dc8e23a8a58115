// SPDX-License-Identifier: MIT
// The cost of one button press without the window: each procedure over an in-memory field set,
// the pure physics on its own, the material handlers and a page's cross-check; the field solver
// on each page's lines, pairs and every structure of the layered cross-section.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "materials/material_catalogue.h"
#include "model/cross_check.h"
#include "model/field_names.h"
#include "model/line_check.h"
#include "model/line_loss.h"
#include "model/line_models.h"
#include "model/line_sweep.h"
#include "model/pair.h"
#include "solver/field_solver.h"

namespace mq {
namespace {

using Texts = std::vector<std::pair<std::string_view, std::string_view>>;

MemoryFieldSet FieldsWith(const Texts& texts) {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto& [name, text] : texts) {
    fields.SetText(name, text);
  }
  return fields;
}

// The window's start-up texts, with the figures a user would type.
const Texts kTypicalLine = {
    {"DiConstField", "4,6"},      {"LossTanField", "0.02"},    {"ConField", "5.8e7"},
    {"ImpField", "50"},           {"FreqField", "2.5"},        {"ElLengthField", "90"},
    {"PhyLengthField", "100"},    {"WidthField", "3"},         {"HeightField", "1.6"},
    {"DiConstField2", "2.2"},     {"LossTanField2", "0.0009"}, {"ConField2", "5.813e+7"},
    {"ImpField2", "50"},          {"FreqField2", "10"},        {"ElLengthField2", "90"},
    {"PhyLengthField2", "20"},    {"WidthField2", "2"},        {"HeightField2", "3.2"},
    {"ThicknessField2", "0.035"}, {"DiConstField3", "2.25"},   {"LossTanField3", "0.0004"},
    {"ConField3", "58130000"},    {"ImpField3", "50"},         {"FreqField3", "1"},
    {"ElLengthField3", "90"},     {"PhyLengthField3", "100"},  {"InnerDiaField", "0.91"},
    {"OuterDiaField", "2.95"}};

void RunProcedure(benchmark::State& state, FieldProcedure procedure) {
  MemoryFieldSet fields = FieldsWith(kTypicalLine);
  RecordingMessageSink sink;
  for (auto _ : state) {
    procedure(fields, sink);
    benchmark::DoNotOptimize(fields);
  }
}

// One benchmark per button, named after its event: RunProcedure/PhyToElBtn_Action, ...
const bool kProceduresRegistered = [] {
  for (const auto& button : kButtonProcedures) {
    benchmark::RegisterBenchmark(("RunProcedure/" + std::string(button.handler)).c_str(),
                                 RunProcedure, button.run);
  }
  return true;
}();

template <typename Input, typename Compute>
void RunPhysics(benchmark::State& state, Input input, Compute compute) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(input);
    benchmark::DoNotOptimize(compute(input));
  }
}

const microstrip::Line kMicrostrip = {3e-3, 1.6e-3, 4.6, 0.02, 5.8e7, 2.5e9};
const stripline::Line kStripline = {2e-3, 3.2e-3, 35e-6, 2.2, 0.0009, 5.813e7, 10e9};
const coax::Material kCoax = {2.25, 0.0004, 5.813e7, 1e9};

void PhysicsMicrostripAnalyze(benchmark::State& state) {
  RunPhysics(state, microstrip::AnalysisInput{kMicrostrip, 0.1},
             [](const auto& in) { return microstrip::ComputeAnalysis(in); });
}
void PhysicsMicrostripSynthesize(benchmark::State& state) {
  RunPhysics(state, microstrip::SynthesisInput{kMicrostrip, 50, 90},
             [](const auto& in) { return microstrip::ComputeSynthesis(in); });
}
void PhysicsStriplineAnalyze(benchmark::State& state) {
  RunPhysics(state, stripline::AnalysisInput{kStripline, 0.02},
             [](const auto& in) { return stripline::ComputeAnalysis(in); });
}
void PhysicsStriplineSynthesize(benchmark::State& state) {
  RunPhysics(state, stripline::SynthesisInput{kStripline, 50, 90},
             [](const auto& in) { return stripline::ComputeSynthesis(in); });
}
void PhysicsCoaxAnalyze(benchmark::State& state) {
  RunPhysics(state, coax::AnalysisInput{kCoax, 0.455e-3, 1.475e-3, 0.1},
             [](const auto& in) { return coax::ComputeAnalysis(in); });
}
void PhysicsCoaxSynthesize(benchmark::State& state) {
  RunPhysics(state, coax::SynthesisInput{kCoax, 1.475e-3, 50, 90},
             [](const auto& in) { return coax::ComputeSynthesis(in); });
}
BENCHMARK(PhysicsMicrostripAnalyze);
BENCHMARK(PhysicsMicrostripSynthesize);
BENCHMARK(PhysicsStriplineAnalyze);
BENCHMARK(PhysicsStriplineSynthesize);
BENCHMARK(PhysicsCoaxAnalyze);
BENCHMARK(PhysicsCoaxSynthesize);

void DielectricPick(benchmark::State& state) {
  MemoryFieldSet fields = FieldsWith(kTypicalLine);
  for (auto _ : state) {
    ApplyDielectric(fields, kStriplineMaterialFields, 6);
    benchmark::DoNotOptimize(fields);
  }
}
void ConductorPick(benchmark::State& state) {
  MemoryFieldSet fields = FieldsWith(kTypicalLine);
  for (auto _ : state) {
    ApplyConductor(fields, kStriplineMaterialFields, 1);
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(DielectricPick);
BENCHMARK(ConductorPick);

// A page's cross-check, as the window redoes it on every keystroke: the reference models, the
// numeric inverse and the limits, with the text of every line.
void CrossCheck(benchmark::State& state) {
  const MemoryFieldSet fields = FieldsWith(kTypicalLine);
  const int page = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(CrossCheckText(CrossCheckPage(page, fields)));
  }
}
BENCHMARK(CrossCheck)->Arg(1)->Arg(2)->Arg(3);

// The field solver, estimate included: a narrow, a 50-ohm-like and a wide line of each page,
// without thickness, the thinnest solved with its thickness (t 1e-5 of the height: its corners
// need the most panels), thick (t/h 0.5) and the thickest solved (copper twice the core, or
// 0.8 b); the microstrip at er 1, 4.3, 13, 100 and 1000, the stripline at er 1 alone (its er
// only scales the answer): FieldSolver/Microstrip/W1.9/t0.5/er4.3, ...
void FieldSolverLine(benchmark::State& state, bool microstrip, double width, double thickness,
                     double er) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(microstrip ? field_solver::SolveMicrostrip(width, 1, thickness, er)
                                        : field_solver::SolveStripline(width, 1, thickness, er));
  }
}

const bool kFieldSolverRegistered = [] {
  struct Page {
    const char* name;
    bool microstrip;
    std::vector<double> widths, thicknesses, permittivities;
  };
  const Page pages[] = {
      {"Microstrip", true, {0.01, 1.9, 100}, {0, 1e-5, 0.5, 2}, {1, 4.3, 13, 100, 1000}},
      {"Stripline", false, {0.01, 0.8, 100}, {0, 1e-5, 0.5, 0.8}, {1}}};
  for (const Page& page : pages) {
    for (const double er : page.permittivities) {
      for (const double width : page.widths) {
        for (const double thickness : page.thicknesses) {
          char name[96];
          std::snprintf(name, sizeof name, "FieldSolver/%s/W%g/t%g/er%g", page.name, width,
                        thickness, er);
          benchmark::RegisterBenchmark(name, FieldSolverLine, page.microstrip, width, thickness, er)
              ->Unit(benchmark::kMillisecond);
        }
      }
    }
  }
  return true;
}();

// A pair, both modes and their estimates: widths and spacings at the ends and the middle of the
// range, without and with copper (t 0.035 h, and twice the core), on er 4.3 (the stripline's
// er only scales it): FieldSolver/PairMicrostrip/W1/s1/t0/er4.3, ...; and a synthesis of each
// kind for 100 ohm: FieldSolver/PairFindWidth/Microstrip, ...
void FieldSolverPair(benchmark::State& state, bool microstrip, double width, double spacing,
                     double thickness) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        microstrip ? field_solver::SolveMicrostripPair(width, spacing, 1, thickness, 4.3)
                   : field_solver::SolveStriplinePair(width, spacing, 1, thickness, 4.3));
  }
}

void FieldSolverPairSynthesis(benchmark::State& state, bool microstrip, bool width) {
  const PairInputs in{microstrip ? PairStructure::kMicrostrip : PairStructure::kStripline,
                      0.2,
                      0.2,
                      0.1,
                      0.0035,
                      4.3,
                      0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(width ? FindPairWidth(in, 100) : FindPairSpacing(in, 100));
  }
}

const bool kPairRegistered = [] {
  for (const bool microstrip : {true, false}) {
    for (const double width : {0.01, 1.0, 100.0}) {
      for (const double spacing : {0.01, 1.0, 100.0}) {
        for (const double thickness : {0.0, 0.035, microstrip ? 2.0 : 0.8}) {
          char name[96];
          std::snprintf(name, sizeof name, "FieldSolver/Pair%s/W%g/s%g/t%g/er4.3",
                        microstrip ? "Microstrip" : "Stripline", width, spacing, thickness);
          benchmark::RegisterBenchmark(name, FieldSolverPair, microstrip, width, spacing, thickness)
              ->Unit(benchmark::kMillisecond);
        }
      }
    }
    for (const bool width : {true, false}) {
      const std::string name = std::string("FieldSolver/PairFind") +
                               (width ? "Width/" : "Spacing/") +
                               (microstrip ? "Microstrip" : "Stripline");
      benchmark::RegisterBenchmark(name.c_str(), FieldSolverPairSynthesis, microstrip, width)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

// Each structure of the layered solver at a typical board line (FieldSolver/Line/gcpw, ...), and
// its synthesis for 50 ohm (100 ohm differential) by width (FieldSolver/LineFindWidth/gcpw).
LineInputs TypicalLine(LineStructure structure) {
  LineInputs in;
  in.structure = structure;
  in.width = 0.3;
  in.height = 0.2;
  in.thickness = 0.035;
  in.permittivity = 4.3;
  in.spacing = 0.2;
  in.gap = 0.15;
  in.cover = 0.1;
  in.maskThickness = 0.02;
  in.maskPermittivity = 3.5;
  in.heightAbove = 0.3;
  if (structure == LineStructure::kStripline || structure == LineStructure::kStriplinePair) {
    in.height = 0.6;  // the planes' spacing
  }
  if (structure == LineStructure::kBroadsidePair) {
    in.spacing = 0.1;
    in.heightAbove = in.height;
  }
  return in;
}

void LineSolve(benchmark::State& state, LineStructure structure) {
  const LineInputs in = TypicalLine(structure);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SolveLineInputs(in));
  }
}

void LineFindWidth(benchmark::State& state, LineStructure structure) {
  const LineInputs in = TypicalLine(structure);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        FindLineDimension(in, LineUnknown::kWidth, IsPair(structure) ? 100 : 50));
  }
}

// A grid over the structure's range (W/h 0.1-10, t/h 0-0.3, er 2-20, s/h and g/h 0.2-2), timed
// solve by solve: the counter p95_ms is the 95th percentile of one solve's time.
void LineGrid(benchmark::State& state, LineStructure structure) {
  std::vector<double> times;
  for (auto _ : state) {
    times.clear();
    for (const double w : {0.1, 0.5, 2.0, 10.0}) {
      for (const double t : {0.0, 0.1, 0.3}) {
        for (const double er : {2.0, 4.5, 20.0}) {
          for (const double apart : {0.2, 2.0}) {
            LineInputs in = TypicalLine(structure);
            in.height = 1;
            in.heightAbove = 1;
            in.width = w;
            in.thickness = t * (structure == LineStructure::kStripline ||
                                        structure == LineStructure::kStriplinePair
                                    ? 0.5
                                    : 1);
            in.permittivity = er;
            in.spacing = apart;
            in.gap = apart;
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(SolveLineInputs(in));
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
          }
        }
      }
    }
  }
  std::sort(times.begin(), times.end());
  state.counters["p95_ms"] = times[times.size() * 95 / 100];
  state.counters["max_ms"] = times.back();
}

const bool kLinesRegistered = [] {
  for (const std::string_view name : StructureNames()) {
    const LineStructure structure = *StructureNamed(name);
    const std::string line(name);
    benchmark::RegisterBenchmark(("FieldSolver/Line/" + line).c_str(), LineSolve, structure)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("FieldSolver/LineFindWidth/" + line).c_str(), LineFindWidth,
                                 structure)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("FieldSolver/LineGrid/" + line).c_str(), LineGrid, structure)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  return true;
}();

// Loss over frequency: 200 frequencies from one solve (the solve not timed), as a sweep plots and
// fieldcalc Sweep writes them (FieldSolver/LossSweep/gcpw, ...).
void LossSweep(benchmark::State& state, LineStructure structure) {
  const LineInputs in = TypicalLine(structure);
  const LossBasis basis = SolveLossBasis(in, SolveLineInputs(in));
  LossInputs loss;
  loss.lossTangent = 0.02;
  loss.roughness = RoughnessModel::kHuray;
  loss.dielectric = DielectricModel::kDjordjevicSarkar;
  const std::vector<double> hertz = LogSpaced(1e6, 1e11, 200);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SweepCsv(IsPair(structure), basis, loss, hertz));
  }
}

// A width sweep of 50 points, each line solved (FieldSolver/WidthSweep/gcpw, ...), W/h 0.1-10.
void WidthSweep(benchmark::State& state, LineStructure structure) {
  LineInputs in = TypicalLine(structure);
  const std::vector<double> widths = LogSpaced(0.1 * in.height, 10 * in.height, 50);
  for (auto _ : state) {
    for (const double w : widths) {
      in.width = w;
      benchmark::DoNotOptimize(SolveLineInputs(in));
    }
  }
}

// How soon a solve returns once asked to stop, the stop raised at a random moment within the
// solve's own time: the counter max_ms is the longest wait of 40.
void StopLatency(benchmark::State& state, LineStructure structure) {
  LineInputs in = TypicalLine(structure);
  in.width = 10 * in.height;  // a wide strip: the largest mesh of the grid's widths
  const auto begin = std::chrono::steady_clock::now();
  SolveLineInputs(in);
  const double whole =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
  double longest = 0;
  for (auto _ : state) {
    for (int i = 0; i < 40; ++i) {
      std::atomic<bool> stop{false};
      std::thread solving([&] { SolveLineInputs(in, &stop); });
      std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(whole * i / 40));
      const auto raised = std::chrono::steady_clock::now();
      stop = true;
      solving.join();
      longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                      std::chrono::steady_clock::now() - raised)
                                      .count());
    }
  }
  state.counters["max_ms"] = longest;
}

const bool kLossRegistered = [] {
  for (const LineStructure structure :
       {LineStructure::kGroundedCoplanar, LineStructure::kCoatedMicrostripPair}) {
    const std::string line(StructureName(structure));
    benchmark::RegisterBenchmark(("FieldSolver/LossSweep/" + line).c_str(), LossSweep, structure)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("FieldSolver/WidthSweep/" + line).c_str(), WidthSweep, structure)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark(("FieldSolver/StopLatency/" + line).c_str(), StopLatency,
                                 structure)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  return true;
}();

}  // namespace
}  // namespace mq

BENCHMARK_MAIN();
