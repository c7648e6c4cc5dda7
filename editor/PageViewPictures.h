// The pictures that the page view draws, each made once and kept until the page changes it: one
// display copy of the background (or of the placeholder when the page has none), and for each
// link the part on the page of its slot's picture stretched to the link's rectangle. Nothing is
// made while painting unless it changed; the stretched parts together stay within a budget.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>

#include "editor/LinkGeometry.h"
#include "page/Page.h"

namespace pm {

// Pixels that the stretched slot pictures may hold together (256 MB).
inline constexpr int64_t kSlotPictureBudget = int64_t{1} << 26;

class TPageViewPictures {
 public:
  // A picture that can't be made is reported once through `report` (by default the event
  // guard's report, after the paint) and drawn as missing until it changes.
  using Report = std::function<void(std::exception_ptr)>;
  explicit TPageViewPictures(TPage& page, Report report = {});

  // The page's size: the background's, read without decoding it, or the placeholder's.
  TPageSize PageSize() const;
  // The background as shown; a null image when it can't be shown.
  const QImage& Background();
  // Slot `slot`'s picture stretched to width × height for link `link`: the part `part` of it
  // (0, 0 is the rectangle's top-left pixel). A null image when the slot holds no picture or it
  // can't be shown.
  const QImage& SlotPicture(int32_t link, int32_t slot, int64_t width, int64_t height,
                            const TPageRect& part);
  // Whether slot `slot` holds a picture to show.
  bool SlotHoldsPicture(int32_t slot) const;

  // What changed in the page.
  void BackgroundChanged();
  void SlotChanged(int32_t slot);
  void PageReplaced();

 private:
  struct Stretched {
    int32_t slot = -1;
    uint64_t generation = 0;
    int64_t width = 0;
    int64_t height = 0;
    TPageRect part;
    QImage image;
    bool made = false;
  };

  bool Matches(const Stretched& entry, int32_t slot, int64_t width, int64_t height,
               const TPageRect& part) const;
  void MakeRoomFor(int64_t pixels);
  void ReportOnce(bool& reported);

  TPage& page_;
  Report report_;
  QImage background_;
  bool backgroundMade_ = false;
  bool backgroundReported_ = false;
  std::array<uint64_t, kSlotCount> slotGenerations_{};
  std::array<bool, kSlotCount> slotReported_{};
  std::array<Stretched, kLinkCount> stretched_;
  int64_t stretchedPixels_ = 0;
};

}  // namespace pm
