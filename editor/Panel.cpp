#include "editor/Panel.h"

#include <QPainter>

namespace pm {

namespace {

// One bevel: light on the top and left edges and shadow on the bottom and right when raised,
// the other way round when lowered.
void DrawBevel(QPainter& painter, QRect rect, TBevel bevel, const QPalette& palette) {
  if (bevel == TBevel::bvNone) return;
  const QColor light = palette.color(QPalette::Light);
  const QColor shadow = palette.color(QPalette::Dark);
  const QColor& topLeft = bevel == TBevel::bvRaised ? light : shadow;
  const QColor& bottomRight = bevel == TBevel::bvRaised ? shadow : light;
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

TPanel::TPanel(QWidget* parent, TBevel outer, TBevel inner)
    : QWidget(parent), outer_(outer), inner_(inner) {
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect rect = this->rect();
  DrawBevel(painter, rect, outer_, palette());
  if (outer_ != TBevel::bvNone) rect.adjust(1, 1, -1, -1);
  DrawBevel(painter, rect, inner_, palette());
}

}  // namespace pm
