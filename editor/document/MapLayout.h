// Where the document map draws its cards and arrows, in map pixels (the map at 100 %, y down).
// A document of up to kMostLaidOutArrows arrows and kMostLaidOutCards cards is laid out by
// Graphviz's library in the process (GraphvizLayout.h), as `pagetool graph` lays out its graph:
// top to bottom, cards as boxes of the card's size, one arrow for the links between two pages,
// its label placed beside it. A larger document would take Graphviz far too long; its cards go in
// a grid in page order, and the map draws only the selected page's arrows, straight from card to
// card (StraightArrow).
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "page/DocumentOverview.h"

namespace pm {

// A card: a frame around the page's thumbnail, its number and its file name below.
inline constexpr double kCardWidth = 160;
inline constexpr double kCardHeight = 156;
// The box that the thumbnail is drawn in at 100 %, at the top of the card, centred.
inline constexpr int kThumbnailWidth = 128;
inline constexpr int kThumbnailHeight = 96;
inline constexpr double kThumbnailTop = 10;

// The largest documents that Graphviz lays out with their arrows.
inline constexpr size_t kMostLaidOutArrows = 150;
inline constexpr size_t kMostLaidOutCards = 150;

// The pixel size of an arrow's label.
inline constexpr int kArrowLabelPixels = 11;

struct TMapArrowPath {
  QPainterPath line;  // from the source card to the base of the arrowhead
  QPolygonF head;     // the arrowhead, its tip on the target card
  QPointF label;      // the centre of the label
};

struct TMapLayout {
  QSizeF size;                // of the whole map, margins included
  std::vector<QRectF> cards;  // in the overview's order of cards
  // In the overview's order of arrows when every arrow is laid out; otherwise empty.
  std::vector<TMapArrowPath> arrows;
  bool allArrows = true;
};

// Graphviz's layout when the overview is small enough and Graphviz lays it out, otherwise the
// grid.
TMapLayout LayOutMap(const TDocumentOverview& overview);
// The grid of cards in the overview's order, nearly as wide as high, without arrows.
TMapLayout GridLayout(const TDocumentOverview& overview);

// A straight arrow from one card to another, from edge to edge, a little to the right of the line
// between their centres so that the arrow back doesn't cover it; its label at `labelAt` of the
// way (0 to 1). A loop on the card's right side when both are the same card.
TMapArrowPath StraightArrow(const QRectF& from, const QRectF& to, double labelAt = 0.5);
// The arrowhead whose tip is at `tip`, pointing away from `from`.
QPolygonF ArrowHead(QPointF from, QPointF tip);

// The label of an arrow: its link numbers ("0, 2, 5"), or their count ("12 本") when there are
// more than a few.
QString ArrowLabel(const TPageArrow& arrow);

}  // namespace pm
