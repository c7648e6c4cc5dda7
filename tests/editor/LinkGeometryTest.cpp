// The rules that keep the page view's edits within what a link can hold: no edge becomes -1 (a
// link without a rectangle), nothing leaves the 32-bit range, sides on the page stay on it.
#include <gtest/gtest.h>

#include <limits>

#include "editor/LinkGeometry.h"

namespace pm {
namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
constexpr TPageSize kPage{640, 480};

TLinkRecord Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TLinkRecord{.Left = left,
                     .Top = top,
                     .Right = right,
                     .Bottom = bottom,
                     .LinkPage = 3,
                     .Reserved = 5,
                     .Bitmap = 7};
}

TEST(LinkGeometryTest, MovesStopAtThePageAndAtTheLimitsAndNeverLandOnMinusOne) {
  EXPECT_EQ(Moved(Rect(10, 10, 20, 20), -50, 500, kPage), Rect(0, 470, 10, 480));
  // Beside the page only the 32-bit range holds it.
  EXPECT_EQ(Moved(Rect(kHighest - 5, 0, kHighest, 10), 100, 0, kPage),
            Rect(kHighest - 5, 0, kHighest, 10));
  EXPECT_EQ(Moved(Rect(kLowest, 0, kLowest + 9, 10), -1, 0, kPage),
            Rect(kLowest, 0, kLowest + 9, 10));
  // A link partly before the page that would stop with an edge at -1 goes one pixel further.
  EXPECT_EQ(Moved(Rect(-6, -3, 4, 7), 5, 2, kPage), Rect(0, 0, 10, 10));
  EXPECT_EQ(Moved(Rect(-6, 0, -2, 7), 1, 0, kPage), Rect(-4, 0, 0, 7));
  // A move keeps Right before Left where it was so, and every other field.
  EXPECT_EQ(Moved(Rect(300, 200, 100, 100), 1, 1, kPage), Rect(301, 201, 101, 101));
}

TEST(LinkGeometryTest, EndsMoveAloneAndNeitherPassTheStartNorLeaveThePage) {
  EXPECT_EQ(EndsMoved(Rect(10, 10, 20, 20), 1, -1, kPage), Rect(10, 10, 21, 19));
  EXPECT_EQ(EndsMoved(Rect(10, 10, 10, 10), -1, -1, kPage), Rect(10, 10, 10, 10));
  EXPECT_EQ(EndsMoved(Rect(0, 0, 640, 480), 1, 1, kPage), Rect(0, 0, 640, 480));
  EXPECT_EQ(EndsMoved(Rect(0, 0, kHighest, 0), 1, 0, kPage), Rect(0, 0, kHighest, 0));
  EXPECT_EQ(EndsMoved(Rect(-9, -9, 0, 0), -1, -1, kPage), Rect(-9, -9, 0, 0));
}

TEST(LinkGeometryTest, DrawingsAndHandlesKeepToThePageAndPutTheEdgesInOrder) {
  EXPECT_EQ(Drawn(Rect(-1, -1, -1, -1), {700, -20}, {600, 100}, kPage), Rect(600, 0, 640, 100));
  EXPECT_FALSE(Drawn(Rect(-1, -1, -1, -1), {10, 10}, {12, 8}, kPage));
  EXPECT_TRUE(Drawn(Rect(-1, -1, -1, -1), {10, 10}, {13, 10}, kPage));
  // A handle of a side beside the page is where the side meets the page's edge.
  EXPECT_EQ(SidesMoved(Rect(kLowest, 10, kHighest, 20), kLeftSide | kRightSide, 5, 0, kPage),
            Rect(5, 10, 640, 20));
  EXPECT_EQ(SidesMoved(Rect(10, 10, 100, 100), kRightSide | kBottomSide, -200, -30, kPage),
            Rect(0, 10, 10, 70));
  // A link wholly beside the page has no handles to move.
  EXPECT_EQ(SidesMoved(Rect(1000, 10, 2000, 20), kLeftSide, -900, 0, kPage),
            Rect(1000, 10, 2000, 20));
}

TEST(LinkGeometryTest, ALinkWithoutWidthOrHeightCanStillBePicked) {
  EXPECT_TRUE(LinkContains(Rect(10, 10, 10, 30), {10, 20}));
  EXPECT_FALSE(LinkContains(Rect(10, 10, 10, 30), {11, 20}));
  EXPECT_TRUE(LinkContains(Rect(30, 30, 10, 10), {10, 10}));
  EXPECT_FALSE(LinkContains(Rect(30, 30, 10, 10), {30, 10}));
  EXPECT_TRUE(LinkContains(Rect(kLowest, kLowest, kHighest, kHighest), {0, 0}));
}

}  // namespace
}  // namespace pm
