// TPixelBlock: memory for the page view's display copies, reserved from the system as one block
// and given back as a whole. It asks for large pages where the system has them, so that the
// first touch of a large picture costs a few faults instead of one for every 4 KB; only what is
// touched takes real memory.
//
// The last block given back, when it is no larger than kSpareBlockLimit, is kept for the next
// block of the same size: pages shown one after another, as reading does, mostly have
// backgrounds of one size, and their copies then go into memory that is ready instead of memory
// that the system must clear first. Its old content is never read: every display copy writes
// all of its pixels before they are drawn.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pm {

inline constexpr size_t kSpareBlockLimit = size_t{16} << 20;

class TPixelBlock {
 public:
  // std::bad_alloc when the system can't reserve `bytes`.
  explicit TPixelBlock(size_t bytes);
  ~TPixelBlock();
  TPixelBlock(const TPixelBlock&) = delete;
  TPixelBlock& operator=(const TPixelBlock&) = delete;

  uint8_t* Bytes() const { return bytes_; }
  // Makes the pages of [offset, offset + bytes) ready to be written, in one call instead of one
  // fault a page as they are first written; only advice, where the system can't do it nothing
  // changes.
  void Prepare(size_t offset, size_t bytes) const;
  size_t Size() const { return size_; }

 private:
  uint8_t* bytes_;
  size_t size_;
};

}  // namespace pm
