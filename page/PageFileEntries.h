// The header entries of a stored page and the rules by which they are read: one set of rules
// for the editor's reader and for the tools that look at a page file as it is stored.
#pragma once

#include <cstdint>

#include "page/Page.h"
#include "page/PageFileLayout.h"

namespace pm {

class TStream;

// Where a stream lies: an offset and a size. Offset -1 is an empty entry whatever the size says.
struct TStreamEntry {
  int32_t offset = page_file::kNoStream;
  int32_t size = page_file::kNoStream;

  bool Stored() const { return offset != page_file::kNoStream; }
  // A stored entry whose offset and size are not negative and whose bytes end within a file of
  // `fileSize` bytes. Any other stored entry is one the writer never produces, and the reader
  // takes it as a read error.
  bool LiesWithin(int64_t fileSize) const;
  int64_t End() const { return int64_t{offset} + size; }
};

// The entry at `entryAt` (page_file::kBackgroundEntryOffset or SlotEntryOffset(N)).
// EReadError when the file ends before it.
TStreamEntry ReadStreamEntry(TStream& file, int64_t entryAt);

// The link table's offset and its recorded size.
struct TLinkTableEntry {
  int32_t offset = 0;
  int32_t size = 0;
  // Its 7168 bytes lie within a file of `fileSize` bytes (the recorded size isn't used).
  bool LiesWithin(int64_t fileSize) const;
};
TLinkTableEntry ReadLinkTableEntry(TStream& file);

// The 256 records at the entry's offset; EReadError when they don't lie within the file.
TPage::Links ReadLinkTable(TStream& file, const TLinkTableEntry& entry);

}  // namespace pm
