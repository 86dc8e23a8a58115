// SPDX-License-Identifier: MIT
// The layered cross-section over doubles cut from the fuzzer's bytes: every line, single and as a
// pair, gets a reason or a finite impedance, permittivity and estimate, and never NaN.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "solver/cross_section.h"
#include "tests/fuzz/fuzz_bytes.h"

using mq::fuzz::Take;
namespace fs = mq::field_solver;

namespace {

void Check(const fs::Answer& answer, const char* what) {
  const bool figures = std::isfinite(answer.impedance) && std::isfinite(answer.permittivity) &&
                       std::isfinite(answer.estimate);
  const bool nan = std::isnan(answer.impedance) || std::isnan(answer.permittivity) ||
                   std::isnan(answer.estimate);
  if (nan || (answer.reason.empty() && !figures)) {
    std::fprintf(stderr, "%s: impedance %g, permittivity %g, estimate %g, reason '%s'\n", what,
                 answer.impedance, answer.permittivity, answer.estimate, answer.reason.c_str());
    std::abort();
  }
}

// NaN stands for an optional length left empty.
std::optional<double> Maybe(double v) {
  return std::isnan(v) ? std::nullopt : std::optional<double>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fs::Line line;
  const double kind = Take(data, size);
  line.kind = static_cast<fs::LineKind>(
      std::isfinite(kind) ? static_cast<int>(std::fabs(std::fmod(kind, 8))) : 0);
  line.width = Take(data, size);
  line.topWidth = Maybe(Take(data, size));
  line.thickness = Take(data, size);
  line.height = Take(data, size);
  line.permittivity = Take(data, size);
  line.permittivityAbove = Maybe(Take(data, size));
  line.heightAbove = Take(data, size);
  line.cover = Take(data, size);
  line.gap = Take(data, size);
  line.groundWidth = Maybe(Take(data, size));
  const double overSubstrate = Take(data, size), overTrace = Take(data, size);
  const double maskPermittivity = Take(data, size);
  if (!std::isnan(overSubstrate)) {
    line.mask = fs::Mask{overSubstrate, overTrace, maskPermittivity};
  }
  line.spacing = Take(data, size);
  Check(fs::SolveLine(line), "line");
  const fs::PairAnswer pair = fs::SolveLinePair(line);
  Check(pair.even, "even mode");
  Check(pair.odd, "odd mode");
  return 0;
}
