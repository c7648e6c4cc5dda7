// What a document keeps of one page once it has been read: enough to check its links, draw the
// document's map and place its links, without the pictures.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page/Document.h"
#include "page/LinkArea.h"
#include "page/Page.h"

namespace pm {

struct TNumberedLink {
  int32_t number = 0;
  TLinkRecord record;
};

struct TPageOutline {
  int32_t number = 0;
  std::string fileName;
  // The message of the failure when the page couldn't be loaded; then nothing else is known.
  std::optional<std::string> loadFailure;
  bool hasBackground = false;
  int32_t backgroundWidth = 0;
  int32_t backgroundHeight = 0;
  std::bitset<kSlotCount> storedSlots;  // the slots that aren't empty
  // Every link that differs from a cleared one, in link number order.
  std::vector<TNumberedLink> links;

  bool Loaded() const { return !loadFailure.has_value(); }
  // The part of the link's rectangle that lies on the background (none without a background).
  TPageRect AreaOf(const TLinkRecord& link) const;
};

// The outline of a page that has been read.
TPageOutline OutlineOf(const TDocumentPageFile& file, const TPage& page);
// The outline of a page that couldn't be loaded.
TPageOutline FailedOutline(const TDocumentPageFile& file, std::string message);

// Whether a reader sees the link on its page: it has four set edges and some of its rectangle
// lies on the background. A page without a background shows no links.
bool LinkIsDrawn(const TPageOutline& page, const TLinkRecord& link);

// The slot whose picture a drawn link shows: its Bitmap, when that names a stored slot.
std::optional<int32_t> DrawnLinkSlot(const TPageOutline& page, const TLinkRecord& link);

// Whether a link takes a reader to another page: it is drawn and its link page has a file.
bool LinkIsFollowed(const TPageOutline& page, const TLinkRecord& link, const TDocument& document);

}  // namespace pm
