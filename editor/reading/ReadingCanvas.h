// TReadingCanvas: the page being read, as a reader sees it: the background at the zoom that fits
// the window, without outlines, numbers or handles. Each link that a reader sees lies over it as
// a TReadingLink; a link's slot picture shows in its rectangle while the pointer is over the link
// or the link has the keyboard focus, and a link focused from the keyboard is framed. Tab and
// Shift+Tab walk the links in link number order, round and round.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "editor/PageViewPictures.h"
#include "editor/PageViewTransform.h"
#include "editor/reading/ReadingLink.h"

namespace pm {

class TReadingCanvas : public QWidget {
 public:
  explicit TReadingCanvas(QWidget* parent = nullptr);

  // A click or Enter on link N.
  void SetOnActivated(std::function<void(int32_t link)> activated) {
    activated_ = std::move(activated);
  }

  // Shows a page through its display copies, with the links a reader sees, in number order.
  // `pictures` stays in use until the next Show or Clear. Another page starts without a focused
  // link; the same page shown again (`samePage`) keeps the focus on the link that had it. The
  // canvas takes the page's size at the next SetZoom.
  void Show(TPageViewPictures& pictures, const std::vector<TReadLink>& links, bool samePage);
  // Shows nothing.
  void Clear();

  TPageViewTransform Transform() const;
  int Zoom() const { return zoom_; }
  // Takes the zoom (limited) and the size that shows the whole page at it.
  void SetZoom(int zoom);
  // The page's size; the placeholder's while nothing is shown.
  TPageSize PageSize() const;

  // The link widgets in link number order.
  const std::vector<TReadingLink*>& Links() const { return links_; }
  TReadingLink* LinkWidget(int32_t link) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void PlaceLinks();
  void UpdateLink(int32_t link);
  QRect FramedArea(const TReadingLink& link) const;

  TPageViewPictures* pictures_ = nullptr;
  std::vector<TReadingLink*> links_;
  std::function<void(int32_t)> activated_;
  int zoom_ = kActualSizeZoom;
};

}  // namespace pm
