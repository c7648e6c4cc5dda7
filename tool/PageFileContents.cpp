#include "tool/PageFileContents.h"

#include <span>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "page/LinkTable.h"
#include "page/PageFileLayout.h"

namespace pm::tool {

namespace {

using namespace page_file;

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;

std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
  TFileStream file(fileName, FileAccess::ReadExclusive);
  std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

StoredStream ReadStoredStream(std::span<const uint8_t> file, int64_t entryAt) {
  StoredStream stream;
  stream.offset = LoadInt32LE(file.data() + entryAt);
  stream.size = LoadInt32LE(file.data() + entryAt + kIntegerSize);
  if (!stream.Stored()) return stream;
  stream.inFile = stream.offset >= 0 && stream.size >= 0 &&
                  int64_t{stream.offset} + stream.size <= static_cast<int64_t>(file.size());
  if (!stream.inFile) return stream;
  const auto bytes =
      file.subspan(static_cast<size_t>(stream.offset), static_cast<size_t>(stream.size));
  stream.startsWithImageMarker =
      bytes.size() >= 2 && bytes[0] == kMarkerPrefix && bytes[1] == kStartOfImage;
  try {
    stream.header = ReadJpegHeader(bytes);
  } catch (const Exception& e) {
    stream.headerError = e.Message();
  }
  return stream;
}

}  // namespace

PageFileContents ReadPageFileContents(const std::string& fileName) {
  const std::vector<uint8_t> file = ReadWholeFile(fileName);
  if (static_cast<int64_t>(file.size()) < kHeaderSize) RaiseReadError();

  PageFileContents contents;
  contents.fileSize = static_cast<int64_t>(file.size());
  contents.background = ReadStoredStream(file, kBackgroundEntryOffset);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    contents.slots[slot] = ReadStoredStream(file, SlotEntryOffset(slot));
  }
  contents.linkTableOffset = LoadInt32LE(file.data() + kLinkTableEntryOffset);
  contents.linkTableSize = LoadInt32LE(file.data() + kLinkTableEntryOffset + kIntegerSize);
  const int64_t tableEnd = int64_t{contents.linkTableOffset} + kLinkTableSize;
  if (contents.linkTableOffset >= 0 && tableEnd <= contents.fileSize) {
    contents.links = DecodeLinkTable(std::span(file)
                                         .subspan(static_cast<size_t>(contents.linkTableOffset))
                                         .first<kLinkTableSize>());
  }
  return contents;
}

}  // namespace pm::tool
