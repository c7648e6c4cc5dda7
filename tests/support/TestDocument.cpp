#include "tests/support/TestDocument.h"

#include "page/Page.h"
#include "page/PageFile.h"
#include "tests/support/TestPictures.h"

namespace pm::test {

namespace {

constexpr int32_t kSlotWidth = 12;
constexpr int32_t kSlotHeight = 9;

}  // namespace

TLinkRecord Link(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t linkPage,
                 int32_t bitmap) {
  TLinkRecord link;
  link.Left = left;
  link.Top = top;
  link.Right = right;
  link.Bottom = bottom;
  link.LinkPage = linkPage;
  link.Bitmap = bitmap;
  return link;
}

void WriteTestPage(const std::string& fileName, const TestPage& page) {
  TPage written;
  written.SetBackgroundBitmap(GradientBitmap(page.width, page.height, page.seed));
  for (const int32_t slot : page.slots) {
    written.SetSlotBitmap(slot, GradientBitmap(kSlotWidth, kSlotHeight, page.seed * 31 + slot));
  }
  for (const auto& [number, record] : page.links) written.SetLink(number, record);
  WritePageFile(written, fileName);
}

}  // namespace pm::test
