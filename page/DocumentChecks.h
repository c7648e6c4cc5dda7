// The problems of a document's links across its pages, as an author needs to hear of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page/Document.h"
#include "page/LinkArea.h"
#include "page/PageOutline.h"

namespace pm {

enum class TFindingKind {
  LoadFailed,         // the page can't be loaded; the message is the editor's
  NoTarget,           // four set edges but link page -1
  DeadLink,           // the link page has no file
  BadSlot,            // Bitmap names an empty slot or a number outside 0 to 255
  InvertedRectangle,  // Right < Left or Bottom < Top
  OutsideBackground,  // the rectangle lies partly or wholly outside the background
  Unreachable,        // no chain of links from the start page reaches the page
};

// "load-failed", "no-target", "dead-link", "bad-slot", "inverted-rectangle",
// "outside-background", "unreachable".
std::string_view FindingKindName(TFindingKind kind);

struct TFinding {
  TFindingKind kind = TFindingKind::LoadFailed;
  int32_t page = 0;
  std::optional<int32_t> link;  // none where no link is concerned
  std::string message;          // in English, as pagetool prints it; load-failed: the editor's

  // What the message tells, for front ends that word findings themselves.
  TLinkRecord record;  // the link as stored, for a finding about a link
  // outside-background: how much of the rectangle lies off the background, and the
  // background's size (nothing when the page has none).
  TAreaPlacement placement = TAreaPlacement::Inside;
  std::optional<TPageSize> background;
  int32_t startPage = 0;  // unreachable: the page that the chains of links start from
};

// Every finding, page by page in ascending order: the page's own findings (load-failed,
// unreachable) first, then its links' in link number order, each link's in the order of the
// kinds above. `outlines` are those of the document's pages.
std::vector<TFinding> CheckDocument(const TDocument& document,
                                    const std::vector<TPageOutline>& outlines);

}  // namespace pm
