#include "imaging/JpegImport.h"

#include "imaging/JPEGDefaults.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegLibrary.h"
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

// Walks the segments from the start of the image to the first frame marker. Anything that isn't a
// well-formed segment before it (the library would skip such bytes) gives 0.
uint8_t FindFrameMarker(std::span<const uint8_t> bytes) {
  size_t at = 0;
  if (bytes.size() < 2 || bytes[0] != kMarkerPrefix || bytes[1] != kStartOfImage) return 0;
  at = 2;
  while (at < bytes.size()) {
    if (bytes[at] != kMarkerPrefix) return 0;
    while (at < bytes.size() && bytes[at] == kMarkerPrefix) ++at;
    if (at == bytes.size()) return 0;
    const uint8_t code = bytes[at++];
    if (IsFrameMarker(code)) return code;
    if (code == kStartOfScan || code == kEndOfImage || code == kStartOfImage) return 0;
    if (HasNoLength(code)) continue;
    if (bytes.size() - at < kLengthSize) return 0;
    at += size_t{bytes[at]} << 8 | bytes[at + 1];
  }
  return 0;
}

TImportedPicture KeptStream(std::vector<uint8_t> bytes, const TPictureReading& reading) {
  TImportedPicture imported;
  imported.holder = std::make_unique<TJPEGImage>();
  imported.holder->LoadJpegBytes(std::move(bytes));
  if (reading.decodeKeptJpeg) imported.holder->CopyToBitmap(imported.picture);
  return imported;
}

TImportedPicture DecodedStream(const std::vector<uint8_t>& bytes) {
  TImportedPicture imported;
  DecodeJpeg(bytes, JPEGDefaults(), imported.picture);
  return imported;
}

}  // namespace

TJpegFrame ReadJpegFrame(std::span<const uint8_t> bytes) {
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct* info = &decompressor.Info();
  TJpegFrame frame;
  TJpegFrame* result = &frame;
  decompressor.Run([info, result] {
    jpeg_read_header(info, TRUE);
    result->width = info->image_width;
    result->height = info->image_height;
    result->components = info->num_components;
    result->precision = info->data_precision;
    result->arithmetic = info->arith_code != FALSE;
    result->progressive = info->progressive_mode != FALSE;
  });
  frame.frameMarker = FindFrameMarker(bytes);
  return frame;
}

bool IsKeptAsItIs(const TJpegFrame& frame) {
  const bool framed = frame.frameMarker == kBaseline || frame.frameMarker == kProgressive;
  return framed && frame.precision == kKeptPrecision && !frame.arithmetic &&
         (frame.components == kGreyComponents || frame.components == kColourComponents);
}

TImportedPicture ReadJpegPicture(std::vector<uint8_t> bytes, const TPictureReading& reading) {
  const TJpegFrame frame = ReadJpegFrame(bytes);
  CheckPictureSize(frame.width, frame.height, reading.pixelLimit);
  if (IsKeptAsItIs(frame)) return KeptStream(std::move(bytes), reading);
  return DecodedStream(bytes);
}

}  // namespace pm
