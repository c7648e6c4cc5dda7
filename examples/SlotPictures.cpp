#include "examples/SlotPictures.h"

#include <algorithm>
#include <cstring>

#include "examples/BlockText.h"
#include "examples/ScenePainter.h"

namespace pm::examples {

namespace {

constexpr TColor kWhite = Rgb(0xFFFFFF);
constexpr TColor kBlack = Rgb(0x000000);
constexpr TColor kLight = Rgb(0xFFF6D5);
constexpr TColor kHighlight = Rgb(0xFFD400);  // as the web site outlines a link under the pointer
constexpr TColor kLocked = Rgb(0xD62828);
constexpr int32_t kFrameWidth = 4;
constexpr double kBadgeShare = 0.46;  // the sign's height for the link's smaller side
constexpr double kSmallestBadge = 40, kLargestBadge = 76;

// The part of the background that the link covers, as a picture of its own.
TBitmap Cutout(const TSamplePage& page, const TSampleLink& link) {
  TBitmap picture = NewPicture(link.Width(), link.Height());
  for (int32_t y = 0; y < link.Height(); ++y) {
    const uint8_t* source = page.background.ConstScanLine(link.top + y) + 3 * link.left;
    std::memcpy(picture.ScanLine(y), source, 3 * static_cast<size_t>(link.Width()));
  }
  return picture;
}

void Arrow(TScenePainter& painter, double left, double centerY, double width, double height) {
  const double shaft = height * 0.28;
  const double head = width * 0.5;
  painter.Polygon({{left, centerY - shaft / 2},
                   {left + width - head, centerY - shaft / 2},
                   {left + width - head, centerY - height / 2},
                   {left + width, centerY},
                   {left + width - head, centerY + height / 2},
                   {left + width - head, centerY + shaft / 2},
                   {left, centerY + shaft / 2}},
                  kWhite);
}

void Padlock(TScenePainter& painter, double left, double centerY, double width, double height,
             TColor badge) {
  const double centerX = left + width / 2;
  const double bodyTop = centerY - height * 0.05;
  painter.Circle(centerX, bodyTop, width * 0.36, kWhite);
  painter.Circle(centerX, bodyTop, width * 0.22, badge);
  painter.RoundedRect(left, bodyTop, left + width, centerY + height / 2, width * 0.12, kWhite);
  painter.Circle(centerX, bodyTop + height * 0.2, width * 0.1, badge);
}

// The sign in the middle of the picture: an arrow or a padlock, and the page number.
void Badge(TScenePainter& painter, int32_t pageNumber, TColor color, bool locked) {
  const double height = std::clamp(std::min(painter.Width(), painter.Height()) * kBadgeShare,
                                   kSmallestBadge, kLargestBadge);
  const double padding = height * 0.18;
  const double digitHeight = height - 2 * padding;
  const double symbolWidth = height * 0.42;
  const double width = padding + symbolWidth + padding * 0.7 + DigitWidth(digitHeight) + padding;
  const double left = (painter.Width() - width) / 2, top = (painter.Height() - height) / 2;
  painter.RoundedRect(left + 2, top + 3, left + width + 2, top + height + 3, height * 0.22, kBlack,
                      0.3);
  painter.RoundedRect(left - 2, top - 2, left + width + 2, top + height + 2, height * 0.24, kWhite);
  painter.RoundedRect(left, top, left + width, top + height, height * 0.22, color);
  const double symbolLeft = left + padding, centerY = top + height / 2;
  if (locked) {
    Padlock(painter, symbolLeft, centerY, symbolWidth, digitHeight * 0.8, color);
  } else {
    Arrow(painter, symbolLeft, centerY, symbolWidth, digitHeight * 0.7);
  }
  DrawDigit(painter, pageNumber % 10, symbolLeft + symbolWidth + padding * 0.7, top + padding,
            digitHeight, kWhite, kWhite);
}

}  // namespace

TBitmap SlotPicture(const TSamplePage& page, const TSampleLink& link, const TSamplePage* target) {
  TBitmap picture = Cutout(page, link);
  TScenePainter painter(picture);
  const int32_t width = painter.Width(), height = painter.Height();
  if (target) {
    painter.Shade(0, 0, width, height, kLight, 0.3);
    painter.Frame(0, 0, width, height, kFrameWidth, kHighlight);
    Badge(painter, target->number, target->theme, false);
  } else {
    painter.Shade(0, 0, width, height, kBlack, 0.45);
    painter.Frame(0, 0, width, height, kFrameWidth, kLocked);
    Badge(painter, link.target, kLocked, true);
  }
  return picture;
}

}  // namespace pm::examples
