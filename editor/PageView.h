// TPageView: the page view ("ページ表示"), a second, non-modal window of the editor that shows the
// whole page in a scrolling drawing area and lets the author draw its links with the mouse. It
// follows every change of the page, whoever makes it, and keeps its own undo history of the
// changes made in it; a page file read into the page clears that history.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "editor/LinkEditCommand.h"
#include "editor/PageCanvas.h"
#include "editor/PageViewPictures.h"
#include "page/Page.h"

class QAction;
class QMenu;

namespace pm {

class TEditedPage;
class TReadingMode;

inline constexpr const char* kPageViewTitle = QT_TRANSLATE_NOOP("TPageView", "ページ表示");

class TPageView : public QMainWindow, private TPageListener, private TLinkEditTarget {
 public:
  explicit TPageView(TPage& page);
  ~TPageView() override;
  TPageView(const TPageView&) = delete;
  TPageView& operator=(const TPageView&) = delete;

  // Shows the window (where it was last time, or at the first opening at the page's size within
  // the screen) and brings it to the front.
  void Open();

  // The title names the page's own file and shows a "*" while the page has unsaved changes.
  void FollowEditedPage(TEditedPage& edited);
  // The menu of the page as a whole ("ファイル"), for the commands that the main window shares.
  QMenu* FileMenu() const { return fileMenu_; }

  TPageCanvas* Canvas() const { return canvas_; }
  QScrollArea* ScrollArea() const { return scrollArea_; }
  QUndoStack& History() { return history_; }

  int Zoom() const { return canvas_->Zoom(); }
  // Zooms keeping the page point at the centre of the visible area where it is.
  void SetZoom(int zoom);
  // Zooms keeping the page point under the widget position `anchor` of the canvas under it.
  void ZoomAround(int zoom, QPointF anchor);
  void ZoomIn();
  void ZoomOut();
  void ZoomToFit();

  // The status line: the pointer's page pixel, the current link, the zoom.
  QString PointerText() const;
  QString LinkText() const;
  QString ZoomText() const;

  QAction* UndoAction() const { return undoAction_; }
  QAction* RedoAction() const { return redoAction_; }
  QAction* DeleteAction() const { return deleteAction_; }
  QAction* SlotPicturesAction() const { return slotPicturesAction_; }

  // Reading mode (reading/ReadingMode.h).
  TReadingMode& Reading() { return *reading_; }
  // A short message in the status line.
  void ShowMessage(const QString& text);
  // The pointer's pixel, the current link and the zoom show while the page is edited.
  void ShowEditingStatus(bool shown);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // TPageListener
  void SlotChanged(int32_t slot) override;
  void BackgroundChanged() override;
  void LinkChanged(int32_t link) override;
  void LinkSelected(int32_t link) override;
  void PageReplaced() override;

  // TLinkEditTarget
  const TLinkRecord& StoredLink(int32_t link) const override;
  void SelectLink(int32_t link) override;
  void StoreLink(int32_t link, const TLinkRecord& record) override;
  void StepDropped(int32_t link) override;

  void CreateActions();
  void RefreshTitle();
  void CreateStatusLine();
  void ShowPointer(std::optional<TPagePoint> point);
  void RefreshStatus();
  // Something not made in this view changed the page's links.
  void ChangedElsewhere();

  TPage& page_;
  TPageViewPictures pictures_;
  QUndoStack history_;
  QScrollArea* scrollArea_;
  TPageCanvas* canvas_;
  QLabel* pointerLabel_ = nullptr;
  QLabel* linkLabel_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QAction* deleteAction_ = nullptr;
  QAction* slotPicturesAction_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  TEditedPage* edited_ = nullptr;
  std::optional<TPagePoint> pointer_;
  int ownChanges_ = 0;
  QByteArray placement_;  // where the window was when it was last closed
  // Last: it goes first, after the drawing areas, while the page and its pictures are here.
  std::unique_ptr<TReadingMode> reading_;
};

// The status line's text for a link: its number, its rectangle as left, top, right, bottom with
// its width × height, its link page and its slot.
QString LinkStatusText(int32_t link, const TLinkRecord& record);

}  // namespace pm
