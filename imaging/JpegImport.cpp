#include "imaging/JpegImport.h"

#include "imaging/JPEGDefaults.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegHeader.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

// Markers: each is 0xFF and a code; fill bytes 0xFF may come before the code.
constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kTemporary = 0x01;
constexpr uint8_t kFirstRestart = 0xD0, kLastRestart = 0xD7;
// The frame markers SOF0 to SOF15 lie in C0 to CF, except DHT (C4), JPG (C8) and DAC (CC).
constexpr uint8_t kFirstFrame = 0xC0, kLastFrame = 0xCF;
constexpr uint8_t kHuffmanTables = 0xC4, kReserved = 0xC8, kArithmeticConditioning = 0xCC;
constexpr uint8_t kBaseline = 0xC0, kProgressive = 0xC2;
constexpr size_t kLengthSize = 2;

constexpr int kKeptPrecision = 8;
constexpr int kGreyComponents = 1, kColourComponents = 3;

bool IsFrameMarker(uint8_t code) {
  return code >= kFirstFrame && code <= kLastFrame && code != kHuffmanTables && code != kReserved &&
         code != kArithmeticConditioning;
}

bool HasNoLength(uint8_t code) {
  return code == kTemporary || (code >= kFirstRestart && code <= kLastRestart);
}

// The frame header after its marker: its length, then the sample precision, the height, the
// width and the number of components.
constexpr size_t kFramePrecisionAt = 2;
constexpr size_t kFrameHeightAt = 3;
constexpr size_t kFrameWidthAt = 5;
constexpr size_t kFrameComponentsAt = 7;
constexpr size_t kFrameHeaderSize = 8;

uint16_t LoadUInt16BE(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

TJpegFrame FrameHeader(uint8_t marker, std::span<const uint8_t> segment) {
  TJpegFrame frame;
  if (segment.size() < kFrameHeaderSize || LoadUInt16BE(segment.data()) < kFrameHeaderSize) {
    return frame;
  }
  frame.marker = marker;
  frame.precision = segment[kFramePrecisionAt];
  frame.height = LoadUInt16BE(segment.data() + kFrameHeightAt);
  frame.width = LoadUInt16BE(segment.data() + kFrameWidthAt);
  frame.components = segment[kFrameComponentsAt];
  return frame;
}

// The holder takes the bytes and reads their header (EJPEG when the library rejects it); the
// size is checked before anything of it is allocated.
TImportedPicture KeptStream(std::vector<uint8_t> bytes, const TPictureReading& reading) {
  TImportedPicture imported;
  imported.holder = std::make_unique<TJPEGImage>();
  imported.holder->LoadJpeg(TSharedBytes(std::move(bytes)));
  CheckPictureSize(imported.holder->Width(), imported.holder->Height());
  if (reading.decodeKeptJpeg) imported.holder->CopyToBitmap(imported.picture);
  return imported;
}

// The decoder checks the picture limit before it makes the picture.
TImportedPicture DecodedStream(const std::vector<uint8_t>& bytes) {
  TImportedPicture imported;
  DecodeJpeg(bytes, JPEGDefaults(), imported.picture);
  return imported;
}

}  // namespace

TJpegFrame FindJpegFrame(std::span<const uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != kMarkerPrefix || bytes[1] != kStartOfImage) return {};
  size_t at = 2;
  while (at < bytes.size()) {
    if (bytes[at] != kMarkerPrefix) return {};
    while (at < bytes.size() && bytes[at] == kMarkerPrefix) ++at;
    if (at == bytes.size()) return {};
    const uint8_t code = bytes[at++];
    if (IsFrameMarker(code)) return FrameHeader(code, bytes.subspan(at));
    if (code == kStartOfScan || code == kEndOfImage || code == kStartOfImage) return {};
    if (HasNoLength(code)) continue;
    if (bytes.size() - at < kLengthSize) return {};
    at += LoadUInt16BE(bytes.data() + at);
  }
  return {};
}

bool IsKeptAsItIs(const TJpegFrame& frame) {
  return (frame.marker == kBaseline || frame.marker == kProgressive) &&
         frame.precision == kKeptPrecision &&
         (frame.components == kGreyComponents || frame.components == kColourComponents);
}

TImportedPicture ReadJpegPicture(std::vector<uint8_t> bytes, const TPictureReading& reading) {
  if (IsKeptAsItIs(FindJpegFrame(bytes))) return KeptStream(std::move(bytes), reading);
  return DecodedStream(bytes);
}

}  // namespace pm
