// A readable, writable, positionable sequence of bytes: the memory buffer and the file stream.
#pragma once

#include <cstdint>

namespace pm {

enum class SeekOrigin { Begin, Current, End };

class TStream {
 public:
  virtual ~TStream() = default;

  // Move up to `count` bytes and return how many moved.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position. Positions past the end are allowed; reads there move nothing.
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
  virtual int64_t Size() = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }
  // Bytes from the position to the end; 0 when the position is at or past the end.
  int64_t Remaining();

  // Move exactly `count` bytes or fail: EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);

  // Little-endian signed 32-bit integers, as the page and BMP files store them.
  int32_t ReadInt32();
  uint32_t ReadUInt32();
  uint16_t ReadUInt16();
  void WriteInt32(int32_t value);
};

// Little-endian decoding of bytes already read.
inline uint16_t LoadUInt16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t LoadUInt32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline int32_t LoadInt32LE(const uint8_t* p) { return static_cast<int32_t>(LoadUInt32LE(p)); }
inline void StoreUInt32LE(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}
inline void StoreUInt16LE(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace pm
