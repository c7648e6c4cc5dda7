#include "page/Page.h"

#include <gtest/gtest.h>

#include "base/MemoryStream.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

TEST(PageTest, ANewPageIsEmptyWithEveryLinkAtItsInitialValues) {
  TPage page;
  for (int i = 0; i < kSlotCount; ++i) {
    EXPECT_TRUE(page.SlotHolder(i).IsEmpty());
    EXPECT_EQ(page.SlotFileName(i), "");
    EXPECT_EQ(page.Link(i), TLinkRecord());
  }
  EXPECT_TRUE(page.BackgroundHolder().IsEmpty());
  EXPECT_EQ(page.CurrentSlot(), 0);
  EXPECT_EQ(page.CurrentLink(), 0);
  EXPECT_EQ(TLinkRecord(), (TLinkRecord{-1, -1, -1, -1, -1, 0, -1}));
}

TEST(PageTest, ClearingASlotPutsANewHolderInItsPlace) {
  TPage page;
  page.SelectSlot(7);
  page.SetSlotFileName("/pictures/a.bmp");
  page.SetSlotBitmap(test::GradientBitmap(4, 4));
  const TJPEGImage* before = &page.SlotHolder(7);
  EXPECT_FALSE(before->IsEmpty());
  page.ClearSlot();
  EXPECT_NE(&page.SlotHolder(7), before);
  EXPECT_TRUE(page.SlotHolder(7).IsEmpty());
  EXPECT_EQ(page.SlotFileName(7), "");
  // Clearing an empty slot leaves it empty.
  page.ClearSlot();
  EXPECT_TRUE(page.SlotHolder(7).IsEmpty());
}

TEST(PageTest, LinkFieldsTakeAnyValueAndClearGoesBackToTheInitialOnes) {
  TPage page;
  page.SelectLink(255);
  page.SetLinkField(TLinkField::Right, -100);
  page.SetLinkField(TLinkField::Bitmap, 100000);
  page.SetLinkField(TLinkField::Reserved, 42);
  EXPECT_EQ(page.Link(255), (TLinkRecord{-1, -1, -100, -1, -1, 42, 100000}));
  page.ClearLink();
  EXPECT_EQ(page.Link(255), TLinkRecord());
  page.SelectLink(3);
  page.ClearLink();
  EXPECT_EQ(page.Link(3), TLinkRecord());
}

TEST(PageTest, ASlotThatLoadedProgressiveDataEncodesItsNextBitmapProgressively) {
  // A progressive stream, made by a holder whose setting asks for it.
  TJPEGImage maker;
  maker.Settings().ProgressiveEncode = true;
  maker.AssignBitmap(test::GradientBitmap(16, 16));
  TMemoryStream progressive;
  maker.SaveJpeg(progressive);
  progressive.SetPosition(0);

  TPage page;
  page.SlotHolder(0).LoadJpeg(progressive);
  page.SetSlotBitmap(test::GradientBitmap(8, 8, 1));
  TMemoryStream saved;
  page.SlotHolder(0).SaveJpeg(saved);
  const auto bytes = saved.Bytes();
  bool progressiveFrame = false;
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC2) progressiveFrame = true;
  }
  EXPECT_TRUE(progressiveFrame);

  // A cleared slot starts again from the defaults.
  page.ClearSlot();
  EXPECT_FALSE(page.SlotHolder(0).Settings().ProgressiveEncode);
}

TEST(PageTest, NumbersOutsideTheSlotsAreRefusedNotUsed) {
  TPage page;
  page.SelectSlot(256);
  EXPECT_THROW(page.ClearSlot(), std::out_of_range);
  page.SelectLink(-1);
  EXPECT_THROW(page.SetLinkField(TLinkField::Left, 1), std::out_of_range);
}

}  // namespace
}  // namespace pm
