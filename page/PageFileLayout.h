// The layout of a page file. All integers are signed 32-bit little-endian; offsets count bytes
// from the start of the file.
//
//   0      background offset and size (the writer always writes 2064 as the offset)
//   8      256 slot entries of offset and size; (-1, -1) for an empty slot
//   2056   link table offset and size (always 7168)
//   2064   the image data area: the background's JPEG stream, then those of the non-empty
//          slots in ascending slot order, with nothing between them
//   ...    the link table: 256 records of seven integers, Left, Top, Right, Bottom, LinkPage,
//          Reserved, Bitmap
//
// There is no magic number, version, checksum or file name.
#pragma once

#include <cstdint>

namespace pm::page_file {

inline constexpr int64_t kIntegerSize = 4;
inline constexpr int64_t kEntrySize = 2 * kIntegerSize;  // offset, size
inline constexpr int64_t kBackgroundEntryOffset = 0;
inline constexpr int64_t kFirstSlotEntryOffset = 8;
inline constexpr int64_t kLinkTableEntryOffset = 2056;
inline constexpr int64_t kHeaderSize = 2064;
inline constexpr int64_t kLinkRecordSize = 7 * kIntegerSize;
inline constexpr int64_t kLinkTableSize = 256 * kLinkRecordSize;  // 7168
inline constexpr int32_t kNoStream = -1;

inline constexpr int64_t SlotEntryOffset(int slot) {
  return kFirstSlotEntryOffset + kEntrySize * slot;
}

static_assert(SlotEntryOffset(256) == kLinkTableEntryOffset);
static_assert(kLinkTableEntryOffset + kEntrySize == kHeaderSize);
static_assert(kLinkTableSize == 7168);

}  // namespace pm::page_file
