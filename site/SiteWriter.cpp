#include "site/SiteWriter.h"

#include <set>
#include <vector>

#include "base/Exceptions.h"
#include "imaging/JpegHeader.h"
#include "page/PageFile.h"
#include "page/PageOutline.h"
#include "site/DocumentGraph.h"
#include "site/SiteErrors.h"
#include "site/SiteFolder.h"
#include "site/SitePages.h"

namespace pm::site {

namespace {

// Graphs with more edges than this are laid out the quicker way.
constexpr size_t kQuickLayoutEdges = 150;

constexpr TGraphWords kSiteGraphWords = {"はじめ", "読み込めません", "辿れません", "ファイルなし"};

// A stream of no bytes has no header for a browser either: it fails as the editor would show it.
void CheckStoredPicture(const TJPEGImage& holder) {
  if (holder.Data().Bytes().empty()) ReadJpegHeader(holder.Data().Bytes());
}

class SiteWriter {
 public:
  SiteWriter(const TDocument& document, const std::string& folder, const TSiteOptions& options)
      : document_(document), options_(options), folder_(folder, document, options.force) {}

  TSiteReport Write() {
    const size_t pagesInAll = document_.Pages().size();
    std::vector<TPageOutline> outlines;
    outlines.reserve(pagesInAll);
    ReportProgress(0, pagesInAll);
    for (const TDocumentPageFile& file : document_.Pages()) {
      StopWhenCancelled();
      outlines.push_back(WritePage(file));
      ReportProgress(outlines.size(), pagesInAll);
    }
    folder_.Write(kSiteStyleName, SiteStyleSheet());
    report_.map = DrawMap(outlines);
    folder_.Write(kSiteIndexName,
                  SiteIndexHtml(document_, outlines, report_.map == TDotOutcome::Drawn));
    StopWhenCancelled();
    folder_.Publish();
    report_.pages = outlines.size();
    return report_;
  }

 private:
  void ReportProgress(size_t pagesDone, size_t pagesInAll) const {
    if (options_.progress) options_.progress(pagesDone, pagesInAll);
  }

  void StopWhenCancelled() const {
    if (options_.cancel && *options_.cancel) throw EAbort("");
  }

  // The page, read without decoding, with the slots its links show; a failure is the page's.
  std::set<int32_t> ReadPage(const TDocumentPageFile& file, TPage& page, TPageOutline& outline) {
    try {
      ReadPageFile(page, file.fileName, nullptr,
                   TPageFileReading{.access = FileAccess::ReadShared, .decodeShown = false});
      outline = OutlineOf(file, page);
      if (outline.hasBackground) CheckStoredPicture(page.BackgroundHolder());
      std::set<int32_t> slotsShown;
      for (const TNumberedLink& link : outline.links) {
        const auto slot = ShownSlot(outline, link.record, options_.slotPictures);
        if (slot && slotsShown.insert(*slot).second) CheckStoredPicture(page.SlotHolder(*slot));
      }
      return slotsShown;
    } catch (const Exception& e) {
      throw ESitePageFailure(file.fileName, e);
    }
  }

  TPageOutline WritePage(const TDocumentPageFile& file) {
    TPage page;
    TPageOutline outline;
    const std::set<int32_t> slotsShown = ReadPage(file, page, outline);
    if (outline.hasBackground) {
      WritePicture(SiteBackgroundName(file.number), page.BackgroundHolder());
    }
    for (const int32_t slot : slotsShown) {
      WritePicture(SiteSlotPictureName(file.number, slot), page.SlotHolder(slot));
    }
    folder_.Write(SitePageName(file.number),
                  SitePageHtml(document_, outline, options_.slotPictures));
    return outline;
  }

  void WritePicture(const std::string& name, const TJPEGImage& holder) {
    // Byte for byte as the page file stores it: no decoding, no second loss.
    folder_.Write(name, holder.Data().Bytes());
    ++report_.pictures;
  }

  TDotOutcome DrawMap(const std::vector<TPageOutline>& outlines) {
    const TGraphStyle style{kSiteGraphWords, GraphEdgeCount(outlines) > kQuickLayoutEdges};
    folder_.Write(kSiteMapGraphName, DocumentGraph(document_, outlines, style));
    if (!options_.drawMap) return TDotOutcome::NotInstalled;
    const TDotOutcome outcome =
        DrawWithDot(folder_.PathOf(kSiteMapGraphName), folder_.PathOf(kSiteMapPictureName),
                    options_.mapTimeLimit, options_.cancel);
    StopWhenCancelled();
    if (outcome == TDotOutcome::Drawn) folder_.Adopt(kSiteMapPictureName);
    return outcome;
  }

  const TDocument& document_;
  const TSiteOptions& options_;
  TSiteFolder folder_;
  TSiteReport report_;
};

}  // namespace

TSiteReport WriteSite(const TDocument& document, const std::string& folder,
                      const TSiteOptions& options) {
  return SiteWriter(document, folder, options).Write();
}

}  // namespace pm::site
