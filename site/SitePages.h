// The HTML and CSS of a document's web site: plain pages that need no script and no server.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "page/Document.h"
#include "page/PageOutline.h"
#include "site/SiteLayout.h"

namespace pm::site {

// Page N: its background, scaled with the window and keeping its proportions, and over it each
// drawn link in link number order, placed in percentages of the background. A link to an
// existing page is an HTML link named "リンク N → ページ M"; any other is drawn, leads nowhere
// and says so in its title.
std::string SitePageHtml(const TDocument& document, const TPageOutline& page,
                         TSlotPictures pictures);

// The index: its first link leads to the start page; then the document's map, as the picture
// that dot drew when `mapDrawn`, and a list of the pages and their links.
std::string SiteIndexHtml(const TDocument& document, const std::vector<TPageOutline>& outlines,
                          bool mapDrawn);

// The one style sheet of every page.
std::string SiteStyleSheet();

}  // namespace pm::site
