#include "editor/PixelBlock.h"

#include <sys/mman.h>

#include <new>

namespace pm {

TPixelBlock::TPixelBlock(size_t bytes) : bytes_(nullptr), size_(bytes) {
  if (bytes == 0) return;
  void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  // Only advice: without large pages the block works the same.
  ::madvise(block, bytes, MADV_HUGEPAGE);
  bytes_ = static_cast<uint8_t*>(block);
}

TPixelBlock::~TPixelBlock() {
  if (bytes_ != nullptr) ::munmap(bytes_, size_);
}

}  // namespace pm
