// SPDX-License-Identifier: MIT
#include "tests/test_fields.h"

#include <sstream>

#include "model/field_names.h"

namespace mq::test {
namespace {

template <typename Visit>
void ForEachText(std::string_view spec, Visit visit) {
  std::istringstream words{std::string(spec)};
  for (std::string word; words >> word;) {
    const auto equals = word.find('=');
    visit(word.substr(0, equals), equals == std::string::npos ? "" : word.substr(equals + 1));
  }
}

}  // namespace

MemoryFieldSet FieldsFrom(std::string_view spec, std::string_view more) {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto part : {spec, more}) {
    ForEachText(part, [&](const std::string& name, const std::string& text) {
      fields.SetText(name, text);
    });
  }
  return fields;
}

std::string Mismatches(const FieldSet& fields, std::string_view spec) {
  std::string found;
  ForEachText(spec, [&](const std::string& name, const std::string& text) {
    if (fields.Text(name) != text) {
      found += name + " is \"" + fields.Text(name) + "\", not \"" + text + "\"; ";
    }
  });
  return found;
}

}  // namespace mq::test
