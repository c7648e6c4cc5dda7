// Reading every page of a document, one after the other, keeping only each page's outline.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "page/Document.h"
#include "page/PageFile.h"
#include "page/PageOutline.h"

namespace pm {

// What a reading of a document does beside making the outlines.
struct TDocumentReadingSteps {
  // Before each page and once at the end: pages read, of pages in all. Returning false stops the
  // reading.
  std::function<bool(size_t done, size_t total)> progress;
  // Told of each page that loaded, before its outline is made; a failure that it raises (any
  // failure the editor would show) makes the page one that fails to load, with its message.
  std::function<void(const TDocumentPageFile& file, const TPage& page)> pageRead;
};

// How a document's pages are read to check them or draw their map: each as the editor loads it,
// with the background and slot 0 decoded, so that a page fails exactly when the editor would
// fail to load it; other readers may read the files meanwhile.
inline constexpr TPageFileReading kDocumentPageReading{.access = FileAccess::ReadShared,
                                                       .decodeShown = true};

// The outlines of all pages in ascending order. A page that fails to load (any failure the
// editor would show) keeps its message and nothing else; running out of memory stops the
// reading.
std::vector<TPageOutline> ReadDocumentOutlines(const TDocument& document,
                                               const TPageFileReading& reading);
// The same with the steps; nothing when `steps.progress` stopped it.
std::optional<std::vector<TPageOutline>> ReadDocumentOutlines(const TDocument& document,
                                                              const TPageFileReading& reading,
                                                              const TDocumentReadingSteps& steps);

}  // namespace pm
