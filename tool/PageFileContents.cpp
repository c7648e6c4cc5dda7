#include "tool/PageFileContents.h"

#include <vector>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "page/PageFileLayout.h"

namespace pm::tool {

namespace {

using namespace page_file;

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;

StoredStream ReadStoredStream(TFileStream& file, int64_t fileSize, int64_t entryAt) {
  StoredStream stream;
  static_cast<TStreamEntry&>(stream) = ReadStreamEntry(file, entryAt);
  stream.inFile = stream.LiesWithin(fileSize);
  if (!stream.inFile) return stream;
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.size));
  file.SetPosition(stream.offset);
  file.ReadBuffer(bytes.data(), stream.size);
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
  TFileStream file(fileName, FileAccess::ReadExclusive);
  PageFileContents contents;
  contents.fileSize = file.Size();
  if (contents.fileSize < kHeaderSize) RaiseReadError();

  contents.background = ReadStoredStream(file, contents.fileSize, kBackgroundEntryOffset);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    contents.slots[slot] = ReadStoredStream(file, contents.fileSize, SlotEntryOffset(slot));
  }
  const TLinkTableEntry table = ReadLinkTableEntry(file);
  contents.linkTableOffset = table.offset;
  contents.linkTableSize = table.size;
  if (table.LiesWithin(contents.fileSize)) contents.links = ReadLinkTable(file, table);
  return contents;
}

}  // namespace pm::tool
