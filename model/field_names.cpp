// SPDX-License-Identifier: MIT
#include "model/field_names.h"

namespace mq {

std::vector<std::string_view> AllFieldNames() {
  std::vector<std::string_view> names;
  names.insert(names.end(), kMicrostripFieldNames.begin(), kMicrostripFieldNames.end());
  names.insert(names.end(), kStriplineFieldNames.begin(), kStriplineFieldNames.end());
  names.insert(names.end(), kCoaxialFieldNames.begin(), kCoaxialFieldNames.end());
  return names;
}

}  // namespace mq
