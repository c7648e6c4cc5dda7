// Which links a reader sees on a page and which slot picture each shows: the rules that the web
// site and the editor's reading mode share.
#include "page/PageOutline.h"

#include <gtest/gtest.h>

#include "tests/support/TestDocument.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Link;

TEST(PageOutlineTest, ALinkIsDrawnWhenSomeOfItsRectangleLiesOnTheBackground) {
  TPage page;
  page.SetBackgroundBitmap(test::SolidBitmap(100, 50, TColor{0, 0, 0}));
  page.SetSlotBitmap(3, test::SolidBitmap(4, 4, TColor{255, 0, 0}));
  const TPageOutline outline = OutlineOf({1, "p1.pag"}, page);

  EXPECT_TRUE(LinkIsDrawn(outline, Link(10, 10, 20, 20, 2)));
  EXPECT_TRUE(LinkIsDrawn(outline, Link(90, 40, 200, 300, 2)));  // partly beside the page
  EXPECT_TRUE(LinkIsDrawn(outline, Link(20, 20, 10, 10, 2)));    // edges the other way round
  EXPECT_FALSE(LinkIsDrawn(outline, Link(100, 0, 150, 50, 2)));  // wholly beside it
  EXPECT_FALSE(LinkIsDrawn(outline, Link(10, 10, 10, 20, 2)));   // no width
  EXPECT_FALSE(LinkIsDrawn(outline, Link(-1, -1, -1, -1, 2)));   // no rectangle
  EXPECT_FALSE(LinkIsDrawn(outline, Link(10, -1, 20, 20, 2)));   // one edge unset

  // The slot picture of a drawn link: only a stored slot's.
  EXPECT_EQ(DrawnLinkSlot(outline, Link(10, 10, 20, 20, 2, 3)), 3);
  EXPECT_EQ(DrawnLinkSlot(outline, Link(10, 10, 20, 20, 2, 4)), std::nullopt);    // empty slot
  EXPECT_EQ(DrawnLinkSlot(outline, Link(10, 10, 20, 20, 2, 300)), std::nullopt);  // no slot
  EXPECT_EQ(DrawnLinkSlot(outline, Link(10, 10, 20, 20, 2, -1)), std::nullopt);
  EXPECT_EQ(DrawnLinkSlot(outline, Link(100, 0, 150, 50, 2, 3)), std::nullopt);  // not drawn

  // A page without a background shows no links at all.
  TPage bare;
  EXPECT_FALSE(LinkIsDrawn(OutlineOf({2, "p2.pag"}, bare), Link(10, 10, 20, 20, 1)));
}

}  // namespace
}  // namespace pm
