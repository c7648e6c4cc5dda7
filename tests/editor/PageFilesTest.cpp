// The page's own file: Ctrl+S saves to it without a dialog, asks before overwriting a file that
// something else changed, and the question before unsaved changes are left.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/PageFiles.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "page/PageFile.h"
#include "tests/editor/ScriptedQuestions.h"
#include "tests/editor/WindowDriver.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

constexpr TLinkRecord kLink{10, 20, 110, 70, 2, 0, 0};

class PageFilesTest : public test::WindowTest {
 protected:
  // A page file written by another window, with one link.
  std::string StoredPage(const std::string& name) {
    TPage page;
    page.SetLink(0, kLink);
    const std::string file = dir.File(name);
    WritePageFile(page, file);
    return file;
  }
  void PressCtrlS(QWidget* window) { QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier); }
  TLinkRecord StoredLink(const std::string& file, int32_t link) {
    TPage page;
    ReadPageFile(page, file, nullptr);
    return page.Link(link);
  }

  test::ScriptedQuestions questions;
};

TEST_F(PageFilesTest, CtrlSSavesALoadedPageToItsOwnFileFromEveryWindow) {
  const std::string file = StoredPage("page3.pag");
  person.Load(file);
  TEditedPage& edited = window.EditedPage();
  EXPECT_EQ(edited.FileName(), file);
  ASSERT_TRUE(edited.Place());
  EXPECT_EQ(edited.Place()->number, 3);
  EXPECT_FALSE(edited.Modified());

  // A change made in the main window: the page view's title shows it until Ctrl+S there.
  window.PageViewOpener().Open();
  TPageView* view = window.PageViewOpener().View();
  EXPECT_EQ(view->windowTitle(), QString::fromUtf8("ページ表示 — page3.pag[*]"));
  EXPECT_FALSE(view->isWindowModified());
  person.Show();
  person.SetLink(1, {1, 2, 3, 4, 5, 0, 6});
  EXPECT_TRUE(edited.Modified());
  EXPECT_TRUE(view->isWindowModified());
  PressCtrlS(view);
  EXPECT_FALSE(edited.Modified());
  EXPECT_FALSE(view->isWindowModified());
  person.Show();
  EXPECT_EQ(StoredLink(file, 1), (TLinkRecord{1, 2, 3, 4, 5, 0, 6}));

  // And from the main window; no dialog opened on either save.
  person.SetLink(2, {7, 8, 9, 10, 11, 0, 12});
  PressCtrlS(&window);
  EXPECT_EQ(StoredLink(file, 2), (TLinkRecord{7, 8, 9, 10, 11, 0, 12}));
  EXPECT_TRUE(dialogs.requests.size() == 1) << "only the load's dialog";
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_TRUE(questions.asked.empty());
}

TEST_F(PageFilesTest, ANewPageAsksForANameThroughTheDialogOfSaveAndKeepsIt) {
  const std::string file = dir.File("p7.pag");
  person.SetLink(0, kLink);
  dialogs.Answer(file);
  EXPECT_TRUE(window.PageFiles().Save());
  EXPECT_EQ(window.EditedPage().FileName(), file);
  EXPECT_EQ(window.EditedPage().Place()->pattern, dir.File("p%d.pag"));
  EXPECT_EQ(StoredLink(file, 0), kLink);

  // Cancelling the dialog saves nothing and says so.
  TForm1 other;
  test::WindowDriver otherPerson(other, dialogs);
  otherPerson.Show();
  dialogs.Cancel();
  EXPECT_FALSE(other.PageFiles().Save());
  EXPECT_TRUE(other.EditedPage().FileName().empty());
}

TEST_F(PageFilesTest, AFileChangedByAnotherProgramIsOverwrittenOnlyWhenThePersonSaysSo) {
  const std::string file = StoredPage("page1.pag");
  person.Load(file);
  person.SetLink(5, kLink);
  // Another program writes the file meanwhile.
  TPage elsewhere;
  elsewhere.SetLink(9, kLink);
  WritePageFile(elsewhere, file);

  questions.Answer("キャンセル");
  EXPECT_FALSE(window.PageFiles().Save());
  EXPECT_EQ(StoredLink(file, 9), kLink) << "the other program's page stays";
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_TRUE(questions.Texts()[0].find(file) != std::string::npos);
  EXPECT_TRUE(window.EditedPage().Modified());

  questions.Answer("上書き");
  EXPECT_TRUE(window.PageFiles().Save());
  EXPECT_EQ(StoredLink(file, 5), kLink);
  EXPECT_EQ(StoredLink(file, 9), TLinkRecord());
  // Written by this editor now: the next save asks nothing.
  person.SetLink(6, kLink);
  EXPECT_TRUE(window.PageFiles().Save());
  EXPECT_EQ(questions.asked.size(), 2u);
}

TEST_F(PageFilesTest, TheQuestionBeforeLeavingUnsavedChangesAndItsThreeAnswers) {
  const std::string file = StoredPage("page2.pag");
  person.Load(file);
  // Nothing changed: nothing to ask.
  EXPECT_TRUE(window.PageFiles().MayLeavePage());

  person.SetLink(3, kLink);
  questions.Answer("キャンセル");
  EXPECT_FALSE(window.PageFiles().MayLeavePage());
  EXPECT_TRUE(window.EditedPage().Modified());
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.Texts()[0], "ページ 2 (page2.pag) の変更を保存しますか？");

  questions.Answer("保存しない");
  EXPECT_TRUE(window.PageFiles().MayLeavePage());
  EXPECT_FALSE(window.EditedPage().Modified());
  EXPECT_EQ(StoredLink(file, 3), TLinkRecord()) << "left, not saved";

  person.SetLink(4, kLink);
  questions.Answer("保存");
  EXPECT_TRUE(window.PageFiles().MayLeavePage());
  EXPECT_EQ(StoredLink(file, 4), kLink);
  EXPECT_EQ(StoredLink(file, 3), kLink);

  // "保存" on a page without a file whose dialog is cancelled doesn't leave the page.
  TForm1 other;
  test::WindowDriver otherPerson(other, dialogs);
  otherPerson.Show();
  otherPerson.SetLink(0, kLink);
  questions.Answer("保存");
  dialogs.Cancel();
  EXPECT_FALSE(other.PageFiles().MayLeavePage());
  EXPECT_EQ(questions.Texts().back(), "新しいページ の変更を保存しますか？");
}

}  // namespace
}  // namespace pm
