// TDocumentMap: the map of a document, named "地図" for assistive tools. Each page is a card with
// its background's thumbnail, its number and its file name; the links between two pages are one
// arrow labelled with their link numbers (or their count); the start page, pages that fail to
// load, unreachable pages and the missing pages that dead links lead to are marked; the page open
// in the editor is highlighted. Laid out by Graphviz's library in the process; a document with
// too many arrows for that is laid out as a grid in page order and shows only the selected
// page's arrows. Ctrl+wheel zooms, a drag on the background or the scroll bars pan; a card can be
// dragged out (PageDrag.h) onto a link of the page view.
#pragma once

#include <QAbstractScrollArea>
#include <QRect>
#include <cstdint>
#include <memory>
#include <optional>

#include "editor/document/DocumentSnapshot.h"

namespace pm {

inline constexpr const char* kDocumentMapName = "地図";

class TDocumentMap : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TDocumentMap(QWidget* parent = nullptr);
  ~TDocumentMap() override;

  // Lays out and shows the snapshot; the selection and the current page stay when their cards
  // are still there.
  void Show(std::shared_ptr<const TDocumentSnapshot> snapshot);
  // The page open in the editor, highlighted; nothing when it isn't a page of this document.
  void SetCurrentPage(std::optional<int32_t> number);
  void SelectPage(std::optional<int32_t> number);
  std::optional<int32_t> SelectedPage() const;

  // Zoom as a share of the laid-out size (1 is 100 %).
  double Zoom() const;
  void SetZoom(double zoom);
  void ZoomToFit();

  // Where the card of a page is drawn now, in the viewport's coordinates; nothing when it has no
  // card.
  std::optional<QRect> CardArea(int32_t number) const;
  // Whether every arrow is laid out and drawn (false: the large-document layout, which draws
  // only the selected page's arrows).
  bool AllArrowsDrawn() const;

 signals:
  // A card was selected by a click or the keyboard.
  void PageSelected(int32_t number);
  // A card was double-clicked, or Enter pressed on the selected card.
  void PageActivated(int32_t number);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace pm
