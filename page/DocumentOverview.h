// What a map of a document shows: a card for every page and for every missing page that a link
// names, one arrow for all the links from one page to another, and the findings of the checks.
// The editor's document window draws it as it is; it is made from the pages' outlines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "page/Document.h"
#include "page/DocumentChecks.h"
#include "page/PageOutline.h"

namespace pm {

struct TPageCard {
  int32_t number = 0;
  std::string fileName;  // the page file; for a missing page, the file the pattern names
  bool missing = false;  // links lead here, but there is no such page file
  bool start = false;
  bool loadFailed = false;
  bool unreachable = false;
  size_t findings = 0;  // how many findings name this page
};

struct TPageArrow {
  int32_t from = 0;
  int32_t to = 0;
  std::vector<int32_t> links;  // the link numbers, ascending
  bool dead = false;           // `to` is a missing page
  bool followed = false;       // at least one of the links takes a reader there
};

struct TDocumentOverview {
  // The pages in ascending order, then the missing pages in ascending order.
  std::vector<TPageCard> cards;
  // By `from`, then by `to`.
  std::vector<TPageArrow> arrows;
  std::vector<TFinding> findings;

  // The card of that page number, or nullptr.
  const TPageCard* Card(int32_t number) const;
  // The number of links that all arrows stand for.
  size_t LinkCount() const;
};

// `outlines` are those of the document's pages, in its order.
TDocumentOverview OverviewOf(const TDocument& document, const std::vector<TPageOutline>& outlines);

}  // namespace pm
