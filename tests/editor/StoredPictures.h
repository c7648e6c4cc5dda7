// The JPEG streams that a page file stores, found through its header, and their pictures as an
// image holder of its own decodes them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/MemoryStream.h"
#include "imaging/JPEGImage.h"
#include "page/PageFileLayout.h"
#include "tests/editor/WindowState.h"
#include "tests/support/Bytes.h"

namespace pm::test {

inline constexpr int kBackgroundEntry = -1;

// The largest change of a colour channel that JPEG at quality 90 makes in a smooth picture.
inline constexpr int kJpegTolerance = 16;

// The stream of a slot, or of the background for kBackgroundEntry; nothing for an empty slot.
inline std::vector<uint8_t> StoredStream(const std::vector<uint8_t>& file, int slot) {
  const int64_t entry = slot == kBackgroundEntry ? page_file::kBackgroundEntryOffset
                                                 : page_file::SlotEntryOffset(slot);
  const int32_t offset = IntAt(file, entry);
  const int32_t size = IntAt(file, entry + page_file::kIntegerSize);
  if (offset == page_file::kNoStream) return {};
  return {file.begin() + offset, file.begin() + offset + size};
}

inline Pixels Decoded(std::span<const uint8_t> jpeg) {
  TMemoryStream stream;
  stream.Write(jpeg.data(), static_cast<int64_t>(jpeg.size()));
  stream.SetPosition(0);
  TJPEGImage holder;
  holder.LoadJpeg(stream);
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return PixelsOf(bitmap);
}

}  // namespace pm::test
