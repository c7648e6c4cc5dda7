// TPageCanvas: the page view's drawing area, named "ページ" for assistive tools. It shows the
// background at the zoom, every link that has a rectangle as an outline with its number (with
// its slot's picture inside when that is switched on), and the current link with handles. With
// the mouse the author draws, picks, moves and resizes links; the arrow keys nudge the current
// link (Shift: by ten pixels; Ctrl: its right or bottom edge). Each change becomes a step of the
// view's undo history, which makes it through the page's numbered link operations.
#pragma once

#include <QStaticText>
#include <QUndoStack>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "editor/LinkEditCommand.h"
#include "editor/LinkGeometry.h"
#include "editor/PageViewPictures.h"
#include "editor/PageViewTransform.h"
#include "page/Page.h"

namespace pm {

inline constexpr const char* kPageCanvasName = QT_TRANSLATE_NOOP("TPageCanvas", "ページ");
inline constexpr const char* kEveryLinkTakenMessage =
    QT_TRANSLATE_NOOP("TPageCanvas", "すべてのリンクに矩形があります。新しい矩形は描けません");

class TPageCanvas : public QWidget {
 public:
  // What the window around the canvas hears.
  struct Listeners {
    // The pointer is over this page pixel, or has left the canvas.
    std::function<void(std::optional<TPagePoint>)> pointerMoved;
    // A rectangle being drawn, moved or resized changed shape.
    std::function<void()> draggedLinkChanged;
    // A short message for the status line.
    std::function<void(const QString&)> message;
    // Ctrl+wheel: zoom `steps` steps (in: positive) around a widget position.
    std::function<void(QPointF, int)> wheelZoom;
  };

  TPageCanvas(TPage& page, TPageViewPictures& pictures, QUndoStack& history,
              TLinkEditTarget& target, QWidget* parent = nullptr);

  void SetListeners(Listeners listeners) { listeners_ = std::move(listeners); }

  // The mapping of the current zoom and device pixel ratio.
  TPageViewTransform Transform() const;
  int Zoom() const { return zoom_; }
  // Takes the zoom (limited) and the size that shows the whole page at it.
  void SetZoom(int zoom);
  // Takes the size of a new background or page.
  void PageSizeChanged();
  TPageSize PageSize() const { return pictures_.PageSize(); }

  bool SlotPicturesShown() const { return slotPicturesShown_; }
  void SetSlotPicturesShown(bool shown);

  // The link as it is shown now: the rectangle being dragged, or the stored record.
  TLinkRecord ShownLink(int32_t link) const;
  // The link shown as current: the one being drawn, or the page's current link.
  int32_t HighlightedLink() const;
  // The link whose rectangle holds the widget position (the highest-numbered one where several
  // do), or nothing.
  std::optional<int32_t> LinkAt(QPointF position) const;

  // Makes `after` a step of the history for the link (applied at once).
  void Submit(TLinkEditKind kind, int32_t link, const TLinkRecord& after);
  // The next nudge starts a step of its own.
  void EndNudgeRun() { ++nudgeRun_; }
  // Drops a drag in progress; nothing changes.
  void CancelDrag();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  enum class TDragKind { Draw, Move, Resize };
  struct TDrag {
    TDragKind kind = TDragKind::Draw;
    int32_t link = 0;
    TLinkRecord start;
    TPagePoint pressedAt;
    QPointF pressedPosition;
    unsigned sides = kNoSide;
    bool started = false;
    std::optional<TLinkRecord> shape;  // what the drag gives so far
  };
  // What lies under a widget position.
  struct THit {
    enum { Nothing, Handle, Link } what = Nothing;
    int32_t link = -1;
    unsigned sides = kNoSide;
  };

  THit HitAt(QPointF position) const;
  // The link that a new rectangle goes to, or nothing when every link has one.
  std::optional<int32_t> LinkForNewRectangle() const;
  void StartDrag(const THit& hit, QPointF position);
  void FollowDrag(QPointF position);
  void FinishDrag();
  // Schedules the widget area of a link's shape (and its handles and number) for repainting.
  void UpdateAround(const std::optional<TLinkRecord>& shape);
  void Nudge(int key, Qt::KeyboardModifiers modifiers);

  // The widget area of the part of a link on the page, or nothing.
  std::optional<QRectF> WidgetArea(const TLinkRecord& link) const;
  void PaintLink(QPainter& painter, int32_t link, const TLinkRecord& shown, const QRectF& exposed,
                 bool highlighted);
  void PaintOutline(QPainter& painter, const QRectF& area, bool highlighted);
  void PaintNumber(QPainter& painter, int32_t link, const QRectF& area, bool highlighted);
  void PaintHandles(QPainter& painter, const QRectF& area);
  const QStaticText& NumberText(int32_t link);

  TPage& page_;
  TPageViewPictures& pictures_;
  QUndoStack& history_;
  TLinkEditTarget& target_;
  Listeners listeners_;
  int zoom_ = kActualSizeZoom;
  bool slotPicturesShown_ = true;
  std::optional<TDrag> drag_;
  int nudgeRun_ = 0;
  std::array<std::optional<QStaticText>, kLinkCount> numberTexts_;
};

}  // namespace pm
