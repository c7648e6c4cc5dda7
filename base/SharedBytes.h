// A range of bytes that never changes, shared by everyone who holds it: a copy costs no bytes,
// and the bytes go with the last holder. Several ranges may lie in one block, as the streams
// of a page file whose entries name the same or overlapping bytes do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace pm {

class TSharedBytes {
 public:
  // No bytes.
  TSharedBytes() = default;
  // Takes the bytes over as one block.
  explicit TSharedBytes(std::vector<uint8_t> bytes);

  std::span<const uint8_t> Span() const { return {data_, size_}; }
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

  // The `size` bytes from `offset` of this range, in the same block; the caller keeps them
  // inside the range.
  TSharedBytes Slice(size_t offset, size_t size) const;
  // The very same bytes of the very same block.
  bool SameBytesAs(const TSharedBytes& other) const {
    return block_ == other.block_ && data_ == other.data_ && size_ == other.size_;
  }

 private:
  std::shared_ptr<const std::vector<uint8_t>> block_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace pm
