// SPDX-License-Identifier: MIT
// The field solver over doubles cut from the fuzzer's bytes: every answer is a reason or a
// finite impedance, permittivity and estimate, and never NaN.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "solver/field_solver.h"
#include "tests/fuzz/fuzz_bytes.h"

using mq::fuzz::Take;

namespace {

void Check(const mq::field_solver::Answer& answer, const char* line) {
  const bool figures = std::isfinite(answer.impedance) && std::isfinite(answer.permittivity) &&
                       std::isfinite(answer.estimate);
  const bool nan = std::isnan(answer.impedance) || std::isnan(answer.permittivity) ||
                   std::isnan(answer.estimate) ||
                   std::isnan(mq::field_solver::Potential(answer, 0.1, 0.5));
  if (nan || (answer.reason.empty() && !figures)) {
    std::fprintf(stderr, "%s: impedance %g, permittivity %g, estimate %g, reason '%s'\n", line,
                 answer.impedance, answer.permittivity, answer.estimate, answer.reason.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const double width = Take(data, size), height = Take(data, size);
  const double thickness = Take(data, size), permittivity = Take(data, size);
  Check(mq::field_solver::SolveMicrostrip(width, height, thickness, permittivity), "microstrip");
  Check(mq::field_solver::SolveStripline(width, height, thickness, permittivity), "stripline");
  Check(mq::field_solver::SolveCoax(width, height, permittivity), "coax");
  return 0;
}
