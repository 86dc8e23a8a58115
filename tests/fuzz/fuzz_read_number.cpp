// SPDX-License-Identifier: MIT
// Number texts over any text: reading never traps and a text without a digit reads 0; the text
// NumberToText writes for a value reads back as that very value; the decimal-comma
// normalisation makes the first comma, and nothing else, a point.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/field_set.h"
#include "tests/support/procedure_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = mq::ParseLeadingNumber(text);
  if (text.find_first_of("0123456789") == std::string_view::npos && value != 0.0) {
    std::abort();
  }
  if (mq::ReplaceFirstComma(std::string(text)) !=
      mq::check::WithCommasAsPoints(std::string(text), 1)) {
    std::abort();
  }
  if (size >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    if (std::isfinite(bits) && mq::ParseLeadingNumber(mq::NumberToText(bits)) != bits) {
      std::abort();
    }
  }
  return 0;
}
