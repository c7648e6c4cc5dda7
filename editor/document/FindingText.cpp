#include "editor/document/FindingText.h"

#include <QCoreApplication>

namespace pm {

namespace {

// The context of the findings' words in the translations.
struct TFindingWords {
  Q_DECLARE_TR_FUNCTIONS(FindingText)
};

QString RectangleText(const TLinkRecord& link) {
  return TFindingWords::tr("矩形 %1, %2, %3, %4")
      .arg(link.Left)
      .arg(link.Top)
      .arg(link.Right)
      .arg(link.Bottom);
}

QString InvertedText(const TLinkRecord& link) {
  const bool across = link.Right < link.Left;
  const bool upward = link.Bottom < link.Top;
  const QString rectangle = RectangleText(link);
  if (across && upward)
    return TFindingWords::tr("%1 は右が左より、下が上より小さくなっています").arg(rectangle);
  if (across) return TFindingWords::tr("%1 は右が左より小さくなっています").arg(rectangle);
  return TFindingWords::tr("%1 は下が上より小さくなっています").arg(rectangle);
}

QString OutsideText(const TFinding& finding) {
  const QString rectangle = RectangleText(finding.record);
  if (!finding.background) {
    return TFindingWords::tr("%1 がありますが、このページには背景がありません").arg(rectangle);
  }
  const QString background = TFindingWords::tr("背景 (%1 × %2)")
                                 .arg(finding.background->width)
                                 .arg(finding.background->height);
  if (finding.placement == TAreaPlacement::PartlyOutside) {
    return TFindingWords::tr("%1 の一部が%2 の外にあります").arg(rectangle, background);
  }
  return TFindingWords::tr("%1 の全体が%2 の外にあります").arg(rectangle, background);
}

QString BadSlotText(const TLinkRecord& link) {
  if (link.Bitmap < 0 || link.Bitmap >= kSlotCount) {
    return TFindingWords::tr("スロット %1 を指していますが、スロットは 0 から 255 までです")
        .arg(link.Bitmap);
  }
  return TFindingWords::tr("スロット %1 を指していますが、そのスロットは空です").arg(link.Bitmap);
}

}  // namespace

QString FindingPlaceText(const TFinding& finding) {
  if (finding.link)
    return TFindingWords::tr("ページ %1, リンク %2").arg(finding.page).arg(*finding.link);
  return TFindingWords::tr("ページ %1").arg(finding.page);
}

QString FindingProblemText(const TFinding& finding) {
  switch (finding.kind) {
    case TFindingKind::LoadFailed:
      // The message is the error box's own.
      return TFindingWords::tr("読み込めません: %1").arg(QString::fromStdString(finding.message));
    case TFindingKind::NoTarget:
      return TFindingWords::tr("矩形がありますが、行き先のページがありません");
    case TFindingKind::DeadLink:
      return TFindingWords::tr("行き先のページ %1 のファイルがありません")
          .arg(finding.record.LinkPage);
    case TFindingKind::BadSlot:
      return BadSlotText(finding.record);
    case TFindingKind::InvertedRectangle:
      return InvertedText(finding.record);
    case TFindingKind::OutsideBackground:
      return OutsideText(finding);
    case TFindingKind::Unreachable:
      return TFindingWords::tr("開始ページ %1 からリンクをたどっても来られません")
          .arg(finding.startPage);
  }
  return QString::fromStdString(finding.message);
}

QString FindingText(const TFinding& finding) {
  return TFindingWords::tr("%1: %2").arg(FindingPlaceText(finding), FindingProblemText(finding));
}

}  // namespace pm
