// The document map as a person uses it: its cards and arrows laid out by Graphviz or in a grid,
// selecting and opening cards with the mouse and the keys, zooming, panning and dragging a card
// out.
#include "editor/document/DocumentMap.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>

#include "editor/document/PageDrag.h"
#include "tests/editor/MapDocument.h"

namespace pm {
namespace {

class DocumentMapTest : public ::testing::Test {
 protected:
  void ShowMap(const std::string& pattern) {
    snapshot = ReadDocumentSnapshot(pattern);
    ASSERT_NE(snapshot, nullptr);
    map.resize(900, 700);
    map.Show(snapshot);
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
  }
  QWidget* Viewport() { return map.viewport(); }
  // A page whose card is wholly in view.
  int32_t PageInView() {
    for (const TPageCard& card : snapshot->overview.cards) {
      if (Viewport()->rect().contains(*map.CardArea(card.number))) return card.number;
    }
    ADD_FAILURE() << "no card in view";
    return 0;
  }
  QPoint CentreOf(int32_t page) { return map.CardArea(page)->center(); }
  // A move with the left button held, as the window system sends it during a drag.
  void DragTo(QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, Viewport()->mapToGlobal(position), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &move);
  }
  void CtrlWheel(QPoint position, int notches) {
    QWheelEvent wheel(position, Viewport()->mapToGlobal(position), QPoint(),
                      QPoint(0, notches * 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
  }

  test::TempDir dir;
  std::shared_ptr<const TDocumentSnapshot> snapshot;
  TDocumentMap map;
};

TEST_F(DocumentMapTest, GraphvizPlacesEveryCardApartAndEveryArrowBetweenItsCards) {
  ShowMap(test::WriteMapDocument(dir));
  EXPECT_EQ(map.accessibleName(), QString::fromUtf8("地図"));
  EXPECT_TRUE(map.AllArrowsDrawn());
  EXPECT_EQ(map.ArrowsDrawn(), 5u);

  const TDocumentOverview& overview = snapshot->overview;
  const TMapLayout& layout = snapshot->layout;
  const QRectF whole(QPointF(0, 0), layout.size);
  for (size_t i = 0; i < layout.cards.size(); ++i) {
    EXPECT_TRUE(whole.contains(layout.cards[i])) << "card " << i;
    EXPECT_EQ(layout.cards[i].size(), QSizeF(kCardWidth, kCardHeight));
    for (size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(layout.cards[i].intersects(layout.cards[j])) << i << " and " << j;
    }
  }
  // Top to bottom: the start page above the page it leads to. Each arrow leaves its source
  // card and points at its target card.
  EXPECT_LT(layout.cards[0].center().y(), layout.cards[1].center().y());
  const auto cardOf = [&](int32_t number) {
    return layout.cards[static_cast<size_t>(overview.Card(number) - overview.cards.data())];
  };
  for (size_t i = 0; i < overview.arrows.size(); ++i) {
    const TPageArrow& arrow = overview.arrows[i];
    const TMapArrowPath& path = layout.arrows[i];
    EXPECT_TRUE(cardOf(arrow.from).adjusted(-3, -3, 3, 3).contains(path.line.pointAtPercent(0)))
        << i;
    EXPECT_TRUE(cardOf(arrow.to).adjusted(-3, -3, 3, 3).contains(path.head[0])) << i;
    EXPECT_FALSE(cardOf(arrow.from).contains(path.label)) << i;
  }
  EXPECT_EQ(ArrowLabel(overview.arrows[0]), "0, 1");
  EXPECT_EQ(ArrowLabel(TPageArrow{.from = 1, .to = 2, .links = {1, 2, 3, 4, 5}}),
            QString::fromUtf8("5 本"));

  // Fitted at first, at most at 100 %: every card in view.
  EXPECT_LE(map.Zoom(), 1.0);
  for (const TPageCard& card : overview.cards) {
    EXPECT_TRUE(Viewport()->rect().contains(*map.CardArea(card.number))) << card.number;
  }
  EXPECT_FALSE(map.CardArea(7));
  EXPECT_FALSE(map.grab().isNull());
}

TEST_F(DocumentMapTest, ALargeDocumentGoesInAGridInPageOrderWithOnlyTheSelectedPagesArrows) {
  ShowMap(test::WriteLinkedDocument(dir, 40, 5));  // 200 arrows
  EXPECT_FALSE(map.AllArrowsDrawn());
  EXPECT_TRUE(snapshot->layout.arrows.empty());
  EXPECT_EQ(map.ArrowsDrawn(), 0u);

  const std::vector<QRectF>& cards = snapshot->layout.cards;
  ASSERT_EQ(cards.size(), 40u);
  for (size_t i = 1; i < cards.size(); ++i) {
    const bool sameRow = cards[i].top() == cards[i - 1].top();
    EXPECT_TRUE(sameRow ? cards[i].left() > cards[i - 1].right()
                        : cards[i].top() > cards[i - 1].bottom())
        << i;
  }
  map.SelectPage(10);
  EXPECT_EQ(map.ArrowsDrawn(), 10u);  // 5 out, 5 in
  EXPECT_FALSE(map.grab().isNull());
  map.SelectPage(99);
  EXPECT_EQ(map.SelectedPage(), std::nullopt);
  EXPECT_EQ(map.ArrowsDrawn(), 0u);
}

TEST_F(DocumentMapTest, AClickSelectsADoubleClickOrEnterOpensAndTheKeysMoveTheSelection) {
  ShowMap(test::WriteLinkedDocument(dir, 40, 5));
  QSignalSpy selected(&map, &TDocumentMap::PageSelected);
  QSignalSpy activated(&map, &TDocumentMap::PageActivated);

  map.SelectPage(3);
  EXPECT_EQ(map.SelectedPage(), 3);
  EXPECT_TRUE(selected.isEmpty()) << "only a person's selection is told";

  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CentreOf(2));
  EXPECT_EQ(map.SelectedPage(), 2);
  ASSERT_EQ(selected.size(), 1);
  EXPECT_EQ(selected[0][0].toInt(), 2);

  QTest::keyClick(&map, Qt::Key_Right);
  EXPECT_EQ(map.SelectedPage(), 3);
  QTest::keyClick(&map, Qt::Key_Left);
  QTest::keyClick(&map, Qt::Key_Down);
  const QRect two = *map.CardArea(2);
  const QRect below = *map.CardArea(*map.SelectedPage());
  EXPECT_GT(below.top(), two.bottom());
  EXPECT_EQ(below.left(), two.left());
  EXPECT_EQ(selected.size(), 4);

  QTest::keyClick(&map, Qt::Key_Return);
  ASSERT_EQ(activated.size(), 1);
  EXPECT_EQ(activated[0][0].toInt(), *map.SelectedPage());
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, CentreOf(5));
  ASSERT_EQ(activated.size(), 2);
  EXPECT_EQ(activated[1][0].toInt(), 5);

  // The background selects nothing.
  const QPoint beside = map.CardArea(1)->topLeft() - QPoint(5, 5);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, beside);
  EXPECT_EQ(activated.size(), 2);
  EXPECT_EQ(map.SelectedPage(), 5);
}

TEST_F(DocumentMapTest, CtrlWheelZoomsAroundThePointerTheBackgroundPansAndFitShowsAll) {
  ShowMap(test::WriteLinkedDocument(dir, 40, 5));
  const double fitted = map.Zoom();
  EXPECT_LT(fitted, 1.0);

  // Page 20 is in the middle, where the map can be scrolled to keep it under the pointer.
  const QPoint pointer = CentreOf(20);
  CtrlWheel(pointer, 2);
  EXPECT_NEAR(map.Zoom(), fitted * 1.25 * 1.25, 1e-9);
  EXPECT_LE((map.CardArea(20)->center() - pointer).manhattanLength(), 2);

  map.SetZoom(1.0);
  const int scrolled = map.horizontalScrollBar()->value();
  const QRect shown = *map.CardArea(PageInView());
  const QPoint start(shown.right() + 20, shown.center().y());  // between two cards
  ASSERT_FALSE(map.PageAt(start));
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, start);
  DragTo(start - QPoint(120, 0));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, start - QPoint(120, 0));
  EXPECT_EQ(map.horizontalScrollBar()->value(), scrolled + 120);

  map.SetZoom(50);
  EXPECT_EQ(map.Zoom(), TDocumentMap::kMaxZoom);
  map.ZoomToFit();
  EXPECT_DOUBLE_EQ(map.Zoom(), fitted);
  for (int32_t page = 1; page <= 40; ++page) {
    EXPECT_TRUE(Viewport()->rect().contains(*map.CardArea(page))) << page;
  }
  // Fitting follows the area; shown first in a small area, the map stays readable instead.
  map.resize(400, 300);
  ASSERT_TRUE(QTest::qWaitFor([&] { return map.Zoom() < 0.3; }));
  TDocumentMap first;
  first.resize(400, 300);
  first.Show(snapshot);
  first.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
  EXPECT_DOUBLE_EQ(first.Zoom(), 0.4);
}

TEST_F(DocumentMapTest, ACardDraggedOutCarriesItsPageNumber) {
  ShowMap(test::WriteMapDocument(dir));
  std::vector<std::optional<int32_t>> dragged;
  map.SetDragStarter(
      [&](std::unique_ptr<QMimeData> data) { dragged.push_back(DraggedPageNumber(data.get())); });
  const QPoint card = CentreOf(9);  // a missing page can be linked to as well
  EXPECT_EQ(DraggedPageNumber(map.DragDataAt(card).get()), 9);
  EXPECT_EQ(map.DragDataAt(QPoint(1, 1)), nullptr);

  QTest::mousePress(Viewport(), Qt::LeftButton, {}, card);
  DragTo(card + QPoint(1, 0));
  EXPECT_TRUE(dragged.empty()) << "not yet a drag";
  DragTo(card + QPoint(QApplication::startDragDistance() + 1, 0));
  DragTo(card + QPoint(40, 0));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, card + QPoint(40, 0));
  EXPECT_EQ(dragged, (std::vector<std::optional<int32_t>>{9}));
  EXPECT_EQ(map.SelectedPage(), 9);
}

TEST_F(DocumentMapTest, AnotherSnapshotKeepsTheSelectionAndTheZoomWhereTheirCardsRemain) {
  const std::string pattern = test::WriteMapDocument(dir);
  ShowMap(pattern);
  map.SelectPage(3);
  map.SetCurrentPage(2);
  map.SetZoom(0.8);

  map.Show(ReadDocumentSnapshot(pattern));
  EXPECT_EQ(map.SelectedPage(), 3);
  EXPECT_DOUBLE_EQ(map.Zoom(), 0.8);

  std::filesystem::remove(dir.File("p3.pag"));
  map.Show(ReadDocumentSnapshot(pattern));
  EXPECT_EQ(map.SelectedPage(), std::nullopt);
  EXPECT_FALSE(map.CardArea(3));
  EXPECT_TRUE(map.CardArea(2));
}

}  // namespace
}  // namespace pm
