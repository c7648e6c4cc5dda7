#include "page/DocumentOverview.h"

#include <gtest/gtest.h>

#include "page/DocumentReading.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDocument.h"

namespace pm {
namespace {

using test::Link;

TEST(DocumentOverviewTest, CardsForPagesAndMissingPagesOneArrowForEachPairOfPages) {
  test::TempDir dir;
  const auto write = [&](int32_t number, const test::TestPage& page) {
    test::WriteTestPage(dir.File("p" + std::to_string(number) + ".pag"), page);
  };
  write(1, {.links = {{0, Link(1, 1, 10, 10, 2)},
                      {2, Link(20, 1, 30, 10, 2)},
                      {3, Link(-1, -1, -1, -1, 2)},  // names page 2 but can't be clicked
                      {4, Link(1, 20, 10, 30, 9)},   // dead
                      {5, Link(1, 30, 10, 40, -1)}}});
  write(2, {.links = {{7, Link(-1, -1, -1, -1, 3)}}});  // page 3 is named, never reached
  write(3, {});
  test::WriteFileBytes(dir.File("p4.pag"), {1, 2, 3});  // fails to load

  const TDocument document(dir.File("p%d.pag"));
  const TDocumentOverview overview = OverviewOf(document, ReadDocumentOutlines(document, {}));

  ASSERT_EQ(overview.cards.size(), 5u);
  const auto numbers = [&] {
    std::vector<int32_t> list;
    for (const TPageCard& card : overview.cards) list.push_back(card.number);
    return list;
  }();
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3, 4, 9}));
  const TPageCard& start = *overview.Card(1);
  EXPECT_TRUE(start.start);
  EXPECT_FALSE(start.unreachable);
  EXPECT_EQ(start.findings, 2u);  // the dead link and the link without a link page
  EXPECT_TRUE(overview.Card(3)->unreachable);
  EXPECT_TRUE(overview.Card(4)->loadFailed);
  EXPECT_TRUE(overview.Card(4)->unreachable);
  EXPECT_EQ(overview.Card(4)->findings, 2u);
  EXPECT_TRUE(overview.Card(9)->missing);
  EXPECT_EQ(overview.Card(9)->fileName, dir.File("p9.pag"));
  EXPECT_EQ(overview.Card(5), nullptr);

  ASSERT_EQ(overview.arrows.size(), 3u);
  EXPECT_EQ(overview.arrows[0].from, 1);
  EXPECT_EQ(overview.arrows[0].to, 2);
  EXPECT_EQ(overview.arrows[0].links, (std::vector<int32_t>{0, 2, 3}));
  EXPECT_TRUE(overview.arrows[0].followed);
  EXPECT_EQ(overview.arrows[1].to, 9);
  EXPECT_TRUE(overview.arrows[1].dead);
  EXPECT_EQ(overview.arrows[2].from, 2);
  EXPECT_FALSE(overview.arrows[2].followed);
  EXPECT_EQ(overview.LinkCount(), 5u);
  EXPECT_EQ(overview.findings.size(), 5u);
}

}  // namespace
}  // namespace pm
