#include "page/DocumentOverview.h"

#include <algorithm>
#include <map>
#include <set>

#include "page/DocumentReach.h"

namespace pm {

namespace {

TPageCard PageCard(const TDocument& document, const TPageOutline& page,
                   const std::set<int32_t>& reachable) {
  return TPageCard{.number = page.number,
                   .fileName = page.fileName,
                   .missing = false,
                   .start = page.number == document.Start(),
                   .loadFailed = !page.Loaded(),
                   .unreachable = !reachable.contains(page.number),
                   .findings = 0};
}

TPageCard MissingCard(const TDocument& document, int32_t number) {
  TPageCard card;
  card.number = number;
  card.missing = true;
  if (number >= 0) card.fileName = document.Pattern().FileName(number);
  return card;
}

// One arrow for each pair of pages that links join, in the order of the pair.
std::vector<TPageArrow> Arrows(const TDocument& document,
                               const std::vector<TPageOutline>& outlines) {
  std::map<std::pair<int32_t, int32_t>, TPageArrow> arrows;
  for (const TPageOutline& page : outlines) {
    for (const TNumberedLink& link : page.links) {
      const int32_t target = link.record.LinkPage;
      if (target == -1) continue;  // a link that leads nowhere
      TPageArrow& arrow = arrows[{page.number, target}];
      arrow.from = page.number;
      arrow.to = target;
      arrow.links.push_back(link.number);
      arrow.dead = !document.HasPage(target);
      arrow.followed = arrow.followed || LinkIsFollowed(page, link.record, document);
    }
  }
  std::vector<TPageArrow> list;
  list.reserve(arrows.size());
  for (auto& [pair, arrow] : arrows) list.push_back(std::move(arrow));
  return list;
}

}  // namespace

const TPageCard* TDocumentOverview::Card(int32_t number) const {
  const auto found = std::find_if(cards.begin(), cards.end(), [number](const TPageCard& card) {
    return card.number == number;
  });
  return found == cards.end() ? nullptr : &*found;
}

size_t TDocumentOverview::LinkCount() const {
  size_t count = 0;
  for (const TPageArrow& arrow : arrows) count += arrow.links.size();
  return count;
}

TDocumentOverview OverviewOf(const TDocument& document, const std::vector<TPageOutline>& outlines) {
  TDocumentOverview overview;
  const std::set<int32_t> reachable = ReachablePages(document, outlines);
  std::map<int32_t, size_t> cardOf;
  for (const TPageOutline& page : outlines) {
    cardOf[page.number] = overview.cards.size();
    overview.cards.push_back(PageCard(document, page, reachable));
  }
  overview.arrows = Arrows(document, outlines);
  std::set<int32_t> missing;
  for (const TPageArrow& arrow : overview.arrows) {
    if (arrow.dead) missing.insert(arrow.to);
  }
  for (const int32_t number : missing) {
    cardOf[number] = overview.cards.size();
    overview.cards.push_back(MissingCard(document, number));
  }
  overview.findings = CheckDocument(document, outlines);
  for (const TFinding& finding : overview.findings) {
    const auto card = cardOf.find(finding.page);
    if (card != cardOf.end()) ++overview.cards[card->second].findings;
  }
  return overview;
}

}  // namespace pm
