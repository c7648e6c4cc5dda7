// A JPEG file imported: its picture's bytes kept as they are when a page file's readers can read
// the stream and it decodes whole, decoded and imported as pixels otherwise.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/PictureFile.h"

namespace pm {

// The stream's first frame header (SOFn): its marker and what it says. The frame type tells the
// coding: SOF0 baseline, SOF1 extended sequential, SOF2 progressive, SOF3 lossless, each with
// Huffman coding, and SOF9 to SOF11 the same with arithmetic coding.
struct TJpegFrame {
  uint8_t marker = 0;  // the second byte of the SOFn marker; 0 when no frame header was found
  int precision = 0;   // bits a sample
  int64_t height = 0;
  int64_t width = 0;
  int components = 0;
};

// Reads the segments from the start of the image to the first frame header. Anything before it
// that isn't a well-formed segment (bytes that the JPEG library would skip) gives marker 0.
TJpegFrame FindJpegFrame(std::span<const uint8_t> bytes);

// True for the streams that page files hold as they are: a baseline (SOF0) or progressive (SOF2)
// frame, which are Huffman-coded, of 8-bit samples and one or three components. Extended
// sequential, lossless and arithmetic-coded frames, 12-bit samples and four components are
// decoded instead, since a reader of page files need not read them.
bool IsKeptAsItIs(const TJpegFrame& frame);

// The JPEG file's bytes as an import. A stream that page files hold as it is, whose segments can
// be read to the end of the image and which the library decodes without a warning, comes as a
// new holder of the picture's bytes (see JpegPictureBytes: the file's other application
// segments, comments and trailing bytes go), decoded; any other as the pixels decoded, as far as
// the library got. The library's fatal errors fail the import.
TImportedPicture ReadJpegPicture(const std::vector<uint8_t>& bytes);

}  // namespace pm
