#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "base/SharedBytes.h"
#include "base/Stream.h"
#include "page/PageFile.h"
#include "page/PageFileEntries.h"

namespace pm {

namespace {

using namespace page_file;

// Everything that a page file holds, read before the page is touched.
struct LoadedPage {
  std::unique_ptr<TJPEGImage> background;  // null when the file stores none
  std::array<std::unique_ptr<TJPEGImage>, kSlotCount> slots;
  TPage::Links links;
};

// The stored streams' bytes, every byte of the file read at most once: entries whose bytes
// overlap (the same bytes named twice, or streams that run into one another) share one block,
// which is read when the first of them is taken. A file can't make the reader hold more than
// it stores, whatever its entries say.
class StoredBytes {
 public:
  // `entries`: the stored entries whose bytes lie within the file.
  explicit StoredBytes(std::vector<TStreamEntry> entries) {
    std::sort(entries.begin(), entries.end(), [](const TStreamEntry& a, const TStreamEntry& b) {
      return a.offset != b.offset ? a.offset < b.offset : a.End() < b.End();
    });
    for (const TStreamEntry& entry : entries) {
      if (blocks_.empty() || entry.offset >= blocks_.back().end) {
        blocks_.push_back(Block{entry.offset, entry.End(), std::nullopt});
      } else {
        blocks_.back().end = std::max(blocks_.back().end, entry.End());
      }
    }
  }

  // The entry's bytes, in the block that holds them; `entry` is one of those given.
  TSharedBytes BytesOf(const TStreamEntry& entry, TStream& file) {
    auto after = std::upper_bound(blocks_.begin(), blocks_.end(), int64_t{entry.offset},
                                  [](int64_t offset, const Block& b) { return offset < b.begin; });
    Block& block = *std::prev(after);
    if (!block.bytes) block.bytes = ReadBlock(block, file);
    return block.bytes->Slice(static_cast<size_t>(entry.offset - block.begin),
                              static_cast<size_t>(entry.size));
  }

 private:
  struct Block {
    int64_t begin;
    int64_t end;
    std::optional<TSharedBytes> bytes;
  };

  static TSharedBytes ReadBlock(const Block& block, TStream& file) {
    std::vector<uint8_t> bytes(static_cast<size_t>(block.end - block.begin));
    file.SetPosition(block.begin);
    file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return TSharedBytes(std::move(bytes));
  }

  std::vector<Block> blocks_;  // by their first byte, none overlapping another
};

// The header as far as the file holds it, in one read: its entries are then read from this
// copy, in the order of the reading, instead of with a seek and two reads each. An entry that
// the file doesn't hold whole is a read error, as it is in the file.
TMemoryStream ReadHeader(TStream& file, int64_t fileSize) {
  TMemoryStream header;
  file.SetPosition(0);
  header.CopyFrom(file, std::min(fileSize, kHeaderSize));
  return header;
}

// The stored entries that lie within the file, as far as the file holds them: the plan of what
// StoredBytes reads.
std::vector<TStreamEntry> EntriesWithinTheFile(const TMemoryStream& header, int64_t fileSize) {
  const std::span<const uint8_t> bytes = header.Bytes();
  const auto held = std::min<int64_t>(static_cast<int64_t>(bytes.size()), kLinkTableEntryOffset);
  std::vector<TStreamEntry> entries;
  for (int64_t at = kBackgroundEntryOffset; at + kEntrySize <= held; at += kEntrySize) {
    const TStreamEntry entry{LoadInt32LE(bytes.data() + at),
                             LoadInt32LE(bytes.data() + at + kIntegerSize)};
    if (entry.LiesWithin(fileSize)) entries.push_back(entry);
  }
  return entries;
}

class PageFileReader {
 public:
  PageFileReader(TFileStream& file, const TPageFileReading& reading)
      : file_(file),
        fileSize_(file_.Size()),
        reading_(reading),
        header_(ReadHeader(file_, fileSize_)),
        stored_(EntriesWithinTheFile(header_, fileSize_)) {}

  LoadedPage Read() {
    LoadedPage loaded;
    loaded.background = ReadBackground();
    for (int slot = 0; slot < kSlotCount; ++slot) loaded.slots[slot] = ReadSlot(slot);
    // What the window shows once the slots are read: slot 0, decoded, unless it is the
    // background's very bytes, decoded already.
    if (!loaded.background || !loaded.slots[0]->ShareDecodedPicture(*loaded.background)) {
      DecodeForDisplay(*loaded.slots[0]);
    }
    loaded.links = ReadLinks();
    return loaded;
  }

 private:
  // An entry that the writer never produces is checked before anything is sized from it: offset
  // -1 is empty whatever the size says; any other entry whose bytes don't lie within the file
  // is a read error.
  TStreamEntry ReadEntry(int64_t at) {
    const TStreamEntry entry = ReadStreamEntry(header_, at);
    if (entry.Stored() && !entry.LiesWithin(fileSize_)) RaiseReadError();
    return entry;
  }

  std::unique_ptr<TJPEGImage> LoadStream(const TStreamEntry& entry) {
    auto holder = std::make_unique<TJPEGImage>();
    holder->LoadJpeg(stored_.BytesOf(entry, file_));
    return holder;
  }

  std::unique_ptr<TJPEGImage> ReadBackground() {
    const TStreamEntry entry = ReadEntry(kBackgroundEntryOffset);
    if (!entry.Stored()) return nullptr;
    auto holder = LoadStream(entry);
    DecodeForDisplay(*holder);
    return holder;
  }

  std::unique_ptr<TJPEGImage> ReadSlot(int slot) {
    const TStreamEntry entry = ReadEntry(SlotEntryOffset(slot));
    if (!entry.Stored()) return std::make_unique<TJPEGImage>();
    return LoadStream(entry);
  }

  // Decoding keeps the picture in the holder, so the window's display finds it ready and can't
  // fail on it after the page has taken the new content.
  void DecodeForDisplay(TJPEGImage& holder) const {
    if (!reading_.decodeShown || holder.IsEmpty()) return;
    TBitmap shown;
    holder.CopyToBitmap(shown);
  }

  TPage::Links ReadLinks() { return ReadLinkTable(file_, ReadLinkTableEntry(header_)); }

  TFileStream& file_;
  int64_t fileSize_;
  TPageFileReading reading_;
  TMemoryStream header_;
  StoredBytes stored_;
};

void PutInPlace(TPage& page, LoadedPage loaded, TPageFileListener* listener) {
  const bool backgroundStored = loaded.background != nullptr;
  page.ReplaceContent(std::move(loaded.background), std::move(loaded.slots), loaded.links);
  if (!listener) return;
  if (backgroundStored) listener->BackgroundRead();
  listener->SlotsRead();
  listener->LinksRead();
}

}  // namespace

void ReadPageFile(TPage& page, const std::string& fileName, TPageFileListener* listener,
                  const TPageFileReading& reading) {
  TFileStream file(fileName, reading.access);
  ReadPageFile(page, file, listener, reading);
}

void ReadPageFile(TPage& page, TFileStream& file, TPageFileListener* listener,
                  const TPageFileReading& reading) {
  PutInPlace(page, PageFileReader(file, reading).Read(), listener);
}

}  // namespace pm
