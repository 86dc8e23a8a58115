// SPDX-License-Identifier: MIT
#include "tests/test_fields.h"

#include <sstream>

#include "model/field_names.h"

namespace mq::test {

std::vector<std::pair<std::string, std::string>> ParseTexts(std::string_view texts) {
  std::vector<std::pair<std::string, std::string>> parsed;
  std::istringstream words{std::string(texts)};
  for (std::string word; words >> word;) {
    const auto equals = word.find('=');
    parsed.emplace_back(word.substr(0, equals),
                        equals == std::string::npos ? "" : word.substr(equals + 1));
  }
  return parsed;
}

MemoryFieldSet FieldsFrom(std::string_view texts, std::string_view more) {
  MemoryFieldSet fields(AllFieldNames());
  for (const auto part : {texts, more}) {
    for (const auto& [name, text] : ParseTexts(part)) {
      fields.SetText(name, text);
    }
  }
  return fields;
}

std::string Mismatches(const FieldSet& fields, std::string_view texts) {
  std::string found;
  for (const auto& [name, text] : ParseTexts(texts)) {
    if (fields.Text(name) != text) {
      found += name + " is \"" + fields.Text(name) + "\", not \"" + text + "\"; ";
    }
  }
  return found;
}

}  // namespace mq::test
