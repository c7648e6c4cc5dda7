// Reading every page of a document, one after the other, keeping only each page's outline.
#pragma once

#include <vector>

#include "page/Document.h"
#include "page/PageFile.h"
#include "page/PageOutline.h"

namespace pm {

// The outlines of all pages in ascending order. A page that fails to load (any failure the
// editor would show) keeps its message; running out of memory stops the reading.
std::vector<TPageOutline> ReadDocumentOutlines(const TDocument& document,
                                               const TPageFileReading& reading);

}  // namespace pm
