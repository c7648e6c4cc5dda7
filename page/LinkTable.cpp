#include "page/LinkTable.h"

#include "base/Stream.h"

namespace pm {

TLinkTableBytes EncodeLinkTable(const TPage::Links& links) {
  TLinkTableBytes table{};
  uint8_t* at = table.data();
  for (const TLinkRecord& record : links) {
    for (int field = 0; field < kLinkFieldCount; ++field, at += page_file::kIntegerSize) {
      StoreUInt32LE(at, static_cast<uint32_t>(record.Field(static_cast<TLinkField>(field))));
    }
  }
  return table;
}

TPage::Links DecodeLinkTable(std::span<const uint8_t, page_file::kLinkTableSize> table) {
  TPage::Links links;
  const uint8_t* at = table.data();
  for (TLinkRecord& record : links) {
    for (int field = 0; field < kLinkFieldCount; ++field, at += page_file::kIntegerSize) {
      record.Field(static_cast<TLinkField>(field)) = LoadInt32LE(at);
    }
  }
  return links;
}

}  // namespace pm
