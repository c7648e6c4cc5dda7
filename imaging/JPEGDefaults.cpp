#include "imaging/JPEGDefaults.h"

namespace pm {

namespace {

// Displays of this many bits a pixel or fewer show colours through a palette.
constexpr int kMaxPaletteDisplayBits = 8;

// Until InitJPEGDefaults runs, the defaults are those of a true-colour display.
TJPEGSettings& DefaultsRecord() {
  static TJPEGSettings defaults;
  return defaults;
}

}  // namespace

void InitJPEGDefaults(int displayBitsPerPixel) {
  TJPEGSettings defaults;
  defaults.PaletteOutput =
      displayBitsPerPixel >= 1 && displayBitsPerPixel <= kMaxPaletteDisplayBits;
  DefaultsRecord() = defaults;
}

const TJPEGSettings& JPEGDefaults() { return DefaultsRecord(); }

}  // namespace pm
