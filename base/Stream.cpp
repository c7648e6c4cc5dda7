#include "base/Stream.h"

#include "base/Exceptions.h"

namespace pm {

int64_t TStream::Remaining() {
  const int64_t position = Position();
  const int64_t size = Size();
  return position < size ? size - position : 0;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || (count > 0 && Read(buffer, count) != count)) RaiseReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || (count > 0 && Write(buffer, count) != count)) RaiseWriteError();
}

int32_t TStream::ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }

uint32_t TStream::ReadUInt32() {
  uint8_t bytes[4];
  ReadBuffer(bytes, sizeof bytes);
  return LoadUInt32LE(bytes);
}

uint16_t TStream::ReadUInt16() {
  uint8_t bytes[2];
  ReadBuffer(bytes, sizeof bytes);
  return LoadUInt16LE(bytes);
}

void TStream::WriteInt32(int32_t value) {
  uint8_t bytes[4];
  StoreUInt32LE(bytes, static_cast<uint32_t>(value));
  WriteBuffer(bytes, sizeof bytes);
}

}  // namespace pm
