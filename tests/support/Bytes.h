// Reading little-endian integers out of file bytes in tests.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Stream.h"

namespace pm::test {

inline int32_t IntAt(const std::vector<uint8_t>& bytes, int64_t offset) {
  return LoadInt32LE(bytes.data() + offset);
}

}  // namespace pm::test
