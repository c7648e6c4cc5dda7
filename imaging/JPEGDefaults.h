// The eight settings of a holder and the process-wide defaults that every new holder copies.
#pragma once

namespace pm {

enum class TJPEGPerformance { jpBestQuality, jpBestSpeed };

struct TJPEGSettings {
  int EncodeQuality = 90;  // 1 to 100
  bool GrayMode = false;
  TJPEGPerformance SpeedMode = TJPEGPerformance::jpBestQuality;
  bool PaletteOutput = false;
  bool ScanDisplay = false;
  bool ProgressiveEncode = false;
  int ScaleShift = 0;
  bool BlockSmoothing = true;
};

// Fills the defaults once, before the first holder exists: PaletteOutput is true exactly when
// the display has 8 or fewer bits a pixel. Without a display (0) it is false.
void InitJPEGDefaults(int displayBitsPerPixel);
const TJPEGSettings& JPEGDefaults();

}  // namespace pm
