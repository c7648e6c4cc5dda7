#include "editor/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace pm {

namespace {

constexpr int kIconSize = 32;

}  // namespace

QIcon ProgramIcon() {
  // A page with a picture on it and a red link rectangle.
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.fillRect(QRect(4, 1, 24, 30), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(QRect(4, 1, 23, 29));
  painter.fillRect(QRect(7, 4, 18, 12), QColor(120, 190, 240));
  painter.fillRect(QRect(7, 12, 18, 4), QColor(60, 150, 60));
  painter.setPen(QColor(220, 30, 30));
  painter.drawRect(QRect(9, 19, 11, 7));
  return QIcon(pixmap);
}

}  // namespace pm
