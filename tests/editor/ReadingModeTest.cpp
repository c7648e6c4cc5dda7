// Reading mode in the page view: a document of three page files read as a reader will, through
// real clicks, keys and pointer moves.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QStatusBar>
#include <QTest>
#include <QWindow>
#include <fstream>

#include "editor/EditedPage.h"
#include "editor/PageViewOpener.h"
#include "editor/reading/ReadingCanvas.h"
#include "editor/reading/ReadingMode.h"
#include "page/PageFile.h"
#include "tests/editor/PageViewDriver.h"
#include "tests/editor/ScriptedQuestions.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Rect;

const TColor kRed{255, 0, 0};
const TColor kGreen{0, 255, 0};
const TColor kBlue{0, 0, 255};
const TColor kYellow{255, 255, 0};
constexpr int kSlot = 1;  // the slot whose picture the links show

TLinkRecord LinkTo(int32_t page, int32_t left, int32_t top, int32_t bottom = 40) {
  return Rect(left, top, left + 50, bottom, {.LinkPage = page, .Reserved = 0, .Bitmap = kSlot});
}

class ReadingModeTest : public test::WindowTest {
 protected:
  ReadingModeTest() : view(window) {}

  void SetUp() override {
    WindowTest::SetUp();
    // Page 1: link 0 → page 2, link 1 → page 9 (no file), link 2 → page 3, link 5 leads
    // nowhere, link 7 lies beside the background.
    WritePage(1, kRed,
              {{0, LinkTo(2, 10, 10)},
               {1, LinkTo(9, 100, 10)},
               {2, LinkTo(3, 10, 60, 90)},
               {5, LinkTo(-1, 100, 60, 90)},
               {7, LinkTo(2, 500, 500, 540)}});
    WritePage(2, kGreen, {{0, LinkTo(1, 10, 10)}, {3, LinkTo(3, 100, 10)}});
    WritePage(3, kBlue, {{0, LinkTo(1, 10, 10)}});
    person.Load(Page(1));
    view.Open();
    view.View().resize(900, 720);
  }

  std::string Page(int32_t number) const {
    return dir.File("page" + std::to_string(number) + ".pag");
  }

  void WritePage(int32_t number, TColor color,
                 const std::vector<std::pair<int32_t, TLinkRecord>>& links) {
    TPage page;
    page.SetBackgroundBitmap(test::SolidBitmap(200, 150, color));
    page.SetSlotBitmap(kSlot, test::SolidBitmap(10, 10, kYellow));
    for (const auto& [link, record] : links) page.SetLink(link, record);
    WritePageFile(page, Page(number));
  }

  TReadingMode& Reading() { return view.View().Reading(); }
  TReadingCanvas* Canvas() { return Reading().Canvas(); }
  TReadingLink* LinkWidget(int32_t link) { return Canvas()->LinkWidget(link); }
  std::string StatusMessage() const {
    return view.View().statusBar()->currentMessage().toStdString();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void PointAt(QWidget* widget, QPoint at) {
    QWindow* handle = view.View().windowHandle();
    QTest::mouseMove(handle, handle->mapFromGlobal(widget->mapToGlobal(at)));
  }
  void Click(int32_t link) {
    ASSERT_NE(LinkWidget(link), nullptr) << "link " << link;
    test::ClickThroughWindowSystem(LinkWidget(link));
  }
  // The colour shown in the middle of link N, and at a page pixel.
  QColor ColorInLink(int32_t link) {
    return Canvas()->grab().toImage().pixelColor(LinkWidget(link)->geometry().center());
  }
  QColor ColorAt(int64_t x, int64_t y) {
    const QPointF at = Canvas()->Transform().WidgetPoint({x, y});
    return Canvas()->grab().toImage().pixelColor(at.toPoint());
  }
  static bool Near(const QColor& shown, TColor expected) {
    constexpr int kJpegTolerance = 12;
    return std::abs(shown.red() - expected.red) <= kJpegTolerance &&
           std::abs(shown.green() - expected.green) <= kJpegTolerance &&
           std::abs(shown.blue() - expected.blue) <= kJpegTolerance;
  }
  std::vector<std::string> LinkNames() {
    std::vector<std::string> names;
    for (const TReadingLink* link : Canvas()->Links()) {
      names.push_back(link->accessibleName().toStdString());
    }
    return names;
  }

  test::PageViewDriver view;
  test::ScriptedQuestions questions;
};

TEST_F(ReadingModeTest, F5ReadsTheEditedPageAndEscReturnsToEditingAsItWasLeft) {
  // An editing view with its own zoom, scroll position, current link and a step to undo.
  view.Drag({20, 100}, {120, 140});  // draws link 3, not saved
  view.Key(Qt::Key_Plus, Qt::ControlModifier);
  view.Key(Qt::Key_Plus, Qt::ControlModifier);
  view.ScrollTo({40, 30});
  const int zoom = view.View().Zoom();
  const QPoint scrolled = view.ScrollPosition();
  const int32_t current = window.Page().CurrentLink();
  ASSERT_TRUE(view.View().History().canUndo());

  view.Key(Qt::Key_F5);
  ASSERT_TRUE(Reading().Reading());
  EXPECT_TRUE(Canvas()->isVisible());
  EXPECT_FALSE(view.Canvas()->isVisible());
  EXPECT_TRUE(Reading().ShowsEditedPage());
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_EQ(Reading().StatusText().toStdString(),
            "閲覧中: ページ 1 (page1.pag) — 編集中のページ (保存していない変更を含む)");
  EXPECT_EQ(StatusMessage(), Reading().StatusText().toStdString());
  // The unsaved link is there as the editor has it.
  EXPECT_NE(LinkWidget(3), nullptr);
  // A page smaller than the window shows at its own size; in a smaller window it shrinks to fit.
  EXPECT_EQ(Canvas()->Zoom(), 100);
  view.View().resize(300, 200);
  QApplication::processEvents();  // the window lays itself out again before it paints
  const QSize room = Canvas()->parentWidget()->size();
  const QSize shown = Canvas()->size();
  EXPECT_LT(Canvas()->Zoom(), 100);
  EXPECT_TRUE(shown.width() <= room.width() && shown.height() <= room.height())
      << shown.width() << "x" << shown.height() << " in " << room.width() << "x" << room.height();
  view.View().resize(900, 720);
  QApplication::processEvents();
  EXPECT_EQ(Canvas()->Zoom(), 100);
  EXPECT_TRUE(Reading().ReadAction()->isChecked());

  Key(Qt::Key_Escape);
  EXPECT_FALSE(Reading().Reading());
  EXPECT_EQ(StatusMessage(), "");
  EXPECT_TRUE(view.Canvas()->isVisible());
  EXPECT_EQ(view.View().Zoom(), zoom);
  EXPECT_EQ(view.ScrollPosition(), scrolled);
  EXPECT_EQ(window.Page().CurrentLink(), current);
  EXPECT_TRUE(view.View().History().canUndo());
  EXPECT_TRUE(view.View().UndoAction()->isEnabled());
  EXPECT_FALSE(Reading().ReadAction()->isChecked());

  // "閲覧" in the tool bar, twice, goes there and back as well.
  Reading().ReadAction()->trigger();
  EXPECT_TRUE(Reading().Reading());
  Reading().ReadAction()->trigger();
  EXPECT_FALSE(Reading().Reading());
  EXPECT_EQ(view.ScrollPosition(), scrolled);
}

TEST_F(ReadingModeTest, ShiftF5ReadsFromTheStartPageReadFromItsFile) {
  view.ActivateMainWindow();
  person.Load(Page(3));
  view.Activate();
  view.Key(Qt::Key_F5, Qt::ShiftModifier);
  ASSERT_TRUE(Reading().Reading());
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_FALSE(Reading().ShowsEditedPage());
  EXPECT_EQ(Reading().StatusText().toStdString(), "閲覧中: ページ 1 (page1.pag)");
  EXPECT_TRUE(Near(ColorInLink(0), kRed));
}

TEST_F(ReadingModeTest, ShowsThePageAsAReaderSeesItWithSlotPicturesOnHoverAndFocus) {
  view.Key(Qt::Key_F5);
  // Links in number order, named for assistive tools; link 7, beside the background, isn't one.
  EXPECT_EQ(LinkNames(), (std::vector<std::string>{
                             "リンク 0 → ページ 2", "リンク 1 → ページ 9: このページはありません",
                             "リンク 2 → ページ 3", "リンク 5: 行き先がありません"}));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(LinkWidget(0));
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Link);
  EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), "リンク 0 → ページ 2");
  EXPECT_EQ(LinkWidget(0)->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(LinkWidget(1)->cursor().shape(), Qt::ForbiddenCursor);

  // No outline, number or slot picture until the pointer comes.
  const QImage before = Canvas()->grab().toImage();
  const QRect link0 = LinkWidget(0)->geometry();
  EXPECT_TRUE(Near(before.pixelColor(link0.center()), kRed));
  EXPECT_TRUE(Near(before.pixelColor(link0.topLeft()), kRed));
  EXPECT_TRUE(Near(before.pixelColor(link0.topLeft() + QPoint(2, 2)), kRed));
  PointAt(LinkWidget(0), LinkWidget(0)->rect().center());
  EXPECT_TRUE(Near(ColorInLink(0), kYellow));
  PointAt(Canvas(), QPoint(1, 1));
  EXPECT_TRUE(Near(ColorInLink(0), kRed));

  // Tab walks the links in number order; the focused one shows its picture, round and round.
  Key(Qt::Key_Tab);
  EXPECT_TRUE(LinkWidget(0)->hasFocus());
  EXPECT_TRUE(Near(ColorInLink(0), kYellow));
  Key(Qt::Key_Tab);
  EXPECT_TRUE(LinkWidget(1)->hasFocus());
  EXPECT_TRUE(Near(ColorInLink(0), kRed));
  EXPECT_TRUE(Near(ColorInLink(1), kYellow));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(LinkWidget(5)->hasFocus());
}

TEST_F(ReadingModeTest, LinksAreFollowedByClickAndByKeyboardAndHistoryGoesBackAndForth) {
  view.Key(Qt::Key_F5);
  Click(0);
  EXPECT_EQ(Reading().ShownPage(), 2);
  EXPECT_FALSE(Reading().ShowsEditedPage());
  EXPECT_EQ(StatusMessage(), "閲覧中: ページ 2 (page2.pag)");
  EXPECT_TRUE(Near(ColorAt(190, 140), kGreen));

  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  ASSERT_TRUE(LinkWidget(3)->hasFocus());
  Key(Qt::Key_Return);
  EXPECT_EQ(Reading().ShownPage(), 3);
  EXPECT_TRUE(Near(ColorAt(190, 140), kBlue));

  Key(Qt::Key_Backspace);
  EXPECT_EQ(Reading().ShownPage(), 2);
  Key(Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_TRUE(Reading().ShowsEditedPage());
  EXPECT_FALSE(Reading().BackAction()->isEnabled());
  Key(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(Reading().ShownPage(), 2);
  Key(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(Reading().ShownPage(), 3);
  EXPECT_FALSE(Reading().ForwardAction()->isEnabled());

  // A new link followed drops the way forward.
  Key(Qt::Key_Backspace);
  Click(0);
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_FALSE(Reading().ForwardAction()->isEnabled());
}

TEST_F(ReadingModeTest, TheEditedPageIsShownWithItsUnsavedChangesWhereverTheWayLeadsBack) {
  view.ActivateMainWindow();
  person.SetLink(4, LinkTo(3, 100, 100, 140));  // not saved
  view.Activate();
  view.Key(Qt::Key_F5);
  // A change made in the main window meanwhile shows at once; the focused link keeps the focus.
  Key(Qt::Key_Tab);
  window.Page().SetLink(6, LinkTo(3, 100, 100, 140));
  EXPECT_NE(LinkWidget(6), nullptr);
  EXPECT_TRUE(LinkWidget(0)->hasFocus());
  Click(0);
  ASSERT_EQ(Reading().ShownPage(), 2);
  Click(0);  // page 2's link back to page 1
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_TRUE(Reading().ShowsEditedPage());
  ASSERT_NE(LinkWidget(4), nullptr);
  Click(4);
  EXPECT_EQ(Reading().ShownPage(), 3);
}

TEST_F(ReadingModeTest, ADeadLinkOrAPageThatFailsToLoadLeavesTheReaderWhereItWas) {
  view.Key(Qt::Key_F5);
  Click(1);
  EXPECT_EQ(StatusMessage(), "ページ 9 はありません");
  EXPECT_EQ(Reading().ShownPage(), 1);
  Click(5);
  EXPECT_EQ(StatusMessage(), "リンク 5 には行き先がありません");
  EXPECT_EQ(Reading().ShownPage(), 1);

  // Page 3's file is damaged meanwhile.
  std::ofstream(Page(3), std::ios::binary | std::ios::trunc) << "not a page";
  Click(2);
  EXPECT_EQ(Reading().ShownPage(), 1);
  EXPECT_FALSE(StatusMessage().empty());
  EXPECT_EQ(StatusMessage().find("ページ 3"), std::string::npos) << "the file's own message";
  EXPECT_FALSE(Reading().BackAction()->isEnabled());
  EXPECT_TRUE(errors.shown.empty());

  // A page that appears meanwhile can be followed to.
  WritePage(9, kGreen, {});
  Click(1);
  EXPECT_EQ(Reading().ShownPage(), 9);
}

TEST_F(ReadingModeTest, ReadingNeverChangesThePage) {
  view.Drag({20, 100}, {120, 140});
  const TPage::Links links = window.Page().AllLinks();
  const int steps = view.View().History().count();
  view.Key(Qt::Key_F5);

  // A drag over the page and over a link, arrows, Delete, undo and zoom.
  QWindow* handle = view.View().windowHandle();
  const auto at = [&](QPoint point) { return handle->mapFromGlobal(Canvas()->mapToGlobal(point)); };
  QTest::mousePress(handle, Qt::LeftButton, {}, at(QPoint(5, 5)));
  QTest::mouseMove(handle, at(QPoint(200, 200)));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, at(QPoint(200, 200)));
  Key(Qt::Key_Tab);
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Delete}) Key(key);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(window.Page().AllLinks(), links);
  EXPECT_EQ(view.View().History().count(), steps);
  EXPECT_EQ(view.View().History().index(), steps);
  for (QAction* action :
       {view.View().UndoAction(), view.View().DeleteAction(), view.View().SlotPicturesAction()}) {
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
  EXPECT_TRUE(Reading().Reading());
  EXPECT_EQ(view.View().Zoom(), 100);
}

TEST_F(ReadingModeTest, EditThisPageOpensThePageShownAfterTheQuestionAboutUnsavedChanges) {
  view.ActivateMainWindow();
  person.SetLink(4, LinkTo(3, 100, 100, 140));
  view.Activate();
  view.Key(Qt::Key_F5);
  Click(0);
  ASSERT_EQ(Reading().ShownPage(), 2);
  EXPECT_EQ(Reading().EditShownPageAction()->text().toStdString(), "このページを編集\tCtrl+E");

  questions.Answer("キャンセル");
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(questions.Texts(),
            std::vector<std::string>{"ページ 1 (page1.pag) の変更を保存しますか？"});
  EXPECT_TRUE(Reading().Reading());
  EXPECT_EQ(window.EditedPage().FileName(), Page(1));

  questions.Answer("保存しない");
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(Reading().Reading());
  EXPECT_EQ(window.EditedPage().FileName(), Page(2));
  EXPECT_EQ(window.Page().Link(3), LinkTo(3, 100, 10));
  EXPECT_TRUE(view.Canvas()->isVisible());

  // Without unsaved changes nothing is asked; the edited page itself just goes back to editing.
  view.Key(Qt::Key_F5);
  Click(3);
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(window.EditedPage().FileName(), Page(3));
  view.Key(Qt::Key_F5);
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_FALSE(Reading().Reading());
  EXPECT_EQ(window.EditedPage().FileName(), Page(3));
  EXPECT_EQ(questions.asked.size(), 2u);
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(ReadingModeTest, APageOfNoDocumentIsReadAloneAndItsLinksLeadNowhere) {
  const std::string alone = dir.File("alone.pag");
  std::filesystem::copy_file(Page(1), alone);
  view.ActivateMainWindow();
  person.Load(alone);
  view.Activate();
  view.Key(Qt::Key_F5);
  ASSERT_TRUE(Reading().Reading());
  EXPECT_EQ(Reading().ShownPage(), std::nullopt);
  EXPECT_EQ(Reading().StatusText().toStdString(),
            "閲覧中: alone.pag — 編集中のページ — "
            "どのドキュメントにも属していないため、リンクの行き先はありません");
  Click(0);
  EXPECT_EQ(StatusMessage(),
            "このページはどのドキュメントにも属していないため、リンクの行き先はありません");
  EXPECT_TRUE(Reading().ShowsEditedPage());
}

}  // namespace
}  // namespace pm
