// A JPEG file imported: kept as it is when a page file's readers can read the stream, decoded
// and imported as pixels otherwise.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/PictureFile.h"

namespace pm {

// What the stream's frame header says, as the JPEG library reads it, and the frame's marker.
struct TJpegFrame {
  int64_t width = 0;
  int64_t height = 0;
  int components = 0;
  int precision = 0;        // bits a sample
  bool arithmetic = false;  // arithmetic rather than Huffman coding
  bool progressive = false;
  uint8_t frameMarker = 0;  // the second byte of the SOFn marker; 0 when it can't be found
};

// EJPEG "JPEG エラー #%d" when the library rejects the header.
TJpegFrame ReadJpegFrame(std::span<const uint8_t> bytes);

// True for the streams that page files hold as they are: 8-bit samples, Huffman coding, a
// baseline (SOF0) or progressive (SOF2) frame, one or three components. Extended sequential,
// lossless and arithmetic-coded frames, 12-bit samples and four components are refused, since a
// reader of page files need not read them.
bool IsKeptAsItIs(const TJpegFrame& frame);

// The JPEG file's bytes as an import: a new holder with the bytes as they are (decoded unless
// `reading` says otherwise), or the decoded picture as pixels.
TImportedPicture ReadJpegPicture(std::vector<uint8_t> bytes, const TPictureReading& reading);

}  // namespace pm
