// A block of pixel bytes that a bitmap owns. Making one that can't exist (a size that overflows,
// or memory that runs out) fails with EOSError, never with an abort.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace pm {

// The error code and text that EOSError carries when a store can't be made: ENOMEM.
inline constexpr int kStoreErrorCode = 12;
inline constexpr const char* kStoreErrorText = "メモリを確保できません";
// No store is larger than this, whatever memory the machine has.
inline constexpr int64_t kMaxStoreBytes = 0x7FFFFFFF;

// Bytes of one row: width × bit count rounded up to a multiple of 4 bytes, in 64 bits.
int64_t StrideOf(int64_t width, int64_t bitCount);

class TPixelStore {
 public:
  enum class Fill { Zero, Undefined };

  TPixelStore() = default;
  // `size` bytes, all 0 or left undefined; EOSError when it can't be made.
  TPixelStore(int64_t size, Fill fill);
  TPixelStore(const TPixelStore& other);
  TPixelStore& operator=(const TPixelStore& other);
  TPixelStore(TPixelStore&&) noexcept = default;
  TPixelStore& operator=(TPixelStore&&) noexcept = default;

  explicit operator bool() const { return bytes_ != nullptr; }
  uint8_t* Bytes() { return bytes_.get(); }
  const uint8_t* Bytes() const { return bytes_.get(); }
  int64_t Size() const { return size_; }

 private:
  struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t, FreeDeleter> bytes_;
  int64_t size_ = 0;
};

// Raises the EOSError of a store that can't be made.
[[noreturn]] void RaiseStoreError();

}  // namespace pm
