#include "imaging/PixelStore.h"

#include <cstring>
#include <string>

#include "base/Exceptions.h"

namespace pm {

namespace {

constexpr std::string_view kSystemErrorMessage = "システムエラー。コード：%d.\r\n";

}  // namespace

int64_t StrideOf(int64_t width, int64_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

void RaiseStoreError() {
  throw EOSError(kStoreErrorCode,
                 FormatMessage(kSystemErrorMessage, kStoreErrorCode) + kStoreErrorText);
}

TPixelStore::TPixelStore(int64_t size, Fill fill) : size_(size) {
  if (size <= 0 || size > kMaxStoreBytes) RaiseStoreError();
  // calloc hands out pages that are already zero, so a large store costs nothing until used.
  void* bytes = fill == Fill::Zero ? std::calloc(1, static_cast<size_t>(size))
                                   : std::malloc(static_cast<size_t>(size));
  if (bytes == nullptr) RaiseStoreError();
  bytes_.reset(static_cast<uint8_t*>(bytes));
}

TPixelStore::TPixelStore(const TPixelStore& other) {
  if (!other) return;
  TPixelStore copy(other.size_, Fill::Undefined);
  std::memcpy(copy.Bytes(), other.Bytes(), static_cast<size_t>(other.size_));
  *this = std::move(copy);
}

TPixelStore& TPixelStore::operator=(const TPixelStore& other) {
  if (this != &other) *this = TPixelStore(other);
  return *this;
}

}  // namespace pm
