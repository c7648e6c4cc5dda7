#include "page/DocumentReach.h"

#include <map>

namespace pm {

std::set<int32_t> ReachablePages(const TDocument& document,
                                 const std::vector<TPageOutline>& outlines) {
  std::map<int32_t, const TPageOutline*> byNumber;
  for (const TPageOutline& outline : outlines) byNumber[outline.number] = &outline;

  std::set<int32_t> reached{document.Start()};
  std::vector<int32_t> toVisit{document.Start()};
  while (!toVisit.empty()) {
    const int32_t number = toVisit.back();
    toVisit.pop_back();
    const auto found = byNumber.find(number);
    if (found == byNumber.end()) continue;
    const TPageOutline& page = *found->second;
    for (const TNumberedLink& link : page.links) {
      if (!LinkIsFollowed(page, link.record, document)) continue;
      if (reached.insert(link.record.LinkPage).second) toVisit.push_back(link.record.LinkPage);
    }
  }
  return reached;
}

}  // namespace pm
