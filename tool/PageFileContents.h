// A page file's structure as stored, read without interpreting it the way the editor does, so
// that damaged files can be looked at too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/JpegHeader.h"
#include "page/Page.h"

namespace pm::tool {

struct StoredStream {
  int32_t offset = -1;
  int32_t size = -1;
  bool Stored() const { return offset != -1; }
  // Inside the file: a non-negative offset and size whose end is within the file.
  bool inFile = false;
  bool startsWithImageMarker = false;
  std::optional<TJPEGHeaderInfo> header;
  std::string headerError;  // the library's message when it rejects the header
};

struct PageFileContents {
  int64_t fileSize = 0;
  StoredStream background;
  std::array<StoredStream, kSlotCount> slots;
  int32_t linkTableOffset = 0;
  int32_t linkTableSize = 0;
  std::optional<TPage::Links> links;  // when the table lies within the file
};

// EFOpenError when the file can't be opened, EReadError when it is shorter than its header.
PageFileContents ReadPageFileContents(const std::string& fileName);

}  // namespace pm::tool
