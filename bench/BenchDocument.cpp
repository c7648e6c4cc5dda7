#include "bench/BenchDocument.h"

#include <vector>

#include "page/PageFile.h"

namespace pm::bench {

namespace {

constexpr int32_t kBackgroundWidth = 1024;
constexpr int32_t kBackgroundHeight = 768;
constexpr int32_t kSlotWidth = 160;
constexpr int32_t kSlotHeight = 120;
constexpr int kDistinctBackgrounds = 10;

}  // namespace

std::string DocumentPageFile(const TempFolder& folder, int page) {
  return folder.File("page" + std::to_string(page) + ".pag");
}

int32_t DocumentLinkTarget(int page, int link) {
  return (page * 7 + link * 13) % kDocumentPages + 1;
}

void MakeDocument(const TempFolder& folder) {
  std::vector<TBitmap> slots;
  for (int i = 0; i < kDocumentSlotsPerPage; ++i) {
    slots.push_back(MakePicture(kSlotWidth, kSlotHeight, 200 + i));
  }
  for (int page = 1; page <= kDocumentPages; ++page) {
    TPage written;
    if (page <= kDistinctBackgrounds) {
      written.SetBackgroundBitmap(MakePicture(kBackgroundWidth, kBackgroundHeight, page));
      for (int slot = 0; slot < kDocumentSlotsPerPage; ++slot) {
        written.SetSlotBitmap(slot, slots[slot]);
      }
    } else {
      ReadPageFile(written, DocumentPageFile(folder, page - kDistinctBackgrounds), nullptr);
    }
    for (int slot = 0; slot < kDocumentSlotsPerPage; ++slot) {
      TLinkRecord link;
      link.Left = (slot % 5) * 200 + 10;
      link.Top = (slot / 5) * 190 + 10;
      link.Right = link.Left + kSlotWidth;
      link.Bottom = link.Top + kSlotHeight;
      link.LinkPage = DocumentLinkTarget(page, slot);
      link.Bitmap = slot;
      written.SetLink(slot, link);
    }
    WritePageFile(written, DocumentPageFile(folder, page));
  }
}

}  // namespace pm::bench
