#include "page/DocumentChecks.h"

#include <array>

#include "base/ErrorText.h"
#include "page/DocumentReach.h"

namespace pm {

namespace {

std::string Rectangle(const TLinkRecord& link) {
  return "rectangle " + std::to_string(link.Left) + ", " + std::to_string(link.Top) + ", " +
         std::to_string(link.Right) + ", " + std::to_string(link.Bottom);
}

std::string BackgroundSize(const TPageOutline& page) {
  if (!page.hasBackground) return "the page has no background";
  return "the background is " + std::to_string(page.backgroundWidth) + " x " +
         std::to_string(page.backgroundHeight);
}

class LinkChecker {
 public:
  LinkChecker(const TDocument& document, const TPageOutline& page, std::vector<TFinding>& findings)
      : document_(document), page_(page), findings_(findings) {}

  void Check(const TNumberedLink& numbered) {
    number_ = numbered.number;
    record_ = numbered.record;
    const TLinkRecord& link = numbered.record;
    CheckTarget(link);
    CheckSlot(link);
    if (link.HasRectangle()) {
      CheckOrder(link);
      CheckPlacement(link);
    }
  }

 private:
  TFinding& Add(TFindingKind kind, std::string message) {
    TFinding& finding = findings_.emplace_back();
    finding.kind = kind;
    finding.page = page_.number;
    finding.link = number_;
    finding.message = std::move(message);
    finding.record = record_;
    return finding;
  }

  void CheckTarget(const TLinkRecord& link) {
    if (link.LinkPage == -1) {
      if (link.HasRectangle()) Add(TFindingKind::NoTarget, "has a rectangle but no link page");
      return;
    }
    if (document_.HasPage(link.LinkPage)) return;
    std::string message = "leads to page " + std::to_string(link.LinkPage) + ", which has no file";
    if (link.LinkPage >= 0) message += " (" + document_.Pattern().FileName(link.LinkPage) + ")";
    Add(TFindingKind::DeadLink, std::move(message));
  }

  void CheckSlot(const TLinkRecord& link) {
    if (link.Bitmap == -1) return;
    if (link.Bitmap < 0 || link.Bitmap >= kSlotCount) {
      Add(TFindingKind::BadSlot,
          "names slot " + std::to_string(link.Bitmap) + ", outside 0 to 255");
    } else if (!page_.storedSlots[link.Bitmap]) {
      Add(TFindingKind::BadSlot, "names slot " + std::to_string(link.Bitmap) + ", which is empty");
    }
  }

  void CheckOrder(const TLinkRecord& link) {
    const bool across = link.Right < link.Left;
    const bool upward = link.Bottom < link.Top;
    if (!across && !upward) return;
    std::string which = across && upward ? "Right < Left and Bottom < Top"
                        : across         ? "Right < Left"
                                         : "Bottom < Top";
    Add(TFindingKind::InvertedRectangle, Rectangle(link) + " has " + which);
  }

  void CheckPlacement(const TLinkRecord& link) {
    const TAreaPlacement placement =
        PlacementOn(LinkRectangle(link), page_.backgroundWidth, page_.backgroundHeight);
    if (placement == TAreaPlacement::Inside) return;
    const char* how = placement == TAreaPlacement::PartlyOutside ? "partly" : "wholly";
    TFinding& finding = Add(TFindingKind::OutsideBackground, Rectangle(link) + " lies " + how +
                                                                 " outside the background (" +
                                                                 BackgroundSize(page_) + ")");
    finding.placement = placement;
    if (page_.hasBackground) {
      finding.background = TPageSize{page_.backgroundWidth, page_.backgroundHeight};
    }
  }

  const TDocument& document_;
  const TPageOutline& page_;
  std::vector<TFinding>& findings_;
  int32_t number_ = 0;
  TLinkRecord record_;
};

TFinding PageFinding(TFindingKind kind, int32_t page, std::string message) {
  TFinding finding;
  finding.kind = kind;
  finding.page = page;
  finding.message = std::move(message);
  return finding;
}

}  // namespace

std::string_view FindingKindName(TFindingKind kind) {
  // In the order of TFindingKind.
  static constexpr std::array<std::string_view, 7> kNames = {
      "load-failed",        "no-target",          "dead-link",  "bad-slot",
      "inverted-rectangle", "outside-background", "unreachable"};
  static_assert(kNames.size() == static_cast<size_t>(TFindingKind::Unreachable) + 1);
  return kNames[static_cast<size_t>(kind)];
}

std::vector<TFinding> CheckDocument(const TDocument& document,
                                    const std::vector<TPageOutline>& outlines) {
  const std::set<int32_t> reachable = ReachablePages(document, outlines);
  std::vector<TFinding> findings;
  for (const TPageOutline& page : outlines) {
    if (!page.Loaded()) {
      findings.push_back(
          PageFinding(TFindingKind::LoadFailed, page.number, WithFullStop(*page.loadFailure)));
    }
    if (!reachable.contains(page.number)) {
      TFinding& finding =
          findings.emplace_back(PageFinding(TFindingKind::Unreachable, page.number,
                                            "no chain of links from the start page " +
                                                std::to_string(document.Start()) + " reaches it"));
      finding.startPage = document.Start();
    }
    LinkChecker checker(document, page, findings);
    for (const TNumberedLink& link : page.links) checker.Check(link);
  }
  return findings;
}

}  // namespace pm
