// Helpers for the page file tests: a byte-level builder of page files and a listener that
// records what it is told.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "tests/support/Bytes.h"
#include "tests/support/PageSnapshot.h"

namespace pm::test {

// Lays out a page file byte by byte: the header entries, streams placed anywhere, and the link
// table anywhere.
class PageFileBuilder {
 public:
  PageFileBuilder();
  void SetBackground(int32_t offset, int32_t size) {
    SetEntry(page_file::kBackgroundEntryOffset, offset, size);
  }
  void SetSlot(int slot, int32_t offset, int32_t size) {
    SetEntry(page_file::SlotEntryOffset(slot), offset, size);
  }
  void SetLinkTable(int32_t offset) { SetEntry(page_file::kLinkTableEntryOffset, offset, 7168); }
  void SetEntry(int64_t at, int32_t offset, int32_t size);
  // Places bytes at an offset, growing the file as needed.
  void Put(int64_t offset, const std::vector<uint8_t>& data);
  // The link table, at the offset its entry gives.
  void PutLinks(const std::array<TLinkRecord, kLinkCount>& links);
  // Appends bytes and returns where they went.
  int32_t Append(const std::vector<uint8_t>& data);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

class RecordingListener : public TPageFileListener {
 public:
  void BackgroundRead() override { events.push_back("background"); }
  void SlotsRead() override { events.push_back("slots"); }
  void LinksRead() override { events.push_back("links"); }
  std::vector<std::string> events;
};

}  // namespace pm::test
