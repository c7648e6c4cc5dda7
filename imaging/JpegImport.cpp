#include "imaging/JpegImport.h"

#include <optional>

#include "imaging/JPEGDefaults.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegSegments.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

// The frame markers SOF0 to SOF15 lie in C0 to CF, except DHT (C4), JPG (C8) and DAC (CC).
constexpr uint8_t kFirstFrame = 0xC0, kLastFrame = 0xCF;
constexpr uint8_t kHuffmanTables = 0xC4, kReserved = 0xC8, kArithmeticConditioning = 0xCC;
constexpr uint8_t kBaseline = 0xC0, kProgressive = 0xC2;

constexpr int kKeptPrecision = 8;
constexpr int kGreyComponents = 1, kColourComponents = 3;

bool IsFrameMarker(uint8_t code) {
  return code >= kFirstFrame && code <= kLastFrame && code != kHuffmanTables && code != kReserved &&
         code != kArithmeticConditioning;
}

// The frame header's parameters: the sample precision, the height, the width and the number of
// components.
constexpr size_t kFramePrecisionAt = 0;
constexpr size_t kFrameHeightAt = 1;
constexpr size_t kFrameWidthAt = 3;
constexpr size_t kFrameComponentsAt = 5;
constexpr size_t kFrameParametersSize = 6;

uint16_t LoadUInt16BE(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

TJpegFrame FrameHeader(uint8_t marker, std::span<const uint8_t> parameters) {
  TJpegFrame frame;
  if (parameters.size() < kFrameParametersSize) return frame;
  frame.marker = marker;
  frame.precision = parameters[kFramePrecisionAt];
  frame.height = LoadUInt16BE(parameters.data() + kFrameHeightAt);
  frame.width = LoadUInt16BE(parameters.data() + kFrameWidthAt);
  frame.components = parameters[kFrameComponentsAt];
  return frame;
}

// The decoder checks the picture limit before it makes the picture.
TImportedPicture DecodedStream(const std::vector<uint8_t>& bytes) {
  TImportedPicture imported;
  DecodeJpeg(bytes, JPEGDefaults(), imported.picture);
  return imported;
}

// The picture's bytes of the file go to a new holder, which reads their header (EJPEG when the
// library rejects it) and decodes them; the size is checked before anything of it is allocated.
// The holder is kept only when the library read the whole picture without a warning: a picture
// that it had to make up in part (damaged or missing data) comes as the pixels decoded, as
// those of every other file do.
TImportedPicture KeptOrDecodedStream(const std::vector<uint8_t>& bytes) {
  std::optional<std::vector<uint8_t>> picture = JpegPictureBytes(bytes);
  if (!picture) return DecodedStream(bytes);
  auto holder = std::make_unique<TJPEGImage>();
  holder->LoadJpeg(TSharedBytes(std::move(*picture)));
  CheckPictureSize(holder->Width(), holder->Height());
  TImportedPicture imported;
  holder->CopyToBitmap(imported.picture);
  if (!holder->DecodedWithWarnings()) imported.holder = std::move(holder);
  return imported;
}

}  // namespace

TJpegFrame FindJpegFrame(std::span<const uint8_t> bytes) {
  TJpegSegmentReader reader(bytes);
  while (const std::optional<TJpegSegment> segment = reader.Next()) {
    if (IsFrameMarker(segment->code)) {
      return FrameHeader(segment->code,
                         bytes.subspan(segment->parameters, segment->end - segment->parameters));
    }
    if (segment->code == kJpegStartOfScan || segment->code == kJpegEndOfImage) break;
  }
  return {};
}

bool IsKeptAsItIs(const TJpegFrame& frame) {
  return (frame.marker == kBaseline || frame.marker == kProgressive) &&
         frame.precision == kKeptPrecision &&
         (frame.components == kGreyComponents || frame.components == kColourComponents);
}

TImportedPicture ReadJpegPicture(const std::vector<uint8_t>& bytes) {
  if (IsKeptAsItIs(FindJpegFrame(bytes))) return KeptOrDecodedStream(bytes);
  return DecodedStream(bytes);
}

}  // namespace pm
