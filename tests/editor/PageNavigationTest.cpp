// Moving between the pages of a document in the page view: following a link, going back and
// forward, starting a page that has no file yet, the question before unsaved changes are left,
// and choosing the page a link leads to in the dialog "リンク先" or by dropping a card on it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/PageFiles.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "editor/document/DocumentWindowOpener.h"
#include "editor/document/LinkTargetDialog.h"
#include "editor/document/PageDrag.h"
#include "editor/document/PageViewLinks.h"
#include "tests/editor/DocumentDriver.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::InLinkSquare;
using test::LinkSquare;

class PageNavigationTest : public test::DocumentTest {
 protected:
  // Page 1 in the editor and the page view, link 0 current.
  void SetUp() override {
    DocumentTest::SetUp();
    person.Load(Page(1));
    view.Open();
  }

  void CtrlReturn() { view.Key(Qt::Key_Return, Qt::ControlModifier); }
  void PageViewKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    view.Activate();
    view.Key(key, modifiers);
  }
  // Right-clicks link N's square and returns the texts of the menu's entries, choosing the one
  // that starts with `choice` (or none).
  QStringList ContextMenuOfLink(int32_t link, const QString& choice = {}) {
    QStringList offered;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      QAction* chosen = nullptr;
      for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        offered << action->text();
        if (!choice.isEmpty() && action->text().startsWith(choice)) chosen = action;
      }
      menu->close();
      if (chosen) chosen->trigger();
    });
    const TPagePoint at = InLinkSquare(link);
    const QPoint position = view.At(at.x, at.y);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, position,
                                 view.Canvas()->mapToGlobal(position));
    QApplication::sendEvent(view.Canvas(), &rightClick);
    return offered;
  }
  std::string PageViewMessage() const {
    return view.View().statusBar()->currentMessage().toStdString();
  }
};

TEST_F(PageNavigationTest, CtrlReturnAndTheContextMenuFollowLinksAndAltArrowsGoBackAndForth) {
  CtrlReturn();  // link 0 leads to page 2
  EXPECT_EQ(OpenFile(), Page(2));
  EXPECT_EQ(view.View().windowTitle(), QString::fromUtf8("ページ表示 — page2.pag[*]"));
  CtrlReturn();  // and back to page 1, as a new step
  EXPECT_EQ(OpenFile(), Page(1));

  // The context menu of link 2 makes it current and follows it.
  const QStringList offered = ContextMenuOfLink(2, QString::fromUtf8("リンク先のページを開く"));
  EXPECT_EQ(offered.mid(0, 2),
            (QStringList{QString::fromUtf8("リンク先のページを開く\tCtrl+Return"),
                         QString::fromUtf8("リンク先を選ぶ…")}));
  EXPECT_EQ(OpenFile(), Page(3));

  PageViewKey(Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_EQ(window.Page().CurrentLink(), 0) << "a page opens with link 0, as a load does";
  PageViewKey(Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(OpenFile(), Page(2));
  PageViewKey(Qt::Key_Right, Qt::AltModifier);
  PageViewKey(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(OpenFile(), Page(3));
  EXPECT_FALSE(Navigator().CanGoForward());
  PageViewKey(Qt::Key_Right, Qt::AltModifier);  // nothing further: nothing happens
  EXPECT_EQ(OpenFile(), Page(3));
  EXPECT_EQ(window.Page().Link(0), LinkSquare(0, 1)) << "Alt+Right moved no edge of a link";

  // A link without a page to lead to says so and stays.
  PageViewKey(Qt::Key_Left, Qt::AltModifier);
  view.ActivateMainWindow();
  person.SelectLink(7);
  view.Activate();
  CtrlReturn();
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_EQ(PageViewMessage(), "リンク 7 には行き先のページがありません");
  EXPECT_TRUE(questions.asked.empty());
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(PageNavigationTest, AMissingPageStartsAsANewPageOfTheDocumentThatCtrlSWritesToItsFile) {
  view.ActivateMainWindow();
  person.ImportBackground(BmpFile("back.bmp", test::GradientBitmap(40, 30)));
  person.SelectLink(1);  // leads to page 9, which has no file
  ASSERT_FALSE(window.Edit9->Text().empty());

  view.Activate();
  questions.Answer("キャンセル");
  CtrlReturn();
  EXPECT_EQ(questions.Texts(),
            std::vector<std::string>{"ページ 9 はまだありません。新しいページを作りますか？"});
  EXPECT_EQ(OpenFile(), Page(1));

  questions.Answer("作成");
  questions.Answer("保存しない");  // the imported background
  CtrlReturn();
  // A new page as at start-up, which the main window shows as such.
  EXPECT_EQ(OpenFile(), Page(9));
  ASSERT_TRUE(window.EditedPage().Place());
  EXPECT_EQ(window.EditedPage().Place()->number, 9);
  EXPECT_FALSE(window.EditedPage().Modified());
  EXPECT_FALSE(std::filesystem::exists(Page(9)));
  EXPECT_TRUE(window.Page().BackgroundHolder().IsEmpty());
  EXPECT_EQ(window.Page().Link(1), TLinkRecord());
  EXPECT_EQ(window.Edit1->Text(), "0");
  EXPECT_EQ(window.Edit7->Text(), "0");
  EXPECT_EQ(window.Edit10->Text(), "-1");
  EXPECT_EQ(window.Edit9->Text(), "");
  EXPECT_EQ(view.View().windowTitle(), QString::fromUtf8("ページ表示 — page9.pag[*]"));

  // Its first Ctrl+S writes the pattern's file for page 9, without a dialog.
  view.Drag({5, 5}, {30, 20});
  EXPECT_TRUE(view.View().isWindowModified());
  PageViewKey(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(std::filesystem::exists(Page(9)));
  EXPECT_EQ(StoredLink(Page(9), 0), test::Rect(5, 5, 30, 20));
  EXPECT_FALSE(view.View().isWindowModified());
  EXPECT_EQ(dialogs.requests.size(), 2u) << "the load's and the import's dialogs only";

  // Back on page 1, link 1 leads to a page that exists now.
  PageViewKey(Qt::Key_Left, Qt::AltModifier);
  view.ActivateMainWindow();
  person.SelectLink(1);
  view.Activate();
  CtrlReturn();
  EXPECT_EQ(OpenFile(), Page(9));
  EXPECT_EQ(questions.asked.size(), 3u);
}

TEST_F(PageNavigationTest, UnsavedChangesAreAskedAboutBeforeLeavingWithEachOfTheThreeAnswers) {
  // A new link 5 to page 3, the current link now.
  view.ActivateMainWindow();
  person.SetLink(5, LinkSquare(5, 3));
  view.Activate();
  questions.Answer("キャンセル");
  CtrlReturn();
  EXPECT_EQ(questions.Texts(),
            std::vector<std::string>{"ページ 1 (page1.pag) の変更を保存しますか？"});
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_TRUE(window.EditedPage().Modified());

  questions.Answer("保存しない");
  CtrlReturn();
  EXPECT_EQ(OpenFile(), Page(3));
  EXPECT_EQ(StoredLink(Page(1), 5), TLinkRecord()) << "left, not saved";

  PageViewKey(Qt::Key_Left, Qt::AltModifier);  // nothing to ask
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_EQ(questions.asked.size(), 2u);
  view.ActivateMainWindow();
  person.SetLink(5, LinkSquare(5, 3));
  view.Activate();
  questions.Answer("保存");
  CtrlReturn();
  EXPECT_EQ(OpenFile(), Page(3));
  EXPECT_EQ(StoredLink(Page(1), 5), LinkSquare(5, 3));

  // Changes left for a page that then fails to load are still there, and still unsaved.
  test::WriteFileBytes(Page(5), {1, 2, 3});
  view.ActivateMainWindow();
  person.SetLink(6, LinkSquare(6, 1));
  questions.Answer("保存しない");
  RunGuarded([&] { Navigator().OpenPage(5); });  // as the handlers that call it run
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ストリームからの読み込みエラー."});
  EXPECT_EQ(OpenFile(), Page(3));
  EXPECT_EQ(window.Page().Link(6), LinkSquare(6, 1));
  EXPECT_TRUE(window.EditedPage().Modified());

  // The main window's own load asks nothing, as it always did.
  person.Load(Page(2));
  EXPECT_EQ(OpenFile(), Page(2));
  EXPECT_EQ(questions.asked.size(), 4u);
}

TEST_F(PageNavigationTest, TheDialogLinkTargetAndADroppedCardChooseTheLinkPageAsUndoableSteps) {
  ContextMenuOfLink(0, QString::fromUtf8("リンク先を選ぶ"));
  auto* dialog = view.View().findChild<TLinkTargetDialog*>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("リンク先"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Pages()->count() == 4; }));
  EXPECT_EQ(Rows(dialog->Pages()),
            (QStringList{QString::fromUtf8("ページ 1"), QString::fromUtf8("ページ 2"),
                         QString::fromUtf8("ページ 3"), QString::fromUtf8("ページ 4")}));
  EXPECT_EQ(dialog->SelectedPage(), 2) << "where link 0 leads now";
  EXPECT_FALSE(dialog->Pages()->item(0)->icon().isNull());

  DoubleClick(dialog->Pages(), dialog->Pages()->item(3));
  EXPECT_EQ(window.Page().Link(0).LinkPage, 4);
  EXPECT_EQ(window.Edit10->Text(), "4");
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return view.View().findChild<TLinkTargetDialog*>() == nullptr; }));

  // Cancelled, it changes nothing.
  view.Activate();
  dialog = window.DocumentWindowOpener().PageViewLinks()->ChooseTarget(0);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Pages()->count() == 4; }));
  dialog->Pages()->setCurrentRow(0);
  QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel),
                    Qt::LeftButton);
  EXPECT_EQ(window.Page().Link(0).LinkPage, 4);

  // A card of the map dropped on link 2's square.
  const TPagePoint at = InLinkSquare(2);
  const std::unique_ptr<QMimeData> card = PageNumberMimeData(1);
  const QPointF position = view.At(at.x, at.y);
  QDragEnterEvent enter(position.toPoint(), Qt::CopyAction, card.get(), Qt::LeftButton, {});
  QApplication::sendEvent(view.Canvas(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(position, Qt::CopyAction, card.get(), Qt::LeftButton, {});
  QApplication::sendEvent(view.Canvas(), &drop);
  EXPECT_EQ(window.Page().Link(2).LinkPage, 1);
  EXPECT_EQ(window.Page().CurrentLink(), 2);
  EXPECT_EQ(window.Edit10->Text(), "1");
  // Beside every link a drop is refused.
  QDropEvent beside(QPointF(view.At(60, 45)), Qt::CopyAction, card.get(), Qt::LeftButton, {});
  QApplication::sendEvent(view.Canvas(), &beside);
  EXPECT_FALSE(beside.isAccepted());

  PageViewKey(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window.Page().Link(2).LinkPage, 3);
  PageViewKey(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window.Page().Link(0).LinkPage, 2);
  EXPECT_EQ(window.Edit10->Text(), "2");
  PageViewKey(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(window.Page().Link(0).LinkPage, 4);
  EXPECT_EQ(window.Page().Link(0), LinkSquare(0, 4)) << "the rectangle stays as it was";
}

}  // namespace
}  // namespace pm
