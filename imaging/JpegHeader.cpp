#include "imaging/JpegHeader.h"

#include "imaging/JpegLibrary.h"

namespace pm {

TJPEGHeaderInfo ReadJpegHeader(std::span<const uint8_t> bytes) {
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct* info = &decompressor.Info();
  TJPEGHeaderInfo header;
  TJPEGHeaderInfo* result = &header;
  decompressor.Run([info, result] {
    jpeg_read_header(info, TRUE);
    result->width = static_cast<int32_t>(info->image_width);
    result->height = static_cast<int32_t>(info->image_height);
    result->components = info->num_components;
    result->progressive = jpeg_has_multiple_scans(info) != FALSE;
  });
  return header;
}

}  // namespace pm
