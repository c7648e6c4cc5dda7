// What a JPEG stream's header says, read with the JPEG library without decoding any pixels.
#pragma once

#include <cstdint>
#include <span>

namespace pm {

struct TJPEGHeaderInfo {
  int32_t width = 0;
  int32_t height = 0;
  int components = 0;
  bool progressive = false;  // the library's "has multiple scans"
};

// Fails with EJPEG "JPEG エラー #%d" when the library rejects the header.
TJPEGHeaderInfo ReadJpegHeader(std::span<const uint8_t> bytes);

}  // namespace pm
