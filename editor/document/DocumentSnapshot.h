// What the document window shows of a document at one moment: its pages, each page's outline,
// the overview that the map and the lists draw, and a small picture of each page's background.
// Made on a thread of its own (DocumentReader.h), then only read.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "page/Document.h"
#include "page/DocumentOverview.h"
#include "page/PageOutline.h"

namespace pm {

struct TDocumentSnapshot {
  TDocument document;
  std::vector<TPageOutline> outlines;
  TDocumentOverview overview;
  // The background of each page that has one and loads, decoded at a reduced scale, by number.
  std::map<int32_t, QImage> thumbnails;
};

// How far a reading has come: pages read of pages in all. Returning false stops the reading.
using TSnapshotProgress = std::function<bool(size_t done, size_t total)>;

// Reads the document that `pattern` names (start page as TDocument takes it) on the calling
// thread: every page file as the editor reads it, sharing it with other readers, with only the
// background's thumbnail decoded. EInvalidDocument when the pattern names no document; nothing
// when `progress` stopped it.
std::shared_ptr<const TDocumentSnapshot> ReadDocumentSnapshot(
    const std::string& pattern, std::optional<int32_t> start = std::nullopt,
    const TSnapshotProgress& progress = {});

}  // namespace pm
