#include "editor/document/MapPainter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <filesystem>

namespace pm {

namespace {

// Inside a card: the padding beside the texts, the baselines of the number and the file name.
constexpr double kPadding = 10;
constexpr double kNumberBaseline = 126;
constexpr double kNameBaseline = 145;
constexpr double kCornerRadius = 5;
constexpr double kTagGap = 5;
constexpr double kTagPadding = 4;
// Around a card: the current page's frame and the selection's halo.
constexpr double kCurrentFrameWidth = 3;
constexpr double kHaloWidth = 5;
constexpr double kLabelPadding = 3;

// The texts' pixel sizes.
constexpr int kNumberPixels = 15;
constexpr int kNamePixels = 11;
constexpr int kTagPixels = 10;

const QColor kCardFill(255, 255, 255);
const QColor kMissingFill(255, 244, 244);
const QColor kFrame(138, 144, 153);
const QColor kStartFrame(31, 78, 153);
const QColor kFailed(208, 2, 27);
const QColor kPictureBox(232, 234, 237);
const QColor kNumberText(20, 24, 31);
const QColor kNameText(90, 96, 106);
const QColor kCurrent(255, 120, 0);
const QColor kSelection(61, 123, 217);
const QColor kSelectionHalo(190, 212, 247);
const QColor kStartTag(31, 78, 153);
const QColor kUnreachableTag(107, 114, 128);
const QColor kFindingsTag(196, 120, 0);
const QColor kArrow(74, 85, 99);
const QColor kUnfollowedArrow(123, 132, 148);
const QColor kEmphasisedArrow(37, 99, 235);
const QColor kLabelFill(255, 255, 255);

constexpr double kArrowWidth = 1.3;
constexpr double kEmphasisedArrowWidth = 2.6;

QFont SizedFont(const QFont& font, int pixels, bool bold) {
  QFont sized = font;
  sized.setPixelSize(pixels);
  sized.setBold(bold);
  return sized;
}

QString FileNameOnly(const std::string& fileName) {
  return QString::fromStdString(std::filesystem::path(fileName).filename().string());
}

}  // namespace

TMapPainter::TMapPainter(QPainter& painter, const QFont& font)
    : painter_(painter),
      numberFont_(SizedFont(font, kNumberPixels, true)),
      nameFont_(SizedFont(font, kNamePixels, false)),
      tagFont_(SizedFont(font, kTagPixels, true)),
      labelFont_(SizedFont(font, kArrowLabelPixels, false)) {}

double TMapPainter::CardMargin() { return kCurrentFrameWidth + kHaloWidth + 1; }

void TMapPainter::Card(const QRectF& area, const TPageCard& card, const QImage& thumbnail,
                       TCardEmphasis emphasis) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  if (emphasis.selected) {
    const double grow = kCurrentFrameWidth + kHaloWidth;
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(kSelectionHalo);
    painter_.drawRoundedRect(area.adjusted(-grow, -grow, grow, grow), kCornerRadius + grow,
                             kCornerRadius + grow);
  }
  if (emphasis.current) {
    const double grow = kCurrentFrameWidth / 2 + 1;
    painter_.setPen(QPen(kCurrent, kCurrentFrameWidth));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRoundedRect(area.adjusted(-grow, -grow, grow, grow), kCornerRadius + grow,
                             kCornerRadius + grow);
  }
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(card.missing ? kMissingFill : kCardFill);
  painter_.drawRoundedRect(area, kCornerRadius, kCornerRadius);
  const QRectF box(area.left() + (area.width() - kThumbnailWidth) / 2, area.top() + kThumbnailTop,
                   kThumbnailWidth, kThumbnailHeight);
  Picture(box, card, thumbnail);
  Texts(area, card, emphasis.current);
  Frame(area, card);
  if (emphasis.selected) {
    painter_.setPen(QPen(kSelection, 2));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRoundedRect(area.adjusted(-1, -1, 1, 1), kCornerRadius + 1, kCornerRadius + 1);
  }
  painter_.restore();
}

// The marks of the frame: red for a page that fails to load or a missing one, dashed for one
// that no reader reaches or that has no file, doubled for the start page.
void TMapPainter::Frame(const QRectF& area, const TPageCard& card) {
  const bool red = card.loadFailed || card.missing;
  const bool dashed = card.unreachable || card.missing;
  QPen pen(red ? kFailed : card.start ? kStartFrame : kFrame, red || card.start ? 2 : 1.2);
  if (dashed) pen.setStyle(Qt::DashLine);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRoundedRect(area, kCornerRadius, kCornerRadius);
  if (card.start) {
    painter_.drawRoundedRect(area.adjusted(4, 4, -4, -4), kCornerRadius - 2, kCornerRadius - 2);
  }
}

void TMapPainter::Picture(const QRectF& box, const TPageCard& card, const QImage& thumbnail) {
  if (!thumbnail.isNull()) {
    QSizeF shown = thumbnail.size();
    shown.scale(box.size(), Qt::KeepAspectRatio);
    const QRectF place(box.left() + (box.width() - shown.width()) / 2,
                       box.top() + (box.height() - shown.height()) / 2, shown.width(),
                       shown.height());
    painter_.drawImage(place, thumbnail);
    painter_.setPen(QPen(kFrame, 0));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(place);
    return;
  }
  painter_.setPen(Qt::NoPen);
  if (!card.loadFailed && !card.missing) {
    // No background, or none that the snapshot kept a picture of.
    painter_.setBrush(kPictureBox);
    painter_.drawRect(box);
    return;
  }
  painter_.setBrush(kMissingFill);
  painter_.drawRect(box);
  painter_.setBrush(QBrush(kFailed, Qt::BDiagPattern));
  painter_.drawRect(box);
  const QString text = card.missing ? tr("ファイルなし") : tr("読み込めません");
  painter_.setFont(numberFont_);
  const QRectF textBox =
      QFontMetricsF(numberFont_).boundingRect(box, Qt::AlignCenter, text).adjusted(-6, -3, 6, 3);
  painter_.setBrush(kMissingFill);
  painter_.drawRect(textBox);
  painter_.setPen(kFailed);
  painter_.drawText(box, Qt::AlignCenter, text);
}

void TMapPainter::Texts(const QRectF& area, const TPageCard& card, bool current) {
  const double left = area.left() + kPadding;
  const double right = area.right() - kPadding;
  const QString number = QString::number(card.number);
  painter_.setFont(numberFont_);
  painter_.setPen(card.missing || card.loadFailed ? kFailed : kNumberText);
  painter_.drawText(QPointF(left, area.top() + kNumberBaseline), number);
  double tag = left + QFontMetricsF(numberFont_).horizontalAdvance(number) + kTagGap + 1;
  const double tagBaseline = area.top() + kNumberBaseline - 1;
  const auto add = [&](const QString& text, const QColor& fill) {
    const double width = QFontMetricsF(tagFont_).horizontalAdvance(text) + 2 * kTagPadding;
    if (tag + width > right) return;
    tag = Tag(tag, tagBaseline, text, fill);
  };
  if (card.start) add(tr("はじめ"), kStartTag);
  if (current) add(tr("編集中"), kCurrent);
  if (card.unreachable && !card.missing) add(tr("辿れません"), kUnreachableTag);
  if (card.findings > 0) add(tr("問題 %1").arg(card.findings), kFindingsTag);

  painter_.setFont(nameFont_);
  painter_.setPen(card.missing ? kFailed : kNameText);
  const QString name = QFontMetricsF(nameFont_).elidedText(FileNameOnly(card.fileName),
                                                           Qt::ElideMiddle, right - left);
  painter_.drawText(QPointF(left, area.top() + kNameBaseline), name);
}

double TMapPainter::Tag(double left, double baseline, const QString& text, const QColor& fill) {
  const QFontMetricsF metrics(tagFont_);
  const QRectF box(left, baseline - metrics.ascent() - 2,
                   metrics.horizontalAdvance(text) + 2 * kTagPadding,
                   metrics.ascent() + metrics.descent() + 3);
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(fill);
  painter_.drawRoundedRect(box, 3, 3);
  painter_.setFont(tagFont_);
  painter_.setPen(Qt::white);
  painter_.drawText(box, Qt::AlignCenter, text);
  return box.right() + kTagGap;
}

// Dead arrows red and dashed, arrows that no reader can click dotted, the others solid.
void TMapPainter::Arrow(const TMapArrowPath& path, const TPageArrow& arrow, const QString& label,
                        bool emphasised) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  const QColor color = arrow.dead       ? kFailed
                       : emphasised     ? kEmphasisedArrow
                       : arrow.followed ? kArrow
                                        : kUnfollowedArrow;
  QPen pen(color, emphasised ? kEmphasisedArrowWidth : kArrowWidth);
  if (arrow.dead) {
    pen.setStyle(Qt::DashLine);
  } else if (!arrow.followed) {
    pen.setStyle(Qt::DotLine);
  }
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPath(path.line);
  painter_.setPen(QPen(color, 1));
  painter_.setBrush(color);
  painter_.drawPolygon(path.head);
  if (!label.isEmpty()) {
    painter_.setFont(labelFont_);
    const QFontMetricsF metrics(labelFont_);
    const QSizeF size(metrics.horizontalAdvance(label) + 2 * kLabelPadding, metrics.height());
    const QRectF box(path.label - QPointF(size.width() / 2, size.height() / 2), size);
    painter_.setPen(QPen(color, emphasised ? 1.5 : 0.8));
    painter_.setBrush(kLabelFill);
    painter_.drawRoundedRect(box, 3, 3);
    painter_.setPen(arrow.dead ? kFailed : kNumberText);
    painter_.drawText(box, Qt::AlignCenter, label);
  }
  painter_.restore();
}

}  // namespace pm
