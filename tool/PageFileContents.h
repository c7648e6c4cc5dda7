// A page file's structure as stored, read without interpreting it the way the editor does, so
// that damaged files can be looked at too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/FileStream.h"
#include "imaging/JpegHeader.h"
#include "page/Page.h"
#include "page/PageFileEntries.h"

namespace pm::tool {

struct StoredStream : TStreamEntry {
  // The editor's reader takes its bytes (see TStreamEntry::LiesWithin).
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

// Reads the header and then each stored stream where it lies, never the whole file: one stream's
// bytes at a time, each set of bytes once. The file is opened beside other readers, not beside
// a writer. EFOpenError when the file can't be opened, EReadError when it is shorter than its
// header.
PageFileContents ReadPageFileContents(const std::string& fileName);
// The same from a file that the caller opened.
PageFileContents ReadPageFileContents(TFileStream& file);

}  // namespace pm::tool
