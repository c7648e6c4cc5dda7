// Which pages a reader can get to from the start page by following links.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "page/Document.h"
#include "page/PageOutline.h"

namespace pm {

// The start page and every page that a chain of followed links (LinkIsFollowed) reaches from
// it. A page that failed to load leads nowhere. `outlines` are those of the document's pages.
std::set<int32_t> ReachablePages(const TDocument& document,
                                 const std::vector<TPageOutline>& outlines);

}  // namespace pm
