// Drawing the document map's parts in map pixels: a card with its page's thumbnail, number, file
// name and marks, and an arrow with its label. TDocumentMap sets the zoom and chooses what to
// draw.
#pragma once

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "editor/document/MapLayout.h"
#include "page/DocumentOverview.h"

namespace pm {

// How a card stands out beside its own marks.
struct TCardEmphasis {
  bool current = false;   // the page open in the editor
  bool selected = false;  // the map's selection
};

class TMapPainter {
  Q_DECLARE_TR_FUNCTIONS(TDocumentMap)

 public:
  // `font` is the map's font; the texts are drawn in sizes made from it.
  TMapPainter(QPainter& painter, const QFont& font);

  // `thumbnail` may be null: a page without a background, or one that fails to load.
  void Card(const QRectF& area, const TPageCard& card, const QImage& thumbnail,
            TCardEmphasis emphasis);
  // `emphasised`: an arrow of the selected page.
  void Arrow(const TMapArrowPath& path, const TPageArrow& arrow, const QString& label,
             bool emphasised);
  // The room around a card that its drawing takes beside the card itself.
  static double CardMargin();

 private:
  void Frame(const QRectF& area, const TPageCard& card);
  void Picture(const QRectF& box, const TPageCard& card, const QImage& thumbnail);
  void Texts(const QRectF& area, const TPageCard& card, bool current);
  // A small rounded tag; returns where the next one goes.
  double Tag(double left, double baseline, const QString& text, const QColor& fill);

  QPainter& painter_;
  QFont numberFont_;
  QFont nameFont_;
  QFont tagFont_;
  QFont labelFont_;
};

}  // namespace pm
