#include "base/SharedBytes.h"

namespace pm {

TSharedBytes::TSharedBytes(std::vector<uint8_t> bytes)
    : block_(std::make_shared<const std::vector<uint8_t>>(std::move(bytes))),
      data_(block_->data()),
      size_(block_->size()) {}

TSharedBytes TSharedBytes::Slice(size_t offset, size_t size) const {
  TSharedBytes slice;
  slice.block_ = block_;
  slice.data_ = offset == 0 ? data_ : data_ + offset;
  slice.size_ = size;
  return slice;
}

}  // namespace pm
