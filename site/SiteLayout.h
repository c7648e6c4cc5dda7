// What a web site of a document holds: the names of its files, and which links are drawn and
// which slot pictures they show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "page/PageOutline.h"

namespace pm::site {

// When a link shows its slot picture: on hover and keyboard focus, always, or never.
enum class TSlotPictures { Hover, Always, Never };

inline constexpr const char* kSiteIndexName = "index.html";
inline constexpr const char* kSiteStyleName = "style.css";
inline constexpr const char* kSiteMapGraphName = "map.dot";
inline constexpr const char* kSiteMapPictureName = "map.svg";

// Distinct for every page and slot, and none of them one of the fixed names above.
std::string SitePageName(int32_t page);                       // page-N.html
std::string SiteBackgroundName(int32_t page);                 // page-N-background.jpg
std::string SiteSlotPictureName(int32_t page, int32_t slot);  // page-N-slot-S.jpg

// The page whose file the name is, when it is one of the names above; nothing for the fixed
// names and for every name that no site writes.
std::optional<int32_t> SitePageOfFileName(std::string_view name);
// A name that a site writes: one of the fixed names or a page's.
bool IsSiteFileName(std::string_view name);

// Which links are drawn, and which slot a drawn link shows, are the reader's rules of
// page/PageOutline.h (LinkIsDrawn, DrawnLinkSlot).

// The slot whose picture a drawn link shows, when pictures are shown at all.
std::optional<int32_t> ShownSlot(const TPageOutline& page, const TLinkRecord& link,
                                 TSlotPictures pictures);

}  // namespace pm::site
