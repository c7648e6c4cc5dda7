#include "imaging/JpegEncoder.h"

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

void WriteRows(jpeg_compress_struct& info, const TBitmap& picture) {
  jpeg_start_compress(&info, TRUE);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    // The library only reads the rows that it is given.
    JSAMPROW row = const_cast<JSAMPROW>(picture.ConstScanLine(y));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
}

}  // namespace

void WriteJpegStream(TJpegCompressor& compressor, const TBitmap& bitmap,
                     const TJPEGSettings& settings) {
  jpeg_compress_struct& info = compressor.Info();
  SetImageParameters(info, bitmap);
  // The working copy shares the bitmap's store; converting it to 24 bits copies nothing when
  // the bitmap has 24 bits already.
  TBitmap picture;
  picture.Assign(bitmap);
  picture.SetPixelFormat(TPixelFormat::pf24bit);
  const TBitmap& rows = picture;
  compressor.Run([&info, &settings, &rows] {
    SetCodingParameters(info, settings);
    WriteRows(info, rows);
  });
}

}  // namespace pm
