// What a page holds, by the identity of its holders: for proving that an operation that failed
// changed nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "page/Page.h"

namespace pm::test {

struct PageSnapshot {
  explicit PageSnapshot(const TPage& page);
  friend bool operator==(const PageSnapshot&, const PageSnapshot&) = default;

  std::array<const TJPEGImage*, kSlotCount> slotHolders{};
  std::array<std::string, kSlotCount> slotNames;
  const TJPEGImage* background = nullptr;
  std::string backgroundName;
  std::array<TLinkRecord, kLinkCount> links;
  int32_t currentSlot = 0;
  int32_t currentLink = 0;
};

}  // namespace pm::test
