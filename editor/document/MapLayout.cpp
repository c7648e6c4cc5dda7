#include "editor/document/MapLayout.h"

#include <QCoreApplication>
#include <QLineF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/document/GraphvizLayout.h"

namespace pm {

namespace {

// Room around the map, and between the cards of the grid for the arrows and their labels.
constexpr double kMargin = 24;
constexpr double kGridGap = 56;
// The grid is about this much wider than high, as a window is.
constexpr double kGridAspect = 1.6;
constexpr size_t kMostListedLinks = 4;
constexpr double kArrowHeadLength = 10;
constexpr double kArrowHeadHalfWidth = 4.5;
// A loop leaves and enters the card's right side this far from its middle, and reaches this far
// beside it.
constexpr double kLoopSpread = 18;
constexpr double kLoopReach = 36;
// A straight arrow runs this far beside the line between the cards' centres.
constexpr double kLaneOffset = 4;

size_t GridColumns(size_t cards) {
  const double columns = std::sqrt(static_cast<double>(cards) * kGridAspect *
                                   (kCardHeight + kGridGap) / (kCardWidth + kGridGap));
  return std::clamp<size_t>(static_cast<size_t>(std::lround(columns)), 1,
                            std::max<size_t>(cards, 1));
}

// Where the ray from `inside` (a point in `area`) along `direction` leaves the area.
QPointF EdgePoint(const QRectF& area, QPointF inside, QPointF direction) {
  const auto reach = [](double from, double low, double high, double step) -> double {
    if (step == 0) return std::numeric_limits<double>::infinity();
    return (step > 0 ? high - from : from - low) / std::abs(step);
  };
  const double t = std::min(reach(inside.x(), area.left(), area.right(), direction.x()),
                            reach(inside.y(), area.top(), area.bottom(), direction.y()));
  return std::isfinite(t) ? inside + direction * std::max(t, 0.0) : inside;
}

TMapArrowPath Loop(const QRectF& card) {
  const QPointF start(card.right(), card.center().y() - kLoopSpread);
  const QPointF tip(card.right(), card.center().y() + kLoopSpread);
  const QPointF out(card.right() + kLoopReach, start.y() - kLoopSpread / 2);
  const QPointF back(card.right() + kLoopReach, tip.y() + kLoopSpread / 2);
  TMapArrowPath arrow;
  arrow.head = ArrowHead(back, tip);
  const QPointF base = (arrow.head[1] + arrow.head[2]) / 2;
  arrow.line.moveTo(start);
  arrow.line.cubicTo(out, back, base);
  arrow.label = QPointF(card.right() + kLoopReach, card.center().y());
  return arrow;
}

}  // namespace

TMapLayout GridLayout(const TDocumentOverview& overview) {
  TMapLayout layout;
  layout.allArrows = overview.arrows.empty();
  const size_t count = overview.cards.size();
  const size_t columns = GridColumns(count);
  const size_t rows = (count + columns - 1) / columns;
  layout.cards.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const double x = kMargin + static_cast<double>(i % columns) * (kCardWidth + kGridGap);
    const double y = kMargin + static_cast<double>(i / columns) * (kCardHeight + kGridGap);
    layout.cards.emplace_back(x, y, kCardWidth, kCardHeight);
  }
  const auto extent = [](size_t n, double card) {
    return n == 0 ? 2 * kMargin
                  : 2 * kMargin + static_cast<double>(n) * (card + kGridGap) - kGridGap;
  };
  layout.size = QSizeF(extent(std::min(columns, count), kCardWidth), extent(rows, kCardHeight));
  return layout;
}

TMapLayout LayOutMap(const TDocumentOverview& overview) {
  if (overview.arrows.size() <= kMostLaidOutArrows && overview.cards.size() <= kMostLaidOutCards) {
    std::vector<QString> labels;
    labels.reserve(overview.arrows.size());
    for (const TPageArrow& arrow : overview.arrows) labels.push_back(ArrowLabel(arrow));
    if (std::optional<TMapLayout> layout =
            GraphvizLayout(overview, labels, {kCardWidth, kCardHeight}, kMargin)) {
      return std::move(*layout);
    }
  }
  return GridLayout(overview);
}

QPolygonF ArrowHead(QPointF from, QPointF tip) {
  QLineF direction(tip, from);
  if (direction.length() == 0) direction = QLineF(tip, tip + QPointF(0, -1));
  direction.setLength(kArrowHeadLength);
  const QPointF base = direction.p2();
  QLineF side = direction.normalVector();
  side.setLength(kArrowHeadHalfWidth);
  const QPointF offset = side.p2() - side.p1();
  return QPolygonF({tip, base + offset, base - offset});
}

TMapArrowPath StraightArrow(const QRectF& from, const QRectF& to, double labelAt) {
  if (from == to) return Loop(from);
  QLineF aside = QLineF(from.center(), to.center()).normalVector();
  aside.setLength(kLaneOffset);
  const QPointF lane = aside.p2() - aside.p1();
  const QPointF direction = to.center() - from.center();
  const QPointF start = EdgePoint(from, from.center() + lane, direction);
  const QPointF tip = EdgePoint(to, to.center() + lane, -direction);
  TMapArrowPath arrow;
  arrow.head = ArrowHead(start, tip);
  arrow.line.moveTo(start);
  arrow.line.lineTo((arrow.head[1] + arrow.head[2]) / 2);
  arrow.label = start + (tip - start) * std::clamp(labelAt, 0.0, 1.0);
  return arrow;
}

QString ArrowLabel(const TPageArrow& arrow) {
  if (arrow.links.size() > kMostListedLinks) {
    return QCoreApplication::translate("TDocumentMap", "%1 本").arg(arrow.links.size());
  }
  QStringList numbers;
  for (const int32_t link : arrow.links) numbers << QString::number(link);
  return numbers.join(QStringLiteral(", "));
}

}  // namespace pm
