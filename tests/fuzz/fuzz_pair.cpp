// SPDX-License-Identifier: MIT
// A differential pair over doubles cut from the fuzzer's bytes (the first byte picks microstrip
// or stripline): the solver answers each mode with finite figures or a reason, and the pair's
// rows, judged against it and its zero-thickness twin, print "nan" or "inf" only where an input
// is one.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/pair.h"
#include "tests/fuzz/fuzz_bytes.h"

using mq::fuzz::Take;

namespace {

bool Finite(const mq::field_solver::Answer& mode) {
  return std::isfinite(mode.impedance) && std::isfinite(mode.permittivity) &&
         std::isfinite(mode.estimate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mq::PairInputs in;
  in.structure = size > 0 && (data[0] & 1) != 0 ? mq::PairStructure::kStripline
                                                : mq::PairStructure::kMicrostrip;
  if (size > 0) {
    ++data, --size;
  }
  for (double mq::PairInputs::*member :
       {&mq::PairInputs::width, &mq::PairInputs::spacing, &mq::PairInputs::height,
        &mq::PairInputs::thickness, &mq::PairInputs::permittivity, &mq::PairInputs::gigahertz}) {
    in.*member = Take(data, size);
  }
  const mq::SolvedPair solved = mq::SolvePairToJudge(in);
  const auto& pair = solved.pair;
  if (pair.reason.empty() && !(Finite(pair.even) && Finite(pair.odd))) {
    std::fprintf(stderr, "no reason and no finite figures\n");
    std::abort();
  }
  const bool finiteInputs = std::isfinite(in.width) && std::isfinite(in.spacing) &&
                            std::isfinite(in.height) && std::isfinite(in.thickness) &&
                            std::isfinite(in.permittivity) && std::isfinite(in.gigahertz);
  const auto check = mq::CheckPair(in, solved.Judged());
  for (const auto& row : check.rows) {
    for (const std::string& cell : mq::PairCells(row)) {
      if (finiteInputs &&
          (cell.find("nan") != std::string::npos || cell.find("inf") != std::string::npos)) {
        std::fprintf(stderr, "%s\n", cell.c_str());
        std::abort();
      }
    }
  }
  return 0;
}
