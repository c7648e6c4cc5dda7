#include "tests/page/PageFileTestSupport.h"

#include <algorithm>

#include "base/Stream.h"
#include "page/LinkTable.h"

namespace pm::test {

PageFileBuilder::PageFileBuilder() : bytes_(page_file::kHeaderSize, 0) {
  SetBackground(page_file::kNoStream, page_file::kNoStream);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetSlot(slot, page_file::kNoStream, page_file::kNoStream);
  }
}

void PageFileBuilder::SetEntry(int64_t at, int32_t offset, int32_t size) {
  StoreUInt32LE(bytes_.data() + at, static_cast<uint32_t>(offset));
  StoreUInt32LE(bytes_.data() + at + 4, static_cast<uint32_t>(size));
}

void PageFileBuilder::Put(int64_t offset, const std::vector<uint8_t>& data) {
  const auto end = static_cast<size_t>(offset) + data.size();
  if (bytes_.size() < end) bytes_.resize(end, 0);
  std::copy(data.begin(), data.end(), bytes_.begin() + offset);
}

void PageFileBuilder::PutLinks(const std::array<TLinkRecord, kLinkCount>& links) {
  const TLinkTableBytes table = EncodeLinkTable(links);
  Put(IntAt(bytes_, page_file::kLinkTableEntryOffset), {table.begin(), table.end()});
}

int32_t PageFileBuilder::Append(const std::vector<uint8_t>& data) {
  const auto offset = static_cast<int32_t>(bytes_.size());
  Put(offset, data);
  return offset;
}

}  // namespace pm::test
