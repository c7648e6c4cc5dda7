// The document window: the map, the page list and the findings of the edited page's document,
// opening pages from them, and following what this editor and other programs change.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "editor/document/DocumentMap.h"
#include "editor/document/DocumentWindowOpener.h"
#include "tests/editor/DocumentDriver.h"

namespace pm {
namespace {

using test::LinkSquare;

class DocumentWindowTest : public test::DocumentTest {};

TEST_F(DocumentWindowTest, ShowsTheMapThePagesAndTheFindingsOfTheEditedPagesDocument) {
  person.Load(Page(1));
  TDocumentWindow& documents = OpenDocumentWindow();
  EXPECT_EQ(documents.windowTitle(),
            QString::fromUtf8("ドキュメント — ") + QString::fromStdString(Pattern()) + "[*]");
  EXPECT_FALSE(documents.isModal());
  EXPECT_FALSE(documents.NoticeShown());
  EXPECT_EQ(documents.PageList()->accessibleName(), QString::fromUtf8("ページ一覧"));
  EXPECT_EQ(documents.Findings()->accessibleName(), QString::fromUtf8("問題"));
  EXPECT_EQ(documents.Map()->accessibleName(), QString::fromUtf8("地図"));

  // Pages 1 (a dead link) and 4 (unreachable) are marked; the missing page 9 has a card only.
  EXPECT_EQ(Rows(documents.PageList()), (QStringList{QString::fromUtf8("ページ 1  page1.pag  ⚠"),
                                                     QString::fromUtf8("ページ 2  page2.pag"),
                                                     QString::fromUtf8("ページ 3  page3.pag"),
                                                     QString::fromUtf8("ページ 4  page4.pag  ⚠")}));
  EXPECT_EQ(Rows(documents.Findings()),
            (QStringList{
                QString::fromUtf8("ページ 1, リンク 1: 行き先のページ 9 のファイルがありません"),
                QString::fromUtf8("ページ 4: 開始ページ 1 からリンクをたどっても来られません")}));
  EXPECT_TRUE(documents.Map()->CardArea(9));
  EXPECT_TRUE(documents.Map()->CardArea(4));

  // A row selects its card, a card its row, a finding its page's card and row.
  documents.PageList()->setCurrentRow(2);
  EXPECT_EQ(documents.Map()->SelectedPage(), 3);
  emit documents.Map()->PageSelected(2);
  EXPECT_EQ(documents.PageList()->currentRow(), 1);
  documents.Findings()->setCurrentRow(1);
  EXPECT_EQ(documents.Map()->SelectedPage(), 4);
  EXPECT_EQ(documents.PageList()->currentRow(), 3);

  // Ctrl+D again, from the page view, brings the same window to the front.
  view.Open();
  QTest::keyClick(view.Canvas(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&documents));
  EXPECT_EQ(window.DocumentWindowOpener().Window(), &documents);
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(DocumentWindowTest, OpensPagesFromTheListTheMapAndAFindingAllOrNothing) {
  person.Load(Page(1));
  TDocumentWindow& documents = OpenDocumentWindow();

  DoubleClick(documents.PageList(), RowStartingWith(documents.PageList(), "ページ 2"));
  EXPECT_EQ(OpenFile(), Page(2));
  ASSERT_NE(window.PageViewOpener().View(), nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.PageViewOpener().View()));
  EXPECT_EQ(window.Page().Link(0), LinkSquare(0, 1)) << "page 2 as the main window loads it";

  // Enter on a row.
  documents.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&documents));
  documents.PageList()->setFocus();
  documents.PageList()->setCurrentRow(2);
  QTest::keyClick(documents.PageList(), Qt::Key_Return);
  EXPECT_EQ(OpenFile(), Page(3));

  // A card the map activates.
  emit documents.Map()->PageActivated(4);
  EXPECT_EQ(OpenFile(), Page(4));

  // A finding opens its page with its link as the current one, shown in the main window.
  DoubleClick(documents.Findings(), documents.Findings()->item(0));
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_EQ(window.Page().CurrentLink(), 1);
  EXPECT_EQ(window.Edit7->Text(), "1");
  EXPECT_EQ(window.Edit10->Text(), "9");

  // A page that fails to load shows the error box and leaves the page as it was.
  test::WriteFileBytes(Page(5), {1, 2, 3});
  emit documents.Map()->PageActivated(5);
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ストリームからの読み込みエラー."});
  EXPECT_EQ(OpenFile(), Page(1));
  EXPECT_EQ(window.Page().Link(1), LinkSquare(1, 9));
}

TEST_F(DocumentWindowTest, FollowsEverySaveAtOnceAndOtherProgramsOnActivationOrF5) {
  person.Load(Page(1));
  TDocumentWindow& documents = OpenDocumentWindow();
  ASSERT_EQ(documents.Findings()->count(), 2);

  // An edit shows a "*" in the title until Ctrl+S in the document window saves it, and the
  // document is read again at once: page 4 is reached now.
  const TLinkRecord toFour{.Left = 4, .Top = 24, .Right = 20, .Bottom = 40, .LinkPage = 4};
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  person.SetLink(3, toFour);
  EXPECT_TRUE(documents.isWindowModified());
  documents.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&documents));
  QTest::keyClick(documents.PageList(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(documents.isWindowModified());
  EXPECT_EQ(StoredLink(Page(1), 3), toFour);
  WaitUntilRead(documents);
  EXPECT_EQ(Rows(documents.Findings()),
            QStringList{
                QString::fromUtf8("ページ 1, リンク 1: 行き先のページ 9 のファイルがありません")});
  EXPECT_TRUE(dialogs.requests.size() == 1) << "only the load's dialog";

  // Another program adds page 9: F5 reads it.
  WritePage(9, {{0, LinkSquare(0, 1)}});
  QTest::keyClick(documents.PageList(), Qt::Key_F5);
  WaitUntilRead(documents);
  EXPECT_EQ(documents.PageList()->count(), 5);
  EXPECT_EQ(Rows(documents.Findings()), QStringList{QString::fromUtf8("問題はありません")});

  // Another program removes page 2 while the window is in the background: it is read again
  // when it is activated.
  view.Open();
  std::filesystem::remove(Page(2));
  documents.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&documents));
  WaitUntilRead(documents);
  EXPECT_EQ(documents.PageList()->count(), 4);
  EXPECT_EQ(Rows(documents.Findings()),
            QStringList{
                QString::fromUtf8("ページ 1, リンク 0: 行き先のページ 2 のファイルがありません")});
}

TEST_F(DocumentWindowTest, APageOfNoDocumentIsToldInsteadAndADocumentFollowsWhenOneIsLoaded) {
  TDocumentWindow& documents = OpenDocumentWindow();
  EXPECT_EQ(documents.windowTitle(), QString::fromUtf8("ドキュメント[*]"));
  EXPECT_TRUE(documents.NoticeShown());
  EXPECT_EQ(documents.NoticeText(), QString::fromUtf8(kNoDocumentNotice));

  // The moves between pages say why they do nothing.
  EXPECT_FALSE(Navigator().OpenPage(2));

  std::filesystem::copy_file(Page(4), dir.File("notes.pag"));
  person.Load(dir.File("notes.pag"));
  EXPECT_TRUE(documents.NoticeShown());

  person.Load(Page(3));
  WaitUntilRead(documents);
  EXPECT_FALSE(documents.NoticeShown());
  EXPECT_EQ(documents.PageList()->count(), 4);
  EXPECT_TRUE(documents.windowTitle().contains(QString::fromStdString(Pattern())));
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace pm
