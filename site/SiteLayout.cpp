#include "site/SiteLayout.h"

namespace pm::site {

namespace {

std::string PagePrefix(int32_t page) { return "page-" + std::to_string(page); }

}  // namespace

std::string SitePageName(int32_t page) { return PagePrefix(page) + ".html"; }

std::string SiteBackgroundName(int32_t page) { return PagePrefix(page) + "-background.jpg"; }

std::string SiteSlotPictureName(int32_t page, int32_t slot) {
  return PagePrefix(page) + "-slot-" + std::to_string(slot) + ".jpg";
}

bool IsDrawn(const TPageOutline& page, const TLinkRecord& link) {
  return link.HasRectangle() && !page.AreaOf(link).Empty();
}

std::optional<int32_t> ShownSlot(const TPageOutline& page, const TLinkRecord& link,
                                 TSlotPictures pictures) {
  if (pictures == TSlotPictures::Never || !IsDrawn(page, link)) return std::nullopt;
  if (link.Bitmap < 0 || link.Bitmap >= kSlotCount || !page.storedSlots[link.Bitmap]) {
    return std::nullopt;
  }
  return link.Bitmap;
}

}  // namespace pm::site
