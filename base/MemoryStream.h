// The memory buffer: a growable block of bytes with a position.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "base/Stream.h"

namespace pm {

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  TMemoryStream(TMemoryStream&&) noexcept = default;
  TMemoryStream& operator=(TMemoryStream&&) noexcept = default;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return size_; }

  // Changes the size, keeping the first bytes; new bytes are undefined. Running out of memory
  // raises EStreamError. The position is kept, or moved back to the new end.
  void SetSize(int64_t size);
  // Size 0, position 0; the memory is kept for reuse.
  void Clear();
  // Makes room for `capacity` bytes without changing the size.
  void Reserve(int64_t capacity);
  // Reads `count` bytes from `source` at its position, appended at this buffer's position.
  void CopyFrom(TStream& source, int64_t count);

  uint8_t* Memory() { return data_.get(); }
  const uint8_t* Memory() const { return data_.get(); }
  std::span<const uint8_t> Bytes() const { return {data_.get(), static_cast<size_t>(size_)}; }

 private:
  struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  void Grow(int64_t needed);

  std::unique_ptr<uint8_t, FreeDeleter> data_;
  int64_t size_ = 0;
  int64_t capacity_ = 0;
  int64_t position_ = 0;
};

}  // namespace pm
