#include "site/SiteLayout.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace pm::site {

namespace {

constexpr std::string_view kPagePrefix = "page-";
constexpr std::string_view kPageSuffix = ".html";
constexpr std::string_view kBackgroundSuffix = "-background.jpg";
constexpr std::string_view kSlotInfix = "-slot-";
constexpr std::string_view kPictureSuffix = ".jpg";
constexpr std::string_view kFixedNames[] = {kSiteIndexName, kSiteStyleName, kSiteMapGraphName,
                                            kSiteMapPictureName};

std::string PagePrefix(int32_t page) { return std::string(kPagePrefix) + std::to_string(page); }

// The number at the start of `text`, written as std::to_string writes it (no sign, no leading
// zero), which is taken off the text; nothing when there is none or it exceeds int32_t.
std::optional<int32_t> TakeNumber(std::string_view& text) {
  int64_t number = 0;
  const char* end = text.data() + text.size();
  const auto [after, error] = std::from_chars(text.data(), end, number);
  const size_t digits = static_cast<size_t>(after - text.data());
  if (error != std::errc() || digits == 0 || !std::isdigit(static_cast<unsigned char>(text[0])) ||
      (text[0] == '0' && digits > 1) || number > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  text.remove_prefix(digits);
  return static_cast<int32_t>(number);
}

}  // namespace

std::string SitePageName(int32_t page) { return PagePrefix(page) + std::string(kPageSuffix); }

std::string SiteBackgroundName(int32_t page) {
  return PagePrefix(page) + std::string(kBackgroundSuffix);
}

std::string SiteSlotPictureName(int32_t page, int32_t slot) {
  return PagePrefix(page) + std::string(kSlotInfix) + std::to_string(slot) +
         std::string(kPictureSuffix);
}

std::optional<int32_t> SitePageOfFileName(std::string_view name) {
  if (!name.starts_with(kPagePrefix)) return std::nullopt;
  name.remove_prefix(kPagePrefix.size());
  const std::optional<int32_t> page = TakeNumber(name);
  if (!page) return std::nullopt;
  if (name == kPageSuffix || name == kBackgroundSuffix) return page;
  if (!name.starts_with(kSlotInfix)) return std::nullopt;
  name.remove_prefix(kSlotInfix.size());
  const std::optional<int32_t> slot = TakeNumber(name);
  if (!slot || *slot >= kSlotCount || name != kPictureSuffix) return std::nullopt;
  return page;
}

bool IsSiteFileName(std::string_view name) {
  return std::find(std::begin(kFixedNames), std::end(kFixedNames), name) != std::end(kFixedNames) ||
         SitePageOfFileName(name).has_value();
}

std::optional<int32_t> ShownSlot(const TPageOutline& page, const TLinkRecord& link,
                                 TSlotPictures pictures) {
  if (pictures == TSlotPictures::Never) return std::nullopt;
  return DrawnLinkSlot(page, link);
}

}  // namespace pm::site
