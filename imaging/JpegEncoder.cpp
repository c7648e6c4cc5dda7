#include "imaging/JpegEncoder.h"

#include <vector>

namespace pm {

namespace {

// Blue, green and red bytes a pixel, as the rows of a 24-bit bitmap hold them.
constexpr int kBgrComponents = 3;

void SetImageParameters(jpeg_compress_struct& info, const TBitmap& picture) {
  info.image_width = static_cast<JDIMENSION>(picture.Width());
  info.image_height = static_cast<JDIMENSION>(picture.Height());
  info.input_components = kBgrComponents;
  // The library takes the bitmap's blue, green, red rows as they are; it chooses the JPEG
  // colour space from this in jpeg_set_defaults, so it is set first.
  info.in_color_space = JCS_EXT_BGR;
}

void SetCodingParameters(jpeg_compress_struct& info, const TJPEGSettings& settings) {
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&info, settings.EncodeQuality, TRUE);
  if (settings.GrayMode) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  if (settings.ProgressiveEncode) jpeg_simple_progression(&info);
}

// Rows go to the library from the top, in the 24-bit layout: a 24-bit bitmap's own rows, any
// other's converted one at a time into `converted`, so that no converted copy of the whole
// picture is ever made.
void WriteRows(jpeg_compress_struct& info, const TBitmap& picture,
               std::vector<uint8_t>& converted) {
  jpeg_start_compress(&info, TRUE);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    JSAMPROW row = converted.data();
    if (converted.empty()) {
      // The library only reads the rows that it is given.
      row = const_cast<JSAMPROW>(picture.ConstScanLine(y));
    } else {
      picture.ReadRowBgr(y, row);
    }
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
}

}  // namespace

void WriteJpegStream(TJpegCompressor& compressor, const TBitmap& bitmap,
                     const TJPEGSettings& settings) {
  jpeg_compress_struct& info = compressor.Info();
  SetImageParameters(info, bitmap);
  std::vector<uint8_t> converted;
  if (bitmap.PixelFormat() != TPixelFormat::pf24bit) {
    converted.resize(static_cast<size_t>(bitmap.Width()) * kBgrComponents);
  }
  compressor.Run([&info, &settings, &bitmap, &converted] {
    SetCodingParameters(info, settings);
    WriteRows(info, bitmap, converted);
  });
}

}  // namespace pm
