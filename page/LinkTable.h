// The link table of a page file: 256 records of seven little-endian integers, record 0 first,
// each in the field order Left, Top, Right, Bottom, LinkPage, Reserved, Bitmap.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "page/Page.h"
#include "page/PageFileLayout.h"

namespace pm {

using TLinkTableBytes = std::array<uint8_t, page_file::kLinkTableSize>;

TLinkTableBytes EncodeLinkTable(const TPage::Links& links);
TPage::Links DecodeLinkTable(std::span<const uint8_t, page_file::kLinkTableSize> table);

}  // namespace pm
