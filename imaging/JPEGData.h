// TJPEGData: the JPEG bytes of a holder, with the size recorded from them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pm {

class TJPEGData {
 public:
  // Absent in a fresh object; present but 0 bytes long is a case of its own.
  bool HasBytes() const { return bytes_.has_value(); }
  std::span<const uint8_t> Bytes() const {
    return bytes_ ? std::span<const uint8_t>(*bytes_) : std::span<const uint8_t>();
  }
  std::vector<uint8_t>& MutableBytes() {
    if (!bytes_) bytes_.emplace();
    return *bytes_;
  }

  int32_t Width = 0;
  int32_t Height = 0;

 private:
  std::optional<std::vector<uint8_t>> bytes_;
};

}  // namespace pm
