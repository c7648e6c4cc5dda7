#include "page/DocumentChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "page/DocumentReach.h"
#include "page/DocumentReading.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDocument.h"

namespace pm {
namespace {

using test::Link;
using Found = std::tuple<std::string, int32_t, int32_t>;  // kind, page, link (-1: none)

class DocumentChecksTest : public ::testing::Test {
 protected:
  void Write(int32_t number, const test::TestPage& page) {
    test::WriteTestPage(dir.File("p" + std::to_string(number) + ".pag"), page);
  }

  std::vector<TFinding> Check(std::optional<int32_t> start = std::nullopt) {
    const TDocument document(dir.File("p%d.pag"), start);
    return CheckDocument(document, ReadDocumentOutlines(document, {}));
  }

  static std::vector<Found> Kinds(const std::vector<TFinding>& findings) {
    std::vector<Found> kinds;
    for (const auto& f : findings) {
      kinds.emplace_back(std::string(FindingKindName(f.kind)), f.page, f.link.value_or(-1));
    }
    return kinds;
  }

  test::TempDir dir;
};

TEST_F(DocumentChecksTest, CleanDocumentHasNoFinding) {
  // Rectangles that touch the background's edges, one drawn right to left, links without a
  // rectangle or a slot, a link back to its own page: nothing to report.
  Write(1, {.slots = {3},
            .links = {{0, Link(0, 0, 64, 48, 2, 3)},
                      {1, Link(10, 10, 5, 5, 2)},
                      {2, Link(-1, -1, -1, -1, 1)},
                      {5, Link(1, 1, 2, 2, 1)}}});
  Write(2, {.links = {{0, Link(20, 20, 30, 30, 1)}}});
  const auto findings = Check();
  ASSERT_EQ(findings.size(), 1u);  // the rectangle drawn right to left
  EXPECT_EQ(findings[0].kind, TFindingKind::InvertedRectangle);

  Write(1, {.slots = {3}, .links = {{0, Link(0, 0, 64, 48, 2, 3)}}});
  EXPECT_TRUE(Check().empty());
}

TEST_F(DocumentChecksTest, EachProblemIsFoundWithItsPageAndLink) {
  Write(1, {.slots = {4},
            .links = {{0, Link(1, 1, 10, 10, 2)},
                      {3, Link(1, 1, 10, 10, -1)},           // no link page
                      {4, Link(1, 1, 10, 10, 9)},            // page 9 has no file
                      {6, Link(1, 1, 10, 10, 2, 5)},         // slot 5 is empty
                      {7, Link(1, 1, 10, 10, 2, 256)},       // no such slot
                      {8, Link(-1, -1, -1, -1, 2, -2)},      // no rectangle, no such slot
                      {9, Link(30, 1, 10, 10, 2)},           // Right < Left
                      {10, Link(1, 30, 10, 10, 2)},          // Bottom < Top
                      {11, Link(50, 40, 70, 47, 2, 4)},      // partly outside
                      {12, Link(100, 100, 120, 120, 2)}}});  // wholly outside
  Write(2, {.links = {{0, Link(1, 1, 10, 10, 1)}}});
  Write(3, {});                                         // reached by no link
  test::WriteFileBytes(dir.File("p4.pag"), {1, 2, 3});  // can't be loaded
  Write(5, {.links = {{0, Link(1, 1, 10, 10, 1)}}});    // leads back, but none leads here

  const auto findings = Check();
  EXPECT_EQ(Kinds(findings), (std::vector<Found>{
                                 {"no-target", 1, 3},
                                 {"dead-link", 1, 4},
                                 {"bad-slot", 1, 6},
                                 {"bad-slot", 1, 7},
                                 {"bad-slot", 1, 8},
                                 {"inverted-rectangle", 1, 9},
                                 {"inverted-rectangle", 1, 10},
                                 {"outside-background", 1, 11},
                                 {"outside-background", 1, 12},
                                 {"unreachable", 3, -1},
                                 {"load-failed", 4, -1},
                                 {"unreachable", 4, -1},
                                 {"unreachable", 5, -1},
                             }));
  EXPECT_EQ(findings[1].message, "leads to page 9, which has no file (" + dir.File("p9.pag") + ")");
  EXPECT_EQ(findings[2].message, "names slot 5, which is empty");
  EXPECT_EQ(findings[3].message, "names slot 256, outside 0 to 255");
  EXPECT_EQ(findings[5].message, "rectangle 30, 1, 10, 10 has Right < Left");
  EXPECT_NE(findings[7].message.find("partly outside the background (the background is 64 x 48)"),
            std::string::npos);
  EXPECT_NE(findings[8].message.find("wholly outside"), std::string::npos);
  // The editor's own message, with its full stop.
  EXPECT_EQ(findings[10].message, "ストリームからの読み込みエラー.");

  // What front ends word themselves: the link as stored, where a rectangle lies, the start.
  EXPECT_EQ(findings[1].record.LinkPage, 9);
  EXPECT_EQ(findings[2].record.Bitmap, 5);
  EXPECT_EQ(findings[7].placement, TAreaPlacement::PartlyOutside);
  EXPECT_EQ(findings[7].background, (TPageSize{64, 48}));
  EXPECT_EQ(findings[7].record, Link(50, 40, 70, 47, 2, 4));
  EXPECT_EQ(findings[8].placement, TAreaPlacement::WhollyOutside);
  EXPECT_EQ(findings[9].startPage, 1);
}

TEST_F(DocumentChecksTest, OnlyLinksThatCanBeClickedReachPages) {
  Write(1, {.links = {{0, Link(1, 1, 10, 10, 2)},
                      {1, Link(-1, -1, -1, -1, 3)},         // no rectangle
                      {2, Link(100, 100, 120, 120, 4)}}});  // off the background
  Write(2, {.links = {{0, Link(1, 1, 10, 10, 5)}}});        // a chain: 1 → 2 → 5
  Write(3, {});
  Write(4, {});
  Write(5, {.links = {{0, Link(1, 1, 10, 10, 1)}}});

  const TDocument document(dir.File("p%d.pag"));
  const auto outlines = ReadDocumentOutlines(document, {});
  EXPECT_EQ(ReachablePages(document, outlines), (std::set<int32_t>{1, 2, 5}));

  // From another start, the pages it reaches.
  const TDocument fromFive(dir.File("p%d.pag"), 5);
  EXPECT_EQ(ReachablePages(fromFive, outlines), (std::set<int32_t>{1, 2, 5}));
  const TDocument fromThree(dir.File("p%d.pag"), 3);
  EXPECT_EQ(ReachablePages(fromThree, outlines), (std::set<int32_t>{3}));
}

}  // namespace
}  // namespace pm
