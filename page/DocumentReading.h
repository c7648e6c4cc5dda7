// Reading every page of a document, one after the other, keeping only each page's outline.
#pragma once

#include <vector>

#include "page/Document.h"
#include "page/PageFile.h"
#include "page/PageOutline.h"

namespace pm {

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

}  // namespace pm
