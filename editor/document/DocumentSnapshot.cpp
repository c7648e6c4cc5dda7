#include "editor/document/DocumentSnapshot.h"

#include "base/Exceptions.h"
#include "page/PageFile.h"

namespace pm {

// A first version without thumbnails; the map's work replaces it.
std::shared_ptr<const TDocumentSnapshot> ReadDocumentSnapshot(const std::string& pattern,
                                                              std::optional<int32_t> start,
                                                              const TSnapshotProgress& progress) {
  auto snapshot =
      std::make_shared<TDocumentSnapshot>(TDocumentSnapshot{TDocument(pattern, start), {}, {}, {}});
  const auto& pages = snapshot->document.Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (progress && !progress(i, pages.size())) return nullptr;
    TPage page;
    try {
      ReadPageFile(page, pages[i].fileName, nullptr,
                   TPageFileReading{.access = FileAccess::ReadShared, .decodeShown = false});
      snapshot->outlines.push_back(OutlineOf(pages[i], page));
    } catch (const Exception& e) {
      snapshot->outlines.push_back(FailedOutline(pages[i], e.Message()));
    }
  }
  snapshot->overview = OverviewOf(snapshot->document, snapshot->outlines);
  return snapshot;
}

}  // namespace pm
