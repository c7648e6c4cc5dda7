// TDocumentMap: the map of a document, named "地図" for assistive tools. Each page is a card with
// its background's thumbnail, its number and its file name; the links between two pages are one
// arrow labelled with their link numbers (or their count); the start page, pages that fail to
// load, unreachable pages and the missing pages that dead links lead to are marked; the page open
// in the editor is highlighted. Laid out by Graphviz's library in the process; a document with
// too many arrows for that is laid out as a grid in page order and shows only the selected
// page's arrows (MapLayout.h). Ctrl+wheel zooms, a drag on the background or the scroll bars pan;
// a click selects a card, the arrow keys move the selection, a double-click or Enter opens it; a
// card can be dragged out (PageDrag.h) onto a link of the page view.
#pragma once

#include <QAbstractScrollArea>
#include <QMimeData>
#include <QRect>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "editor/document/DocumentSnapshot.h"

namespace pm {

inline constexpr const char* kDocumentMapName = QT_TRANSLATE_NOOP("TDocumentMap", "地図");

class TDocumentMap : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // How a card dragged out of the map is dragged: a QDrag by default.
  using TDragStarter = std::function<void(std::unique_ptr<QMimeData> data)>;

  explicit TDocumentMap(QWidget* parent = nullptr);
  ~TDocumentMap() override;

  // Lays out and shows the snapshot (with the layout that the snapshot brings, when it has one);
  // the selection and the current page stay when their cards are still there, and so do the zoom
  // and the scrolling. Until the zoom is set, the map fits itself to its area, at most at 100 %
  // and at least at a zoom where its texts can still be read (scrolling shows the rest).
  void Show(std::shared_ptr<const TDocumentSnapshot> snapshot);
  std::shared_ptr<const TDocumentSnapshot> Snapshot() const;
  // The page open in the editor, highlighted; nothing when it isn't a page of this document.
  void SetCurrentPage(std::optional<int32_t> number);
  // Selects the card (nothing when there is none) and scrolls it into view, without
  // PageSelected.
  void SelectPage(std::optional<int32_t> number);
  std::optional<int32_t> SelectedPage() const;

  // Zoom as a share of the laid-out size (1 is 100 %), from kMinZoom to kMaxZoom.
  double Zoom() const;
  void SetZoom(double zoom);
  // Shows the whole map, at most at 100 %, and keeps doing so as the area changes size until
  // the zoom is set.
  void ZoomToFit();
  static constexpr double kMinZoom = 0.1;
  static constexpr double kMaxZoom = 4;

  // Where the card of a page is drawn now, in the viewport's coordinates; nothing when it has no
  // card.
  std::optional<QRect> CardArea(int32_t number) const;
  // The page whose card is at that point of the viewport, or nothing.
  std::optional<int32_t> PageAt(QPoint position) const;
  // Whether every arrow is laid out and drawn (false: the large-document layout, which draws
  // only the selected page's arrows).
  bool AllArrowsDrawn() const;
  // How many arrows are drawn now.
  size_t ArrowsDrawn() const;

  // The data that dragging the card at that point of the viewport carries, or nullptr.
  std::unique_ptr<QMimeData> DragDataAt(QPoint position) const;
  void SetDragStarter(TDragStarter starter);

 signals:
  // A card was selected by a click or the keyboard.
  void PageSelected(int32_t number);
  // A card was double-clicked, or Enter pressed on the selected card.
  void PageActivated(int32_t number);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  struct State;

  // The viewport position of the map's point (0, 0).
  QPointF Origin() const;
  QPointF MapPoint(QPointF position) const;
  std::optional<size_t> CardIndexAt(QPointF position) const;
  void ZoomAround(double zoom, QPointF anchor);
  void UpdateScrollBars();
  // The zoom that follows the area's size while it does (see ZoomToFit), and the scroll bars.
  void FollowAreaSize();
  void Select(size_t card, bool byPerson);
  void MoveSelection(int key);
  void StartCardDrag(size_t card);
  void ShowToolTip(QPoint position);

  std::unique_ptr<State> state_;
};

}  // namespace pm
