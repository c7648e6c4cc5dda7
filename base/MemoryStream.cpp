#include "base/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "base/Exceptions.h"

namespace pm {

namespace {

constexpr int64_t kGrowthGranule = 4096;

[[noreturn]] void RaiseOutOfMemory() { throw EStreamError(std::string(kMemoryStreamGrowMessage)); }

}  // namespace

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const int64_t moved = std::min(count, size_ - position_);
  std::memcpy(buffer, data_.get() + position_, static_cast<size_t>(moved));
  position_ += moved;
  return moved;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (count > std::numeric_limits<int64_t>::max() - position_) RaiseOutOfMemory();
  const int64_t end = position_ + count;
  if (end > capacity_) Grow(end);
  std::memcpy(data_.get() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  size_ = std::max(size_, end);
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  switch (origin) {
    case SeekOrigin::Begin:
      break;
    case SeekOrigin::Current:
      base = position_;
      break;
    case SeekOrigin::End:
      base = size_;
      break;
  }
  position_ = std::max<int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) RaiseOutOfMemory();
  if (size > capacity_) Grow(size);
  size_ = size;
  position_ = std::min(position_, size_);
}

void TMemoryStream::Clear() {
  size_ = 0;
  position_ = 0;
}

void TMemoryStream::Reserve(int64_t capacity) {
  if (capacity > capacity_) Grow(capacity);
}

void TMemoryStream::CopyFrom(TStream& source, int64_t count) {
  if (count <= 0) return;
  if (count > std::numeric_limits<int64_t>::max() - position_) RaiseOutOfMemory();
  const int64_t end = position_ + count;
  if (end > capacity_) Grow(end);
  source.ReadBuffer(data_.get() + position_, count);
  position_ = end;
  size_ = std::max(size_, end);
}

void TMemoryStream::Grow(int64_t needed) {
  if (needed > std::numeric_limits<int64_t>::max() / 2) RaiseOutOfMemory();
  // Grow by half again at least, in whole granules, so that appends run in amortised time.
  int64_t capacity = std::max(needed, capacity_ + capacity_ / 2);
  capacity = (capacity + kGrowthGranule - 1) / kGrowthGranule * kGrowthGranule;
  if (capacity < needed || static_cast<uint64_t>(capacity) > std::numeric_limits<size_t>::max()) {
    RaiseOutOfMemory();
  }
  void* grown = std::realloc(data_.get(), static_cast<size_t>(capacity));
  if (grown == nullptr) RaiseOutOfMemory();
  data_.release();
  data_.reset(static_cast<uint8_t*>(grown));
  capacity_ = capacity;
}

}  // namespace pm
