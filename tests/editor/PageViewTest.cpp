#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <limits>

#include "base/IntegerText.h"
#include "editor/PageViewOpener.h"
#include "tests/editor/PageViewDriver.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Rect;

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

class PageViewTest : public test::WindowTest {
 protected:
  PageViewTest() : view(window) {}

  void SetUp() override {
    WindowTest::SetUp();
    view.Open();
    // Room for the whole page at 100 %.
    view.View().resize(900, 720);
  }

  const TLinkRecord& Link(int32_t link) const { return window.Page().Link(link); }
  std::string StatusMessage() const {
    return view.View().statusBar()->currentMessage().toStdString();
  }

  // The colour that the drawing area shows at widget position `at`.
  QColor ShownColor(QPoint at) const { return view.Canvas()->grab().toImage().pixelColor(at); }

  test::PageViewDriver view;
};

TEST_F(PageViewTest, OpensFromTheMainWindowAsOneWindowThatComesToTheFront) {
  TPageView& opened = view.View();
  EXPECT_TRUE(opened.windowTitle().startsWith(QString::fromUtf8("ページ表示")));
  ASSERT_NE(view.Canvas(), nullptr);
  EXPECT_EQ(opened.Zoom(), 100);
  EXPECT_EQ(view.ScrollPosition(), QPoint(0, 0));
  EXPECT_EQ(view.Canvas()->size(), QSize(640, 480));  // the placeholder at 100 %
  EXPECT_FALSE(opened.isModal());
  EXPECT_NE(window.Image1->toolTip().indexOf(QString::fromUtf8("ダブルクリック")), -1);
  EXPECT_NE(window.Image2->toolTip().indexOf(QString::fromUtf8("ダブルクリック")), -1);

  // A double-click on either image box brings the same window back to the front.
  for (TImage* box : {window.Image1, window.Image2}) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWindow* handle = window.windowHandle();
    QTest::mouseDClick(handle, Qt::LeftButton, {},
                       handle->mapFromGlobal(box->mapToGlobal(box->rect().center())));
    EXPECT_EQ(window.PageViewOpener().View(), &opened);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&opened)) << box->objectName().toStdString();
  }

  // The context menu of a panel offers the same command, and the document window's.
  opened.close();
  QStringList offered;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) offered << action->text();
    menu->actions().first()->trigger();
    menu->close();
  });
  const QPoint inPanel(600, 100);
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inPanel,
                               window.Panel2->mapToGlobal(inPanel));
  QApplication::sendEvent(window.Panel2, &rightClick);
  EXPECT_EQ(offered, (QStringList{QString::fromUtf8("ページ表示を開く\tCtrl+L"),
                                  QString::fromUtf8("ドキュメントを開く\tCtrl+D")}));
  EXPECT_TRUE(opened.isVisible());
}

TEST_F(PageViewTest, KeepsItsPlaceAndClosesWithTheMainWindow) {
  TPageView& opened = view.View();
  opened.setGeometry(QRect(QPoint(50, 60), QSize(500, 400)));
  const QRect placed = opened.geometry();
  opened.close();
  EXPECT_FALSE(opened.isVisible());
  view.Open();
  EXPECT_EQ(opened.geometry(), placed);

  window.close();
  EXPECT_FALSE(opened.isVisible());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(PageViewTest, DrawingGivesTheCurrentLinkItsRectangleOrElseTheFirstLinkWithoutOne) {
  view.ActivateMainWindow();
  person.SetLink(0, Rect(-1, -1, -1, -1, {.LinkPage = 4, .Reserved = 0, .Bitmap = 2}));
  view.Drag({10, 20}, {60, 50});
  EXPECT_EQ(Link(0), Rect(10, 20, 60, 50, {.LinkPage = 4, .Reserved = 0, .Bitmap = 2}));
  // The main window shows it as if the edges had been typed and "更新" pressed.
  EXPECT_EQ(person.ShownLink(), Link(0));

  // Link 0 has a rectangle now: a drawing, here from bottom-right to top-left, goes to link 1.
  view.Drag({100, 100}, {40, 70});
  EXPECT_EQ(Link(1), Rect(40, 70, 100, 100));
  EXPECT_EQ(window.Page().CurrentLink(), 1);
  EXPECT_EQ(window.Edit7->Text(), "1");
  EXPECT_EQ(window.UpDown2->Position(), 1);
  EXPECT_EQ(person.ShownLink(), Link(1));

  // Too short a drag each way draws nothing; a long one in one direction does.
  view.Drag({300, 300}, {302, 302});
  EXPECT_FALSE(Link(2).HasRectangle());
  EXPECT_EQ(window.Page().CurrentLink(), 1);
  view.Drag({300, 300}, {330, 301});
  EXPECT_EQ(Link(2), Rect(300, 300, 330, 301));

  // A drawing past the page's edge ends at the edge.
  view.Drag({600, 400}, {700, 500});
  EXPECT_EQ(Link(3), Rect(600, 400, 640, 480));
}

TEST_F(PageViewTest, WhenEveryLinkHasARectangleNothingIsDrawnAndTheStatusLineSaysSo) {
  for (int32_t link = 0; link < kLinkCount; ++link) {
    view.SetLinkElsewhere(link, Rect(0, 0, 1, 1));
  }
  const TPage::Links before = window.Page().AllLinks();
  view.Drag({100, 100}, {200, 200});
  EXPECT_EQ(window.Page().AllLinks(), before);
  EXPECT_EQ(StatusMessage(), kEveryLinkTakenMessage);
}

TEST_F(PageViewTest, AClickPicksTheTopmostLinkAndADragInsideMovesIt) {
  view.SetLinkElsewhere(3, Rect(10, 10, 100, 100));
  view.SetLinkElsewhere(7, Rect(50, 50, 150, 150));
  view.Click(60, 60);
  EXPECT_EQ(window.Page().CurrentLink(), 7);
  EXPECT_EQ(window.Edit7->Text(), "7");
  view.Click(20, 20);
  EXPECT_EQ(window.Page().CurrentLink(), 3);
  EXPECT_EQ(person.ShownLink(), Link(3));

  view.Drag({20, 20}, {45, 35});
  EXPECT_EQ(Link(3), Rect(35, 25, 125, 115));
  EXPECT_EQ(person.ShownLink(), Link(3));
  // A link that lies on the page stays on it.
  view.Drag({40, 40}, {0, 0});
  EXPECT_EQ(Link(3), Rect(0, 0, 90, 90));
  EXPECT_EQ(Link(7), Rect(50, 50, 150, 150));
}

TEST_F(PageViewTest, HandlesResizeTheCurrentLinkAndPastTheOppositeEdgeItTurnsAround) {
  view.SetLinkElsewhere(0, Rect(10, 10, 100, 100));
  view.Drag({100, 100}, {150, 130});  // the bottom-right corner
  EXPECT_EQ(Link(0), Rect(10, 10, 150, 130));
  view.Drag({10, 70}, {200, 70});  // the left edge, past the right one
  EXPECT_EQ(Link(0), Rect(150, 10, 200, 130));
  EXPECT_EQ(person.ShownLink(), Link(0));
}

TEST_F(PageViewTest, ArrowKeysNudgeAndCtrlArrowsMoveTheRightOrBottomEdge) {
  view.SetLinkElsewhere(0, Rect(10, 10, 20, 20));
  view.Key(Qt::Key_Right);
  EXPECT_EQ(Link(0), Rect(11, 10, 21, 20));
  view.Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Link(0), Rect(11, 20, 21, 30));
  view.Key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(11, 20, 20, 30));
  view.Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(11, 20, 20, 31));
  EXPECT_EQ(person.ShownLink(), Link(0));

  // At the page's edge a nudge goes no further.
  view.SetLinkElsewhere(0, Rect(0, 5, 10, 15));
  view.Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Link(0), Rect(0, 5, 10, 15));
}

TEST_F(PageViewTest, DeleteClearsTheWholeLinkAsTheMainWindowsDeleteDoes) {
  const TLinkRecord stored{
      .Left = 5, .Top = 6, .Right = 50, .Bottom = 60, .LinkPage = 7, .Reserved = 9, .Bitmap = 3};
  view.SetLinkElsewhere(2, stored);
  view.Click(20, 20);
  view.Key(Qt::Key_Delete);
  EXPECT_EQ(Link(2), TLinkRecord());
  EXPECT_EQ(person.ShownLink(), TLinkRecord());
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(2), stored);
}

TEST_F(PageViewTest, UndoAndRedoStepThroughEveryChangeWithoutMovingTheView) {
  view.Drag({10, 10}, {110, 60});                       // draw link 0
  view.Drag({50, 30}, {70, 50});                        // move it
  for (int i = 0; i < 3; ++i) view.Key(Qt::Key_Right);  // one step
  view.Key(Qt::Key_Down, Qt::ControlModifier);          // the same run
  const TLinkRecord drawn = Rect(10, 10, 110, 60);
  const TLinkRecord moved = Rect(30, 30, 130, 80);
  const TLinkRecord nudged = Rect(33, 30, 133, 81);
  ASSERT_EQ(Link(0), nudged);

  view.Key(Qt::Key_Plus, Qt::ControlModifier);
  view.Key(Qt::Key_Plus, Qt::ControlModifier);
  view.ScrollTo({90, 70});
  const int zoom = view.View().Zoom();
  const QPoint scrolled = view.ScrollPosition();
  ASSERT_NE(zoom, 100);
  ASSERT_EQ(scrolled, QPoint(90, 70));

  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(0), moved);
  EXPECT_EQ(person.ShownLink(), moved);
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(0), drawn);
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(Link(0).HasRectangle());
  EXPECT_EQ(person.ShownLink(), TLinkRecord());
  view.Key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(Link(0), drawn);
  view.Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Link(0), moved);
  view.Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Link(0), nudged);
  EXPECT_EQ(view.View().Zoom(), zoom);
  EXPECT_EQ(view.ScrollPosition(), scrolled);

  // A click ends a run of nudges: the next run is a step of its own.
  view.Key(Qt::Key_Up);
  view.Click(100, 50);
  view.Key(Qt::Key_Up);
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(33, 29, 133, 80));
}

TEST_F(PageViewTest, UndoLeavesAlonePartsThatTheMainWindowChangedSince) {
  view.Drag({10, 10}, {110, 60});
  // The main window changes the link page: undoing the drawing keeps it.
  view.ActivateMainWindow();
  person.TypeInto(window.Edit10, "12");
  person.Click(window.Button3);
  view.Activate();
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(-1, -1, -1, -1, {.LinkPage = 12, .Reserved = 0, .Bitmap = -1}));
  view.Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(10, 10, 110, 60, {.LinkPage = 12, .Reserved = 0, .Bitmap = -1}));

  // The main window moves the edges: the step no longer applies and changes nothing.
  view.ActivateMainWindow();
  person.SetLink(0, Rect(1, 2, 3, 4));
  view.Activate();
  view.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Link(0), Rect(1, 2, 3, 4));
  EXPECT_NE(StatusMessage().find("リンク 0"), std::string::npos);
}

TEST_F(PageViewTest, LoadingAPageFileClearsTheHistory) {
  view.Drag({10, 10}, {110, 60});
  const std::string file = dir.File("page.pag");
  view.ActivateMainWindow();
  person.Save(file);
  view.Activate();
  view.Drag({200, 200}, {250, 250});
  ASSERT_TRUE(view.View().History().canUndo());
  view.ActivateMainWindow();
  person.Load(file);
  EXPECT_FALSE(view.View().History().canUndo());
  EXPECT_FALSE(view.View().History().canRedo());
  EXPECT_EQ(Link(0), Rect(10, 10, 110, 60));
  EXPECT_FALSE(Link(1).HasRectangle());
}

TEST_F(PageViewTest, ThePointerLandsOnTheRightPagePixelAtEveryZoom) {
  view.Key(Qt::Key_Plus, Qt::ControlModifier);  // 150 %
  view.Key(Qt::Key_Plus, Qt::ControlModifier);  // 200 %
  view.Key(Qt::Key_Plus, Qt::ControlModifier);  // 300 %
  ASSERT_EQ(view.View().Zoom(), 300);
  view.ScrollTo({0, 0});
  EXPECT_EQ(view.Canvas()->size(), QSize(1920, 1440));
  TPageCanvas* canvas = view.Canvas();
  const TPageViewTransform transform = canvas->Transform();
  // Every widget pixel of page pixel 13 names it, and the next one names pixel 14.
  for (int offset = 0; offset < 3; ++offset) {
    EXPECT_EQ(transform.PageAt(QPointF(39 + offset, 21 + offset)), (TPagePoint{13, 7}));
  }
  EXPECT_EQ(transform.PageAt(QPointF(42, 24)), (TPagePoint{14, 8}));

  view.Drag({13, 7}, {41, 29});
  EXPECT_EQ(Link(0), Rect(13, 7, 41, 29));
  QTest::mouseMove(
      canvas->window()->windowHandle(),
      canvas->window()->windowHandle()->mapFromGlobal(canvas->mapToGlobal(QPoint(44, 23))));
  EXPECT_EQ(view.View().PointerText(), "14, 7");

  view.Key(Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(view.View().Zoom(), 100);
  for (int i = 0; i < 10; ++i) view.Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(view.View().Zoom(), 25);
  for (int i = 0; i < 12; ++i) view.Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(view.View().Zoom(), 800);
}

TEST_F(PageViewTest, CtrlWheelZoomsAroundThePointer) {
  view.ScrollTo({0, 0});
  const QPoint pointer = view.At(100, 80);
  QWindow* handle = view.Canvas()->window()->windowHandle();
  const QPoint inWindow = handle->mapFromGlobal(view.Canvas()->mapToGlobal(pointer));
  QWheelEvent wheel(pointer, view.Canvas()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.Canvas(), &wheel);
  EXPECT_EQ(view.View().Zoom(), 150);
  // The page pixel under the pointer stays under it.
  const QPoint after = view.Canvas()->mapFromGlobal(handle->mapToGlobal(inWindow));
  EXPECT_EQ(view.Canvas()->Transform().PageAt(after), (TPagePoint{100, 80}));
}

TEST_F(PageViewTest, WhatTheMainWindowChangesShowsAtOnce) {
  const std::string red = BmpFile("red.bmp", test::SolidBitmap(20, 10, TColor{255, 0, 0}));
  view.ActivateMainWindow();
  person.ImportSlot(1, red);
  person.SetLink(0, Rect(20, 20, 80, 60, {.LinkPage = -1, .Reserved = 0, .Bitmap = 1}));
  EXPECT_EQ(ShownColor(view.At(50, 40)), QColor(255, 0, 0));
  EXPECT_EQ(view.View().LinkText().toStdString(),
            "リンク 0: 左 20, 上 20, 右 80, 下 60 (60 × 40), リンクページ -1, スロット 1");
  view.View().SlotPicturesAction()->setChecked(false);
  EXPECT_EQ(ShownColor(view.At(50, 40)), QColor(255, 255, 255));
  view.View().SlotPicturesAction()->setChecked(true);

  // Clearing the slot takes the picture away; another link number becomes the current link.
  person.SelectSlot(1);
  person.Click(window.BitBtn2);
  EXPECT_EQ(ShownColor(view.At(50, 40)), QColor(255, 255, 255));
  person.SelectLink(9);
  EXPECT_TRUE(view.View().LinkText().startsWith(QString::fromUtf8("リンク 9: 矩形なし")));

  // A new background gives the page its size.
  person.ImportBackground(BmpFile("wide.bmp", test::SolidBitmap(900, 300, TColor{0, 0, 255})));
  EXPECT_EQ(view.Canvas()->size(), QSize(900, 300));
  EXPECT_EQ(ShownColor(view.At(850, 250)), QColor(0, 0, 255));
}

TEST_F(PageViewTest, AbsurdLinksDrawAndCanBePickedAndRepaired) {
  view.SetLinkElsewhere(0, Rect(kLowest, 10, kHighest, 50));
  view.SetLinkElsewhere(1, Rect(300, 200, 100, 100));  // Right and Bottom before Left and Top
  view.SetLinkElsewhere(2, Rect(kHighest - 5, kHighest - 5, kHighest, kHighest));
  view.SetLinkElsewhere(3, Rect(kLowest, kLowest, kLowest + 1, kLowest + 1));
  EXPECT_FALSE(view.Canvas()->grab().isNull());

  view.Click(320, 30);
  EXPECT_EQ(window.Page().CurrentLink(), 0);
  EXPECT_EQ(view.View().LinkText().toStdString(),
            "リンク 0: 左 -2147483648, 上 10, 右 2147483647, 下 50 (4294967295 × 40), "
            "リンクページ -1, スロット -1");
  // Its side handles lie at the page's edges; dragging them brings the edges onto the page.
  view.Drag({0, 30}, {50, 30});
  EXPECT_EQ(Link(0), Rect(50, 10, kHighest, 50));
  view.Drag({639, 30}, {300, 30});
  EXPECT_EQ(Link(0), Rect(50, 10, 301, 50));

  view.Click(200, 150);
  EXPECT_EQ(window.Page().CurrentLink(), 1);
  view.Key(Qt::Key_Right);
  EXPECT_EQ(Link(1), Rect(301, 200, 101, 100));

  // Links beside the page are selected in the main window and go no further than they can.
  view.ActivateMainWindow();
  person.SelectLink(2);
  view.Activate();
  view.Key(Qt::Key_Right, Qt::ShiftModifier);
  view.Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Link(2), Rect(kHighest - 5, kHighest - 5, kHighest, kHighest));
  view.Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Link(2), Rect(kHighest - 15, kHighest - 5, kHighest - 10, kHighest));
  view.ActivateMainWindow();
  person.SelectLink(3);
  view.Activate();
  view.Key(Qt::Key_Up);
  EXPECT_EQ(Link(3), Rect(kLowest, kLowest, kLowest + 1, kLowest + 1));
  view.Key(Qt::Key_Delete);
  EXPECT_EQ(Link(3), TLinkRecord());
  EXPECT_FALSE(view.Canvas()->grab().isNull());
}

}  // namespace
}  // namespace pm
