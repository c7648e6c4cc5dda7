#include "site/SitePages.h"

#include <cstdio>
#include <filesystem>

#include "page/DocumentReach.h"
#include "site/TextEscaping.h"

namespace pm::site {

namespace {

constexpr const char* kBodyClass[] = {"slots-hover", "slots-always", "slots-never"};

std::string Head(const std::string& title) {
  return "<!DOCTYPE html>\n"
         "<html lang=\"ja\">\n"
         "<head>\n"
         "<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>" +
         title +
         "</title>\n"
         "<link rel=\"icon\" href=\"data:,\">\n"
         "<link rel=\"stylesheet\" href=\"" +
         kSiteStyleName +
         "\">\n"
         "</head>\n";
}

constexpr const char* kTail = "</body>\n</html>\n";

std::string PageTitle(int32_t page) { return "ページ " + std::to_string(page); }

std::string LinkName(int32_t link, int32_t target) {
  return "リンク " + std::to_string(link) + " → " + PageTitle(target);
}

// "12.3456%": a share of the whole in percent.
std::string Percent(int64_t part, int64_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f%%", 100.0 * static_cast<double>(part) / whole);
  return text;
}

std::string Placement(const TPageOutline& page, const TLinkRecord& link) {
  const TPageRect area = page.AreaOf(link);
  const int64_t width = page.backgroundWidth;
  const int64_t height = page.backgroundHeight;
  return "left: " + Percent(area.left, width) + "; top: " + Percent(area.top, height) +
         "; width: " + Percent(area.Width(), width) + "; height: " + Percent(area.Height(), height);
}

std::string SlotPicture(const TPageOutline& page, const TLinkRecord& link, TSlotPictures pictures) {
  const auto slot = ShownSlot(page, link, pictures);
  if (!slot) return "";
  return "<img class=\"slot\" src=\"" + SiteSlotPictureName(page.number, *slot) + "\" alt=\"\">";
}

std::string LinkElement(const TDocument& document, const TPageOutline& page,
                        const TNumberedLink& numbered, TSlotPictures pictures) {
  const TLinkRecord& link = numbered.record;
  const std::string style = "\" style=\"" + Placement(page, link) + "\"";
  const std::string picture = SlotPicture(page, link, pictures);
  if (document.HasPage(link.LinkPage)) {
    const std::string name = LinkName(numbered.number, link.LinkPage);
    return "<a class=\"link\" href=\"" + SitePageName(link.LinkPage) + style + " aria-label=\"" +
           name + "\" title=\"" + name + "\">" + picture + "</a>\n";
  }
  const std::string says =
      link.LinkPage == -1 ? "リンク " + std::to_string(numbered.number) + ": 行き先がありません"
                          : LinkName(numbered.number, link.LinkPage) + ": このページはありません";
  return "<span class=\"link dead" + style + " title=\"" + says + "\"><span class=\"hidden\">" +
         says + "</span>" + picture + "</span>\n";
}

std::string PageBody(const TDocument& document, const TPageOutline& page, TSlotPictures pictures) {
  std::string body = "<main>\n<h1 class=\"hidden\">" + PageTitle(page.number) + "</h1>\n";
  if (!page.hasBackground) {
    return body + "<p class=\"no-background\">このページには背景がありません。</p>\n</main>\n";
  }
  const std::string width = std::to_string(page.backgroundWidth);
  const std::string height = std::to_string(page.backgroundHeight);
  body += "<div class=\"page\" style=\"--width: " + width + "; --height: " + height + "\">\n";
  body += "<img class=\"background\" src=\"" + SiteBackgroundName(page.number) + "\" width=\"" +
          width + "\" height=\"" + height + "\" alt=\"" + PageTitle(page.number) + "\">\n";
  for (const TNumberedLink& link : page.links) {
    if (LinkIsDrawn(page, link.record)) body += LinkElement(document, page, link, pictures);
  }
  return body + "</div>\n</main>\n";
}

std::string PageList(const TDocument& document, const std::vector<TPageOutline>& outlines) {
  const std::set<int32_t> reachable = ReachablePages(document, outlines);
  std::string list = "<ul class=\"pages\">\n";
  for (const TPageOutline& page : outlines) {
    list += "<li><a href=\"" + SitePageName(page.number) + "\">" + PageTitle(page.number) +
            "</a> <span class=\"file\">" +
            EscapeHtml(std::filesystem::path(page.fileName).filename().string()) + "</span>";
    if (page.number == document.Start()) list += " (はじめのページ)";
    if (!reachable.contains(page.number)) list += " (どのページからも辿れません)";
    std::string links;
    for (const TNumberedLink& link : page.links) {
      const int32_t target = link.record.LinkPage;
      if (target == -1) continue;
      links += "<li>リンク " + std::to_string(link.number) + " → ";
      links += document.HasPage(target)
                   ? "<a href=\"" + SitePageName(target) + "\">" + PageTitle(target) + "</a>"
                   : PageTitle(target) + " (ファイルがありません)";
      links += "</li>\n";
    }
    if (!links.empty()) list += "\n<ul>\n" + links + "</ul>\n";
    list += "</li>\n";
  }
  return list + "</ul>\n";
}

}  // namespace

std::string SitePageHtml(const TDocument& document, const TPageOutline& page,
                         TSlotPictures pictures) {
  return Head(PageTitle(page.number)) + "<body class=\"" + kBodyClass[static_cast<int>(pictures)] +
         "\">\n" + PageBody(document, page, pictures) + "<nav><a href=\"" + kSiteIndexName +
         "\">目次</a></nav>\n" + kTail;
}

std::string SiteIndexHtml(const TDocument& document, const std::vector<TPageOutline>& outlines,
                          bool mapDrawn) {
  std::string html = Head("目次") + "<body class=\"index\">\n<main>\n<h1>目次</h1>\n";
  html += "<p class=\"start\"><a href=\"" + SitePageName(document.Start()) + "\">" +
          PageTitle(document.Start()) + " から読む</a></p>\n";
  html += "<h2>地図</h2>\n";
  if (mapDrawn) {
    html += "<figure class=\"map\"><img src=\"" + std::string(kSiteMapPictureName) +
            "\" alt=\"ページとリンクの地図。同じつながりを下の一覧にも示します。\"></figure>\n";
    html += "<details>\n<summary>ページとリンクの一覧</summary>\n" + PageList(document, outlines) +
            "</details>\n";
  } else {
    html += PageList(document, outlines);
  }
  return html + "</main>\n" + kTail;
}

std::string SiteStyleSheet() {
  return R"(* { box-sizing: border-box; }
html { background: #1e1e1e; color: #f0f0f0; font-family: sans-serif; }
body { margin: 0; }
a { color: #9cd0ff; }
.hidden {
  position: absolute; width: 1px; height: 1px; margin: -1px; padding: 0;
  overflow: hidden; clip-path: inset(50%); white-space: nowrap; border: 0;
}

/* A page: the background as large as the window allows, in its own proportions. */
.page {
  position: relative; margin: 0 auto; background: #fff;
  width: min(100%, calc((100vh - 2.5rem) * var(--width) / var(--height)));
  aspect-ratio: var(--width) / var(--height);
}
.page > .background { display: block; width: 100%; height: 100%; }
.no-background { margin: 2rem; text-align: center; }
nav { height: 2.5rem; display: flex; align-items: center; justify-content: center; }

/* Links over the background; focus is always visible. */
.link { position: absolute; display: block; }
a.link { outline: 1px solid rgba(255, 255, 255, 0.6); box-shadow: inset 0 0 0 1px rgba(0, 0, 0, 0.5); }
a.link:hover { outline: 2px solid #ffd400; }
a.link:focus { outline: 3px solid #ffd400; box-shadow: 0 0 0 5px #000; z-index: 1; }
.dead { outline: 2px dashed #e00000; cursor: not-allowed; }

/* Slot pictures: on hover and focus, always, or not at all. */
.slot {
  position: absolute; left: 0; top: 0; width: 100%; height: 100%;
  object-fit: contain; visibility: hidden;
}
.slots-always .slot,
.slots-hover .link:hover .slot,
.slots-hover .link:focus .slot { visibility: visible; }

/* The index. */
.index main { max-width: 60rem; margin: 0 auto; padding: 1rem; }
.map img { max-width: 100%; height: auto; background: #fff; }
.file { color: #b0b0b0; }
)";
}

}  // namespace pm::site
