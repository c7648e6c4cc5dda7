#include "editor/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace pm {

namespace {

// The design on a grid of 32 × 32 units: (left, top, width, height) and a colour, painted in
// this order.
struct IconRect {
  int left, top, width, height;
  QRgb colour;
};

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSky = qRgb(120, 190, 240);
constexpr QRgb kGrass = qRgb(60, 150, 60);
constexpr QRgb kLinkRed = qRgb(220, 30, 30);

constexpr IconRect kDesign[] = {
    {4, 1, 24, 30, kBlack},    // the page's outline
    {5, 2, 22, 28, kWhite},    // the page
    {7, 4, 18, 12, kSky},      // the picture
    {7, 12, 18, 4, kGrass},    // its ground
    {9, 19, 12, 8, kLinkRed},  // the link rectangle's outline
    {10, 20, 10, 6, kWhite},   // inside the link rectangle
};

// A grid line in pixels: rounded, so that neighbouring rectangles meet without gaps.
int ToPixels(int units, int size) {
  return (units * size + kProgramIconSize / 2) / kProgramIconSize;
}

}  // namespace

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (const IconRect& rect : kDesign) {
    const int left = ToPixels(rect.left, size);
    const int top = ToPixels(rect.top, size);
    const int right = ToPixels(rect.left + rect.width, size);
    const int bottom = ToPixels(rect.top + rect.height, size);
    painter.fillRect(QRect(left, top, right - left, bottom - top), QColor(rect.colour));
  }
  return image;
}

QIcon ProgramIcon() { return QIcon(QPixmap::fromImage(ProgramIconImage(kProgramIconSize))); }

}  // namespace pm
