#include <algorithm>
#include <array>
#include <memory>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "base/MemoryStream.h"
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

class PageFileReader {
 public:
  PageFileReader(const std::string& fileName, const TPageFileReading& reading)
      : file_(fileName, reading.access), fileSize_(file_.Size()), reading_(reading) {
    // The header's entries are read from one copy of it: one read instead of three system
    // calls for each of its 257 entries. A file shorter than the header gives what it has, and
    // an entry past its end is a read error as it would be in the file.
    file_.SetPosition(0);
    header_.CopyFrom(file_, std::min(fileSize_, kHeaderSize));
  }

  LoadedPage Read() {
    LoadedPage loaded;
    loaded.background = ReadBackground();
    for (int slot = 0; slot < kSlotCount; ++slot) loaded.slots[slot] = ReadSlot(slot);
    // What the window shows once the slots are read: slot 0, decoded.
    DecodeForDisplay(*loaded.slots[0]);
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
    file_.SetPosition(entry.offset);
    buffer_.Clear();
    buffer_.CopyFrom(file_, entry.size);
    buffer_.SetPosition(0);
    auto holder = std::make_unique<TJPEGImage>();
    holder->LoadJpeg(buffer_);
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

  TFileStream file_;
  int64_t fileSize_;
  TPageFileReading reading_;
  TMemoryStream header_;
  TMemoryStream buffer_;
};

}  // namespace

void ReadPageFile(TPage& page, const std::string& fileName, TPageFileListener* listener,
                  const TPageFileReading& reading) {
  LoadedPage loaded = PageFileReader(fileName, reading).Read();
  const bool backgroundStored = loaded.background != nullptr;
  page.ReplaceContent(std::move(loaded.background), std::move(loaded.slots), loaded.links);
  if (!listener) return;
  if (backgroundStored) listener->BackgroundRead();
  listener->SlotsRead();
  listener->LinksRead();
}

}  // namespace pm
