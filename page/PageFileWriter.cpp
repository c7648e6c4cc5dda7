#include <array>
#include <limits>

#include "base/Exceptions.h"
#include "base/FileReplacement.h"
#include "page/LinkTable.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "page/PlaceholderBackground.h"

namespace pm {

namespace {

using namespace page_file;

void GivePlaceholderBackground(TPage& page) { page.SetBackgroundBitmap(PlaceholderBackground()); }

class HeaderBuilder {
 public:
  void SetEntry(int64_t at, int32_t offset, int32_t size) {
    StoreUInt32LE(bytes_.data() + at, static_cast<uint32_t>(offset));
    StoreUInt32LE(bytes_.data() + at + kIntegerSize, static_cast<uint32_t>(size));
  }
  const std::array<uint8_t, kHeaderSize>& Bytes() const { return bytes_; }

 private:
  std::array<uint8_t, kHeaderSize> bytes_{};
};

// The stream's JPEG bytes go directly after those before; the entry records where and how many.
// Offsets that the format's 32-bit integers can't hold fail like a write that can't go through.
void AppendStream(TJPEGImage& holder, TStream& file, HeaderBuilder& header, int64_t entryAt) {
  const int64_t offset = file.Position();
  holder.SaveJpeg(file);
  const int64_t size = file.Position() - offset;
  if (file.Position() > std::numeric_limits<int32_t>::max()) RaiseWriteError();
  header.SetEntry(entryAt, static_cast<int32_t>(offset), static_cast<int32_t>(size));
}

void WriteLinkTable(const TPage& page, TStream& file) {
  TPage::Links links;
  for (int link = 0; link < kLinkCount; ++link) links[link] = page.Link(link);
  file.WriteBuffer(EncodeLinkTable(links).data(), kLinkTableSize);
}

// The page's background; an empty one as the placeholder, put into the page first or written
// from a holder of its own.
void AppendBackground(TPage& page, TStream& file, HeaderBuilder& header,
                      TEmptyBackground emptyBackground) {
  if (page.BackgroundHolder().IsEmpty()) {
    if (emptyBackground == TEmptyBackground::PlaceholderInFileOnly) {
      TJPEGImage placeholder;
      placeholder.AssignBitmap(PlaceholderBackground());
      AppendStream(placeholder, file, header, kBackgroundEntryOffset);
      return;
    }
    GivePlaceholderBackground(page);
  }
  AppendStream(page.BackgroundHolder(), file, header, kBackgroundEntryOffset);
}

void WritePage(TPage& page, const std::string& fileName, TFileDescriptor heldLock,
               TEmptyBackground emptyBackground) {
  TFileReplacement replacement(fileName, std::move(heldLock));
  TStream& file = replacement.Stream();
  HeaderBuilder header;
  file.SetPosition(kHeaderSize);
  AppendBackground(page, file, header, emptyBackground);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    TJPEGImage& holder = page.SlotHolder(slot);
    if (holder.IsEmpty()) {
      header.SetEntry(SlotEntryOffset(slot), kNoStream, kNoStream);
    } else {
      AppendStream(holder, file, header, SlotEntryOffset(slot));
    }
  }
  const int64_t linkTableOffset = file.Position();
  header.SetEntry(kLinkTableEntryOffset, static_cast<int32_t>(linkTableOffset),
                  static_cast<int32_t>(kLinkTableSize));
  WriteLinkTable(page, file);

  file.SetPosition(0);
  file.WriteBuffer(header.Bytes().data(), kHeaderSize);
  replacement.Commit();
}

}  // namespace

void WritePageFile(TPage& page, const std::string& fileName) {
  WritePageFile(page, fileName, TFileDescriptor());
}

void WritePageFile(TPage& page, const std::string& fileName, TFileDescriptor heldLock) {
  WritePage(page, fileName, std::move(heldLock), TEmptyBackground::PlaceholderIntoPage);
}

void WritePageFile(TPage& page, const std::string& fileName, TEmptyBackground emptyBackground) {
  WritePage(page, fileName, TFileDescriptor(), emptyBackground);
}

}  // namespace pm
