// SPDX-License-Identifier: MIT
// What every run of a procedure or material handler must leave behind, whatever the user typed:
// either all its results, well formed, or exactly one message of its own chain and no result
// changed; never a change outside its page. Shared by the fuzz targets and the tests.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_set.h"

namespace mq::check {

using Texts = std::map<std::string, std::string, std::less<>>;
using Run = std::function<void(FieldSet&, MessageSink&)>;
using Names = std::set<std::string, std::less<>>;

struct Procedure {
  std::string_view name;  // the event handler's name, e.g. "PhyToElBtn_Action"
  int page;               // 1, 2 or 3
  Run run;
  std::vector<std::string_view> results;   // written on success
  std::vector<std::string_view> messages;  // its validation chain
};

// The six button procedures, then the six popup handlers with a row argument bound later.
const std::vector<Procedure>& ButtonProcedures();
Procedure PopupHandler(std::string_view name, int row);

std::span<const std::string_view> PageFields(int page);

// The text with its first `count` commas made points: the rule the program's normalisation
// keeps, written apart from it so that a fault there shows.
std::string WithCommasAsPoints(std::string text, int count);

// A result text: ASCII, "." as decimal point, and either a number read back whole or one of
// the fixed non-finite texts.
bool IsWellFormedResult(std::string_view text);

// A field set that remembers which fields were written, for the rule "all results written".
class WriteRecordingFieldSet final : public FieldSet {
 public:
  explicit WriteRecordingFieldSet(FieldSet& fields) : fields_(fields) {}
  std::string Text(std::string_view name) const override { return fields_.Text(name); }
  void SetText(std::string_view name, std::string_view text) override {
    written.emplace(name);
    fields_.SetText(name, text);
  }
  Names written;

 private:
  FieldSet& fields_;
};

// Empty when the run kept every rule; otherwise what it broke. `written`, when known, must hold
// every result of a run that showed no message.
std::string CheckRun(const Procedure& procedure, const Texts& before, const Texts& after,
                     const std::vector<std::string>& messages, const Names* written = nullptr);

}  // namespace mq::check
