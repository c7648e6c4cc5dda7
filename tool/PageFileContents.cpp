#include "tool/PageFileContents.h"

#include <map>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "page/PageFileLayout.h"

namespace pm::tool {

namespace {

using namespace page_file;

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;

// What a stored stream's bytes say, read where they lie; entries that name the same bytes are
// looked at once.
class StreamReader {
 public:
  StreamReader(TFileStream& file, int64_t fileSize) : file_(file), fileSize_(fileSize) {}

  StoredStream Read(int64_t entryAt) {
    StoredStream stream;
    static_cast<TStreamEntry&>(stream) = ReadStreamEntry(file_, entryAt);
    stream.inFile = stream.LiesWithin(fileSize_);
    if (!stream.inFile) return stream;
    const auto key = std::pair{stream.offset, stream.size};
    auto seen = seen_.find(key);
    if (seen == seen_.end()) seen = seen_.emplace(key, LookAt(stream)).first;
    static_cast<TStreamEntry&>(seen->second) = stream;
    return seen->second;
  }

 private:
  // Only one stream's bytes are held at a time.
  StoredStream LookAt(StoredStream stream) {
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.size));
    file_.SetPosition(stream.offset);
    file_.ReadBuffer(bytes.data(), stream.size);
    stream.startsWithImageMarker =
        bytes.size() >= 2 && bytes[0] == kMarkerPrefix && bytes[1] == kStartOfImage;
    try {
      stream.header = ReadJpegHeader(bytes);
    } catch (const Exception& e) {
      stream.headerError = e.Message();
    }
    return stream;
  }

  TFileStream& file_;
  int64_t fileSize_;
  std::map<std::pair<int32_t, int32_t>, StoredStream> seen_;
};

}  // namespace

PageFileContents ReadPageFileContents(const std::string& fileName) {
  TFileStream file(fileName, FileAccess::ReadShared);
  return ReadPageFileContents(file);
}

PageFileContents ReadPageFileContents(TFileStream& file) {
  PageFileContents contents;
  contents.fileSize = file.Size();
  if (contents.fileSize < kHeaderSize) RaiseReadError();

  StreamReader streams(file, contents.fileSize);
  contents.background = streams.Read(kBackgroundEntryOffset);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    contents.slots[slot] = streams.Read(SlotEntryOffset(slot));
  }
  const TLinkTableEntry table = ReadLinkTableEntry(file);
  contents.linkTableOffset = table.offset;
  contents.linkTableSize = table.size;
  if (table.LiesWithin(contents.fileSize)) contents.links = ReadLinkTable(file, table);
  return contents;
}

}  // namespace pm::tool
