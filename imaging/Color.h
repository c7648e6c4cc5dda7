// Colours: the canvas colour and the colour-table entry.
#pragma once

#include <cstdint>

namespace pm {

struct TColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const TColor&, const TColor&) = default;
};

inline constexpr TColor clBlack{0, 0, 0};
inline constexpr TColor clWhite{255, 255, 255};

// One colour-table entry, in the byte order of a BMP file: blue, green, red, reserved.
struct TRGBQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
  friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

inline TColor ColorOf(const TRGBQuad& entry) {
  return TColor{entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
}
inline TRGBQuad QuadOf(const TColor& color) {
  return TRGBQuad{color.blue, color.green, color.red, 0};
}

}  // namespace pm
