#include "page/PageFileEntries.h"

#include "base/Exceptions.h"
#include "base/Stream.h"
#include "page/LinkTable.h"

namespace pm {

using namespace page_file;

bool TStreamEntry::LiesWithin(int64_t fileSize) const {
  return Stored() && offset >= 0 && size >= 0 && End() <= fileSize;
}

TStreamEntry ReadStreamEntry(TStream& file, int64_t entryAt) {
  file.SetPosition(entryAt);
  TStreamEntry entry;
  entry.offset = file.ReadInt32();
  entry.size = file.ReadInt32();
  return entry;
}

bool TLinkTableEntry::LiesWithin(int64_t fileSize) const {
  return offset >= 0 && int64_t{offset} + kLinkTableSize <= fileSize;
}

TLinkTableEntry ReadLinkTableEntry(TStream& file) {
  file.SetPosition(kLinkTableEntryOffset);
  TLinkTableEntry entry;
  entry.offset = file.ReadInt32();
  entry.size = file.ReadInt32();
  return entry;
}

TPage::Links ReadLinkTable(TStream& file, const TLinkTableEntry& entry) {
  if (!entry.LiesWithin(file.Size())) RaiseReadError();
  TLinkTableBytes table;
  file.SetPosition(entry.offset);
  file.ReadBuffer(table.data(), kLinkTableSize);
  return DecodeLinkTable(table);
}

}  // namespace pm
