// The pictures that the page view draws, each made once and kept until the page changes it: one
// display copy of the background (or of the placeholder when the page has none), and for each
// link the part on the page of its slot's picture stretched to the link's rectangle. Nothing is
// made while painting unless it changed.
//
// The background's copy lies in one block, in square tiles that are each made when they are
// first drawn, in the order drawn, so that opening a view of a large page costs only what the
// window shows. The
// stretched slot pictures lie one after the other in a block of their own, within a budget:
// when it is used up, all of them are made again as they are drawn.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editor/LinkGeometry.h"
#include "editor/PixelBlock.h"
#include "page/Page.h"

namespace pm {

// Pixels that the stretched slot pictures may hold together (256 MB).
inline constexpr int64_t kSlotPictureBudget = int64_t{1} << 26;
// The side of a tile of the background's copy, in page pixels.
inline constexpr int32_t kBackgroundTile = 256;

class TPageViewPictures {
 public:
  // A picture that can't be made is reported once through `report` (by default the event
  // guard's report, after the paint) and drawn as missing until it changes.
  using Report = std::function<void(std::exception_ptr)>;
  explicit TPageViewPictures(TPage& page, Report report = {});
  ~TPageViewPictures();

  // The page's size: the background's, read without decoding it, or the placeholder's.
  TPageSize PageSize() const;
  // Calls `draw` with each tile of the background's copy that meets `area` (page pixels): the
  // tile's place on the page and its image. False when the background can't be shown.
  using TileDrawer = std::function<void(const TPageRect& place, const QImage& tile)>;
  bool DrawBackground(const TPageRect& area, const TileDrawer& draw);
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
  struct Background {
    TBitmap picture;
    int32_t tilesAcross = 0;
    TPixelBlock block;
    size_t used = 0;            // bytes of the block that the tiles made so far take
    std::vector<QImage> tiles;  // row by row; null until first drawn
  };
  struct Stretched {
    int32_t slot = -1;
    uint64_t generation = 0;
    int64_t width = 0;
    int64_t height = 0;
    TPageRect part;
    QImage image;
    bool made = false;
  };

  // The background's copy, ready for its tiles; nothing when the picture can't be had.
  Background* TakeBackground();
  const QImage& Tile(Background& background, int32_t across, int32_t down);
  bool Matches(const Stretched& entry, int32_t slot, int64_t width, int64_t height,
               const TPageRect& part) const;
  // An image of the size in the slot pictures' block; every stretched picture is dropped first
  // when the block is full.
  QImage SlotPictureImage(int64_t width, int64_t height);
  void DropStretched();
  void ReportOnce(bool& reported);

  TPage& page_;
  Report report_;
  std::unique_ptr<Background> background_;
  bool backgroundTaken_ = false;
  bool backgroundReported_ = false;
  std::array<uint64_t, kSlotCount> slotGenerations_{};
  std::array<bool, kSlotCount> slotReported_{};
  std::array<Stretched, kLinkCount> stretched_;
  std::unique_ptr<TPixelBlock> slotBlock_;
  size_t slotBlockUsed_ = 0;
};

}  // namespace pm
