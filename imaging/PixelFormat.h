// The pixel formats that a bitmap reports and converts to.
#pragma once

#include <cstdint>

namespace pm {

enum class TPixelFormat {
  pfDevice,  // the display form
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,  // 16 bits, 5 each of red, green and blue
  pf16bit,  // 16 bits with the masks 0xF800, 0x07E0, 0x001F
  pf24bit,
  pf32bit,
  pfCustom,  // any other bit-field layout
};

// Compression values of a device-independent store, as a BMP file has them.
inline constexpr uint32_t BI_RGB = 0;
inline constexpr uint32_t BI_RLE8 = 1;
inline constexpr uint32_t BI_RLE4 = 2;
inline constexpr uint32_t BI_BITFIELDS = 3;

}  // namespace pm
