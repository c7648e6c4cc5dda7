// What the document window shows of a document at one moment: its pages, each page's outline,
// the overview that the map and the lists draw, a small picture of each page's background and
// the map's layout. Made on a thread of its own (DocumentReader.h), then only read.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/document/MapLayout.h"
#include "page/Document.h"
#include "page/DocumentOverview.h"
#include "page/PageOutline.h"

namespace pm {

struct TDocumentSnapshot {
  TDocument document;
  std::vector<TPageOutline> outlines;
  TDocumentOverview overview;
  // The background of each page that has one and loads, decoded at a reduced scale and made no
  // larger than the map's thumbnail box (kThumbnailWidth × kThumbnailHeight), by number; those
  // of the first 2000 such pages, so that a huge document stays within memory.
  std::map<int32_t, QImage> thumbnails;
  // Where the map draws the overview's cards and arrows (MapLayout.h).
  TMapLayout layout;
};

// How far a reading has come: pages read of pages in all. Returning false stops the reading.
using TSnapshotProgress = std::function<bool(size_t done, size_t total)>;

// Reads the document that `pattern` names (start page as TDocument takes it) on the calling
// thread: every page file once as the editor reads it, sharing it with other readers, with only
// the background decoded, at the reduced scale of its thumbnail (a background that can't be
// decoded makes a page that fails to load, as it does in the editor); then makes the overview
// and lays out the map. EInvalidDocument when the pattern names no document; nothing when
// `progress` stopped it.
std::shared_ptr<const TDocumentSnapshot> ReadDocumentSnapshot(
    const std::string& pattern, std::optional<int32_t> start = std::nullopt,
    const TSnapshotProgress& progress = {});

}  // namespace pm
