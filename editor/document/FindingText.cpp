#include "editor/document/FindingText.h"

#include <QCoreApplication>

namespace pm {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("FindingText", text); }

QString RectangleText(const TLinkRecord& link) {
  return Tr("矩形 %1, %2, %3, %4").arg(link.Left).arg(link.Top).arg(link.Right).arg(link.Bottom);
}

QString InvertedText(const TLinkRecord& link) {
  const bool across = link.Right < link.Left;
  const bool upward = link.Bottom < link.Top;
  const QString rectangle = RectangleText(link);
  if (across && upward) return Tr("%1 は右が左より、下が上より小さくなっています").arg(rectangle);
  if (across) return Tr("%1 は右が左より小さくなっています").arg(rectangle);
  return Tr("%1 は下が上より小さくなっています").arg(rectangle);
}

QString OutsideText(const TFinding& finding) {
  const QString rectangle = RectangleText(finding.record);
  if (!finding.background) {
    return Tr("%1 がありますが、このページには背景がありません").arg(rectangle);
  }
  const QString background =
      Tr("背景 (%1 × %2)").arg(finding.background->width).arg(finding.background->height);
  if (finding.placement == TAreaPlacement::PartlyOutside) {
    return Tr("%1 の一部が%2 の外にあります").arg(rectangle, background);
  }
  return Tr("%1 の全体が%2 の外にあります").arg(rectangle, background);
}

QString BadSlotText(const TLinkRecord& link) {
  if (link.Bitmap < 0 || link.Bitmap >= kSlotCount) {
    return Tr("スロット %1 を指していますが、スロットは 0 から 255 までです").arg(link.Bitmap);
  }
  return Tr("スロット %1 を指していますが、そのスロットは空です").arg(link.Bitmap);
}

}  // namespace

QString FindingPlaceText(const TFinding& finding) {
  if (finding.link) return Tr("ページ %1, リンク %2").arg(finding.page).arg(*finding.link);
  return Tr("ページ %1").arg(finding.page);
}

QString FindingProblemText(const TFinding& finding) {
  switch (finding.kind) {
    case TFindingKind::LoadFailed:
      // The message is the error box's own.
      return Tr("読み込めません: %1").arg(QString::fromStdString(finding.message));
    case TFindingKind::NoTarget:
      return Tr("矩形がありますが、行き先のページがありません");
    case TFindingKind::DeadLink:
      return Tr("行き先のページ %1 のファイルがありません").arg(finding.record.LinkPage);
    case TFindingKind::BadSlot:
      return BadSlotText(finding.record);
    case TFindingKind::InvertedRectangle:
      return InvertedText(finding.record);
    case TFindingKind::OutsideBackground:
      return OutsideText(finding);
    case TFindingKind::Unreachable:
      return Tr("開始ページ %1 からリンクをたどっても来られません").arg(finding.startPage);
  }
  return QString::fromStdString(finding.message);
}

QString FindingText(const TFinding& finding) {
  return Tr("%1: %2").arg(FindingPlaceText(finding), FindingProblemText(finding));
}

}  // namespace pm
