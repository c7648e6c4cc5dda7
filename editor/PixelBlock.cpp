#include "editor/PixelBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <utility>

namespace pm {

namespace {

// The block kept for the next one of its size; given back to the system when the program ends.
class SpareBlock {
 public:
  ~SpareBlock() {
    if (bytes_ != nullptr) ::munmap(bytes_, size_);
  }

  // The kept block when it has that size, or nullptr.
  uint8_t* Take(size_t size) {
    const std::lock_guard lock(mutex_);
    if (bytes_ == nullptr || size_ != size) return nullptr;
    return std::exchange(bytes_, nullptr);
  }

  // Keeps the block when it is small enough and none is kept yet; false when the caller must
  // give it back itself.
  bool Keep(uint8_t* bytes, size_t size) {
    if (size > kSpareBlockLimit) return false;
    const std::lock_guard lock(mutex_);
    if (bytes_ != nullptr) return false;
    bytes_ = bytes;
    size_ = size;
    return true;
  }

 private:
  std::mutex mutex_;
  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
};

SpareBlock& Spare() {
  static SpareBlock spare;
  return spare;
}

}  // namespace

TPixelBlock::TPixelBlock(size_t bytes) : bytes_(nullptr), size_(bytes) {
  if (bytes == 0) return;
  bytes_ = Spare().Take(bytes);
  if (bytes_ != nullptr) return;
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
  if (bytes_ != nullptr && !Spare().Keep(bytes_, size_)) ::munmap(bytes_, size_);
}

}  // namespace pm
