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

std::optional<int32_t> ShownSlot(const TPageOutline& page, const TLinkRecord& link,
                                 TSlotPictures pictures) {
  if (pictures == TSlotPictures::Never) return std::nullopt;
  return DrawnLinkSlot(page, link);
}

}  // namespace pm::site
