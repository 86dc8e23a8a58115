// SPDX-License-Identifier: MIT
// WriteResult's three patterns over any double: a well-formed text that reads back within half
// a unit of its last shown digit.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/field_set.h"
#include "tests/support/procedure_checks.h"

namespace {

// How far the shown text lies from the value, in units of its last shown digit. A scientific
// text is compared by its mantissa, so "1.80e+308" is judged although it reads back as infinity.
double ErrorInLastDigits(const std::string& text, double value, mq::Pattern pattern) {
  switch (pattern) {
    case mq::Pattern::kFourDecimals:
    case mq::Pattern::kTwoDecimals:
      return std::fabs(mq::ParseLeadingNumber(text) - value) /
             (pattern == mq::Pattern::kFourDecimals ? 1e-4 : 1e-2);
    case mq::Pattern::kScientific: {
      const std::size_t e = text.find('e');
      const double mantissa = mq::ParseLeadingNumber(text.substr(0, e));
      const int exponent = std::atoi(text.c_str() + e + 1);
      // Long double reaches 1e-4951 to 1e4932: no double's scale overflows or loses bits.
      const long double scaled = static_cast<long double>(value) / std::pow(10.0L, exponent);
      return static_cast<double>(std::fabs(static_cast<long double>(mantissa) - scaled) / 1e-2L);
    }
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double) + 1) {
    return 0;
  }
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  const auto pattern = static_cast<mq::Pattern>(data[sizeof value] % 3);
  const std::string text = mq::FormatWithPattern(value, pattern);
  if (!mq::check::IsWellFormedResult(text)) {
    std::abort();
  }
  if (std::isfinite(value)) {
    // Half a unit, and what the binary value's own last bits add for large magnitudes: the text
    // read back may lie a unit in the last place (|value| 2.2e-16) off, 2.2e-12 units of 1e-4.
    const double digitsBeyondPrecision =
        pattern == mq::Pattern::kScientific ? 1e-12 : std::fabs(value) * 3e-12;
    if (!(ErrorInLastDigits(text, value, pattern) <= 0.5 + 1e-9 + digitsBeyondPrecision)) {
      std::abort();
    }
  } else if (text != (std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf")) {
    std::abort();
  }
  return 0;
}
