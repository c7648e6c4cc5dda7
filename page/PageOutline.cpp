#include "page/PageOutline.h"

namespace pm {

TPageRect TPageOutline::AreaOf(const TLinkRecord& link) const {
  return ClippedTo(LinkRectangle(link), backgroundWidth, backgroundHeight);
}

TPageOutline OutlineOf(const TDocumentPageFile& file, const TPage& page) {
  TPageOutline outline;
  outline.number = file.number;
  outline.fileName = file.fileName;
  const TJPEGImage& background = page.BackgroundHolder();
  outline.hasBackground = !background.IsEmpty();
  if (outline.hasBackground) {
    // The size from the stream's header, or from the picture when it was decoded.
    outline.backgroundWidth = background.Width();
    outline.backgroundHeight = background.Height();
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    outline.storedSlots[slot] = !page.SlotHolder(slot).IsEmpty();
  }
  for (int link = 0; link < kLinkCount; ++link) {
    if (page.Link(link) != TLinkRecord()) outline.links.push_back({link, page.Link(link)});
  }
  return outline;
}

TPageOutline FailedOutline(const TDocumentPageFile& file, std::string message) {
  TPageOutline outline;
  outline.number = file.number;
  outline.fileName = file.fileName;
  outline.loadFailure = std::move(message);
  return outline;
}

bool LinkIsDrawn(const TPageOutline& page, const TLinkRecord& link) {
  return link.HasRectangle() && !page.AreaOf(link).Empty();
}

std::optional<int32_t> DrawnLinkSlot(const TPageOutline& page, const TLinkRecord& link) {
  if (!LinkIsDrawn(page, link)) return std::nullopt;
  if (link.Bitmap < 0 || link.Bitmap >= kSlotCount || !page.storedSlots[link.Bitmap]) {
    return std::nullopt;
  }
  return link.Bitmap;
}

bool LinkIsFollowed(const TPageOutline& page, const TLinkRecord& link, const TDocument& document) {
  return LinkIsDrawn(page, link) && document.HasPage(link.LinkPage);
}

}  // namespace pm
