// SPDX-License-Identifier: MIT
// A page's cross-check with the field solver's figures over any field texts (the first byte
// picks the page, then a text a line fills its fields): it returns, gives lines, and prints "nan"
// or "inf" only when an input reads as one or a line quotes what was typed. A search without a
// bound once never returned here.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/cross_check.h"
#include "model/field_names.h"
#include "tests/support/procedure_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const int page = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes.front()) % 3;
  bytes.remove_prefix(bytes.empty() ? 0 : 1);

  mq::MemoryFieldSet fields(mq::AllFieldNames());
  bool finiteInputs = true;
  std::size_t start = 0;
  for (const std::string_view name : mq::check::PageFields(page)) {
    if (start > bytes.size()) {
      break;
    }
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string text(bytes.substr(start, end - start));
    fields.SetText(name, text);
    finiteInputs = finiteInputs &&
                   std::isfinite(mq::ParseLeadingNumber(mq::check::WithCommasAsPoints(text, 1)));
    start = end + 1;
  }

  const mq::SolvedPage solved = mq::SolvePage(page, fields, 0.01);
  const auto lines = mq::CrossCheckText(mq::CrossCheckPage(page, fields, &solved, 0.01));
  for (const std::string& line : lines) {
    // A line that quotes a field's text ('Height: "inf" is not a number') may hold anything.
    const bool quotes = line.find('"') != std::string::npos;
    if (finiteInputs && !quotes &&
        (line.find("nan") != std::string::npos || line.find("inf") != std::string::npos)) {
      std::fprintf(stderr, "page %d: %s\n", page, line.c_str());
      std::abort();
    }
  }
  if (lines.empty()) {
    std::abort();
  }
  return 0;
}
