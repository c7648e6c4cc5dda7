#include "tests/support/PageSnapshot.h"

namespace pm::test {

PageSnapshot::PageSnapshot(const TPage& page)
    : background(&page.BackgroundHolder()),
      backgroundName(page.BackgroundFileName()),
      currentSlot(page.CurrentSlot()),
      currentLink(page.CurrentLink()) {
  for (int i = 0; i < kSlotCount; ++i) {
    slotHolders[i] = &page.SlotHolder(i);
    slotNames[i] = page.SlotFileName(i);
    links[i] = page.Link(i);
  }
}

}  // namespace pm::test
