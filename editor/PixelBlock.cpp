#include "editor/PixelBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

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

void TPixelBlock::Prepare(size_t offset, size_t bytes) const {
  if (bytes_ == nullptr || offset >= size_) return;
  const auto pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<uintptr_t>(bytes_ + offset) / pageSize * pageSize;
  const auto end = reinterpret_cast<uintptr_t>(bytes_ + std::min(size_, offset + bytes));
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

TPixelBlock::~TPixelBlock() {
  if (bytes_ != nullptr) ::munmap(bytes_, size_);
}

}  // namespace pm
