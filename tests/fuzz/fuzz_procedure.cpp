// SPDX-License-Identifier: MIT
// One procedure or material handler (chosen at build time by MQ_FUZZ_PROCEDURE) over field
// texts cut from the fuzzer's bytes: results or exactly one message, nothing else touched.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/field_names.h"
#include "tests/support/procedure_checks.h"

namespace {

// Choices 0-5 are the six buttons. 6 and 7 are the dielectric and conductor handlers: the first
// byte then picks the page and a row from -8 to 77, so rows outside the tables are tried too.
mq::check::Procedure Chosen(std::string_view& bytes) {
  constexpr int kChoice = MQ_FUZZ_PROCEDURE;
  if constexpr (kChoice < 6) {
    return mq::check::ButtonProcedures()[kChoice];
  }
  const unsigned char first = bytes.empty() ? 0 : static_cast<unsigned char>(bytes.front());
  bytes.remove_prefix(bytes.empty() ? 0 : 1);
  static constexpr std::string_view kPopups[2][3] = {{"DiPopup", "DiPopup2", "DiPopup3"},
                                                     {"ConPopup", "ConPopup2", "ConPopup3"}};
  return mq::check::PopupHandler(kPopups[kChoice - 6][first % 3], first / 3 - 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const mq::check::Procedure procedure = Chosen(bytes);

  // The texts, one a line, fill the procedure's page first and then the other pages.
  const auto names = mq::AllFieldNames();
  const auto page = mq::check::PageFields(procedure.page);
  const auto first =
      static_cast<std::size_t>(std::find(names.begin(), names.end(), page.front()) - names.begin());
  mq::MemoryFieldSet fields(names);
  std::size_t start = 0;
  for (std::size_t i = 0; i < names.size() && start <= bytes.size(); ++i) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    fields.SetText(names[(first + i) % names.size()], bytes.substr(start, end - start));
    start = end + 1;
  }

  const mq::check::Texts before(fields.All().begin(), fields.All().end());
  mq::check::WriteRecordingFieldSet recorded(fields);
  mq::RecordingMessageSink sink;
  procedure.run(recorded, sink);
  const mq::check::Texts after(fields.All().begin(), fields.All().end());
  const std::string broken =
      mq::check::CheckRun(procedure, before, after, sink.messages, &recorded.written);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
