// SPDX-License-Identifier: MIT
#include "tests/test_fields.h"

#include <sstream>

#include "model/field_names.h"

namespace mq::test {

std::vector<std::pair<std::string, std::string>> ParseTexts(std::string_view spec) {
  std::vector<std::pair<std::string, std::string>> texts;
  std::istringstream words{std::string(spec)};
  for (std::string word; words >> word;) {
    const auto equals = word.find('=');
    texts.emplace_back(word.substr(0, equals),
                       equals == std::string::npos ? "" : word.substr(equals + 1));
  }
  return texts;
}

MemoryFieldSet FieldsFrom(std::string_view spec, std::string_view more) {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto part : {spec, more}) {
    for (const auto& [name, text] : ParseTexts(part)) {
      fields.SetText(name, text);
    }
  }
  return fields;
}

std::string Mismatches(const FieldSet& fields, std::string_view spec) {
  std::string found;
  for (const auto& [name, text] : ParseTexts(spec)) {
    if (fields.Text(name) != text) {
      found += name + " is \"" + fields.Text(name) + "\", not \"" + text + "\"; ";
    }
  }
  return found;
}

}  // namespace mq::test
