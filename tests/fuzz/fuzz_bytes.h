// SPDX-License-Identifier: MIT
// Doubles cut from a fuzzer's bytes, for the targets that take numbers rather than texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace mq::fuzz {

// Eight bytes make a double as they lie; a short tail is padded with zeros.
inline double Take(const std::uint8_t*& data, std::size_t& size) {
  unsigned char bytes[sizeof(double)] = {};
  const std::size_t n = size < sizeof bytes ? size : sizeof bytes;
  std::memcpy(bytes, data, n);
  data += n;
  size -= n;
  double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace mq::fuzz
