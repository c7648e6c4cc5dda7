// TJPEGData: the JPEG bytes of a holder, with the size recorded from them. The bytes never
// change once set; holders whose bytes came from the same stored bytes share them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "base/SharedBytes.h"

namespace pm {

class TJPEGData {
 public:
  // Absent in a fresh object; present but 0 bytes long is a case of its own.
  bool HasBytes() const { return bytes_.has_value(); }
  std::span<const uint8_t> Bytes() const {
    return bytes_ ? bytes_->Span() : std::span<const uint8_t>();
  }
  // The bytes as they are shared; none when absent.
  const TSharedBytes* SharedBytes() const { return bytes_ ? &*bytes_ : nullptr; }
  void SetBytes(TSharedBytes bytes) { bytes_ = std::move(bytes); }

  int32_t Width = 0;
  int32_t Height = 0;

 private:
  std::optional<TSharedBytes> bytes_;
};

}  // namespace pm
