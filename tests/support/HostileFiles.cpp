#include "tests/support/HostileFiles.h"

#include <stdexcept>

#include "base/Stream.h"
#include "page/PageFileLayout.h"
#include "tests/imaging/BmpFileBuilder.h"
#include "tests/support/TestPictures.h"

namespace pm::test {

namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kSOF0 = 0xC0, kSOF2 = 0xC2, kSOS = 0xDA, kEOI = 0xD9;
// In a frame header after the marker: length (2), precision (1), height (2), width (2).
constexpr size_t kFrameHeightAt = 5;
constexpr size_t kFrameWidthAt = 7;
constexpr int32_t kLinkFields = 7;
constexpr int32_t kLinkReservedField = 5;

size_t SegmentLength(const std::vector<uint8_t>& jpeg, size_t marker) {
  return size_t{jpeg[marker + 2]} << 8 | jpeg[marker + 3];
}

// The offset of the first marker of that kind, walking the segments from SOI.
size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t kind) {
  for (size_t at = 2; at + 3 < jpeg.size(); at += 2 + SegmentLength(jpeg, at)) {
    if (jpeg[at] != kMarker) break;
    if (jpeg[at + 1] == kind) return at;
  }
  throw std::runtime_error("marker not found");
}

void PutBigEndian16(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
  bytes[at] = static_cast<uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<uint8_t>(value);
}

// A small stream of the holder's own, the frame header claiming width × height, cut after the
// first scan header; the bytes of that header come back in `scanHeader`.
std::vector<uint8_t> ClaimingHeader(int32_t width, int32_t height, bool progressive, bool gray,
                                    std::vector<uint8_t>* scanHeader = nullptr) {
  TJPEGSettings settings = JPEGDefaults();
  settings.ProgressiveEncode = progressive;
  settings.GrayMode = gray;
  std::vector<uint8_t> jpeg = EncodeWithHolder(GradientBitmap(16, 16), settings);
  const size_t frame = FindMarker(jpeg, progressive ? kSOF2 : kSOF0);
  PutBigEndian16(jpeg, frame + kFrameHeightAt, height);
  PutBigEndian16(jpeg, frame + kFrameWidthAt, width);
  const size_t scan = FindMarker(jpeg, kSOS);
  const size_t scanEnd = scan + 2 + SegmentLength(jpeg, scan);
  if (scanHeader) scanHeader->assign(jpeg.begin() + scan, jpeg.begin() + scanEnd);
  jpeg.resize(scanEnd);
  return jpeg;
}

void PutInt32(std::vector<uint8_t>& bytes, int64_t at, int32_t value) {
  StoreUInt32LE(bytes.data() + at, static_cast<uint32_t>(value));
}

void AppendLinkTable(std::vector<uint8_t>& file) {
  for (int link = 0; link < 256; ++link) {
    for (int32_t field = 0; field < kLinkFields; ++field) {
      const int32_t value = field == kLinkReservedField ? 0 : -1;
      const size_t at = file.size();
      file.resize(at + 4);
      PutInt32(file, static_cast<int64_t>(at), value);
    }
  }
}

std::vector<uint8_t> EmptyHeader() {
  std::vector<uint8_t> file(page_file::kHeaderSize);
  for (int64_t at = 0; at < page_file::kLinkTableEntryOffset; at += 4) PutInt32(file, at, -1);
  return file;
}

void FinishWithLinkTable(std::vector<uint8_t>& file) {
  PutInt32(file, page_file::kLinkTableEntryOffset, static_cast<int32_t>(file.size()));
  PutInt32(file, page_file::kLinkTableEntryOffset + 4, page_file::kLinkTableSize);
  AppendLinkTable(file);
}

}  // namespace

std::vector<uint8_t> CutOffJpeg(int32_t width, int32_t height, bool progressive, bool gray) {
  return ClaimingHeader(width, height, progressive, gray);
}

std::vector<uint8_t> JpegOfEmptyScans(int32_t width, int32_t height, int scans) {
  std::vector<uint8_t> scanHeader;
  std::vector<uint8_t> jpeg = ClaimingHeader(width, height, true, true, &scanHeader);
  for (int scan = 1; scan < scans; ++scan) {
    jpeg.insert(jpeg.end(), scanHeader.begin(), scanHeader.end());
  }
  jpeg.insert(jpeg.end(), {kMarker, kEOI});
  return jpeg;
}

std::vector<uint8_t> BmpClaiming(int32_t width, int32_t height, uint16_t bitCount, bool runLength) {
  BmpFileBuilder bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.bitCount = bitCount;
  if (bitCount <= 8) bmp.colorTable.assign(size_t{1} << bitCount, Quad(0, 0, 0));
  if (runLength) {
    bmp.compression = BI_RLE8;
    bmp.pixels = {0, 1};  // end of picture
  }
  return bmp.Build();
}

std::vector<uint8_t> PageFileOf(const std::vector<uint8_t>& background,
                                const std::vector<std::pair<int, std::vector<uint8_t>>>& slots) {
  std::vector<uint8_t> file = EmptyHeader();
  auto store = [&file](int64_t entryAt, const std::vector<uint8_t>& stream) {
    PutInt32(file, entryAt, static_cast<int32_t>(file.size()));
    PutInt32(file, entryAt + 4, static_cast<int32_t>(stream.size()));
    file.insert(file.end(), stream.begin(), stream.end());
  };
  store(page_file::kBackgroundEntryOffset, background);
  for (const auto& [slot, stream] : slots) store(page_file::SlotEntryOffset(slot), stream);
  FinishWithLinkTable(file);
  return file;
}

std::vector<uint8_t> PageFileNamingOneStream(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> file = EmptyHeader();
  for (int64_t at = page_file::kBackgroundEntryOffset; at < page_file::kLinkTableEntryOffset;
       at += page_file::kEntrySize) {
    PutInt32(file, at, static_cast<int32_t>(page_file::kHeaderSize));
    PutInt32(file, at + 4, static_cast<int32_t>(stream.size()));
  }
  file.insert(file.end(), stream.begin(), stream.end());
  FinishWithLinkTable(file);
  return file;
}

}  // namespace pm::test
