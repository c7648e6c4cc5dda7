// Publishing the document as a web site from the document window: the same site as `pagetool
// site`, the progress box and its cancel, the questions before writing and the finished box.
#include "tests/support/TestDocument.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <map>

#include "editor/EditedPage.h"
#include "editor/document/DocumentWindowOpener.h"
#include "editor/publishing/SiteProgressBox.h"
#include "editor/publishing/SitePublisher.h"
#include "editor/publishing/SiteWriting.h"
#include "page/PageFile.h"
#include "tests/editor/DocumentDriver.h"
#include "tests/support/FakeDot.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

namespace fs = std::filesystem;
using test::Link;
using test::LinkSquare;

constexpr int kPatienceMilliseconds = 60000;

// A dot that writes its process id where the test finds it, then waits a long time.
constexpr const char* kWaitingDot =
    "echo $$ > \"$(dirname \"$0\")/pid.new\"\nmv \"$(dirname \"$0\")/pid.new\" "
    "\"$(dirname \"$0\")/pid\"\nexec sleep 120\n";

// Every file below the folder with its bytes, by its path inside the folder.
std::map<std::string, std::vector<uint8_t>> FilesIn(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    files[name] = entry.is_regular_file() ? test::ReadFileBytes(entry.path().string())
                                          : std::vector<uint8_t>{'/'};
  }
  return files;
}

std::string ReadText(const std::string& fileName) {
  const std::vector<uint8_t> bytes = test::ReadFileBytes(fileName);
  return std::string(bytes.begin(), bytes.end());
}

// The desktop's browser as the editor reaches it through QDesktopServices: it records the
// addresses that it is asked to open.
class Browser : public QObject {
  Q_OBJECT

 public:
  Browser() { QDesktopServices::setUrlHandler("file", this, "Open"); }
  ~Browser() override { QDesktopServices::unsetUrlHandler("file"); }

  std::vector<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

class PublishingTest : public test::DocumentTest {
 protected:
  // Loads page 1 and opens its document window.
  TSitePublisher& OpenPublisher() {
    person.Load(Page(1));
    documents_ = &OpenDocumentWindow();
    TSitePublisher* publisher = window.DocumentWindowOpener().Publisher();
    EXPECT_NE(publisher, nullptr);
    return *publisher;
  }

  // Ctrl+Shift+E in the document window; when a site is being written, waits until it has ended.
  void Publish(TSitePublisher& publisher, bool wait = true) {
    documents_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(documents_));
    QTest::keyClick(documents_->PageList(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    if (wait) WaitUntilEnded(publisher);
  }

  static void WaitUntilEnded(TSitePublisher& publisher) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !publisher.Busy(); }, kPatienceMilliseconds));
  }

  // A new, empty folder for a site.
  std::string Folder(const std::string& name) {
    fs::create_directory(dir.File(name));
    return dir.File(name);
  }

  // Writes the site with pagetool itself.
  void PagetoolSite(const std::string& folder) {
    QProcess pagetool;
    pagetool.start(PAGETOOL_PATH,
                   {"site", QString::fromStdString(Pattern()), QString::fromStdString(folder)});
    ASSERT_TRUE(pagetool.waitForFinished(kPatienceMilliseconds));
    EXPECT_EQ(pagetool.exitCode(), 0) << pagetool.readAllStandardError().toStdString();
  }

  QString Written(int pages, int pictures, const std::string& folder) {
    return QString::fromUtf8("%1 ページと %2 枚の画像を書き出しました。\n書き出し先: %3")
        .arg(pages)
        .arg(pictures)
        .arg(QString::fromStdString(folder));
  }

  TDocumentWindow* documents_ = nullptr;
};

TEST_F(PublishingTest, WritesWhatPagetoolWritesCountingThePagesAndOpensItInTheBrowser) {
  // Page 2 shows two slot pictures in its links.
  TPage two;
  two.SetBackgroundBitmap(test::GradientBitmap(64, 48, 2));
  two.SetSlotBitmap(0, test::GradientBitmap(12, 9, 20));
  two.SetSlotBitmap(1, test::GradientBitmap(12, 9, 21));
  two.SetLink(0, Link(4, 4, 20, 20, 1, 0));
  two.SetLink(1, Link(24, 4, 40, 20, 3, 1));
  WritePageFile(two, Page(2));
  TSitePublisher& publisher = OpenPublisher();
  QAction* action = publisher.Action();
  EXPECT_EQ(action->text(), QString::fromUtf8("Webサイトとして書き出す…"));
  EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  EXPECT_TRUE(documents_->menuBar()->actions().front()->menu()->actions().contains(action));
  EXPECT_TRUE(action->isEnabled());

  const std::string site = Folder("site");
  dialogs.Answer(site);
  questions.Answer("ブラウザで開く");
  const Browser browser;
  std::vector<std::pair<int, int>> progress;
  QStringList shown;
  TSiteProgressBox* box = publisher.ProgressBox();
  QObject::connect(publisher.Writing(), &TSiteWriting::Progress, box, [&](int done, int inAll) {
    progress.emplace_back(done, inAll);
    shown << box->Text();
    EXPECT_EQ(box->Bar()->value(), done);
  });
  Publish(publisher, false);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->windowModality(), Qt::WindowModal);
  WaitUntilEnded(publisher);

  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));
  EXPECT_EQ(shown, (QStringList{QString::fromUtf8("ページ 1 / 4 を書き出しています…"),
                                QString::fromUtf8("ページ 2 / 4 を書き出しています…"),
                                QString::fromUtf8("ページ 3 / 4 を書き出しています…"),
                                QString::fromUtf8("ページ 4 / 4 を書き出しています…"),
                                QString::fromUtf8("地図を描いています…")}));
  // The folder dialog offered the folder that holds the document's folder.
  ASSERT_EQ(dialogs.requests.size(), 2u) << "the load's, then the folder's";
  EXPECT_EQ(dialogs.requests[1].kind, TFileDialogKind::Folder);
  EXPECT_EQ(dialogs.requests[1].fileName, dir.Path().parent_path().string());
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0].text, Written(4, 6, site));
  EXPECT_EQ(
      browser.opened,
      std::vector<QUrl>{QUrl::fromLocalFile(QString::fromStdString(dir.File("site/index.html")))});

  // File by file what pagetool writes for the same document.
  const std::string reference = Folder("pagetool");
  PagetoolSite(reference);
  EXPECT_EQ(FilesIn(site), FilesIn(reference));

  // Again: the folder used last is offered, and the earlier site is replaced without a question.
  WritePage(4, {{0, LinkSquare(0, 1)}});
  dialogs.Answer(site);
  questions.Answer("閉じる");
  Publish(publisher);
  EXPECT_EQ(dialogs.requests.back().fileName, site);
  EXPECT_EQ(questions.asked.size(), 2u);
  EXPECT_EQ(browser.opened.size(), 1u);
  PagetoolSite(reference);
  EXPECT_EQ(FilesIn(site), FilesIn(reference));
  EXPECT_TRUE(errors.shown.empty()) << errors.Texts().front();
}

TEST_F(PublishingTest, CancellingWhileTheMapIsDrawnLeavesTheEarlierSiteAsItWas) {
  TSitePublisher& publisher = OpenPublisher();
  const std::string site = Folder("site");
  dialogs.Answer(site);
  questions.Answer("閉じる");
  Publish(publisher);
  const auto before = FilesIn(site);

  WritePage(2, {{0, LinkSquare(0, 3)}});
  const test::FakeDot dot(kWaitingDot);
  dialogs.Answer(site);
  Publish(publisher, false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(dot.File("pid")); }, kPatienceMilliseconds));
  TSiteProgressBox* box = publisher.ProgressBox();
  ASSERT_TRUE(QTest::qWaitFor([&] { return box->Bar()->value() == 4; }));
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->Text(), QString::fromUtf8("地図を描いています…"));
  // The main window goes on working meanwhile.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  person.SelectLink(3);
  EXPECT_EQ(window.Edit7->text(), "3");

  QTest::mouseClick(box->CancelButton(), Qt::LeftButton);
  EXPECT_EQ(box->Text(), QString::fromUtf8("キャンセルしています…"));
  EXPECT_FALSE(box->CancelButton()->isEnabled());
  WaitUntilEnded(publisher);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(FilesIn(site), before);
  EXPECT_EQ(questions.asked.size(), 1u) << "no finished box after a cancel";
  EXPECT_TRUE(errors.shown.empty());
  const std::string pid = ReadText(dot.File("pid"));
  EXPECT_FALSE(fs::exists("/proc/" + pid.substr(0, pid.size() - 1))) << "dot was stopped";
  EXPECT_EQ(test::NamesIn(dir.Path()),
            (std::set<std::string>{"page1.pag", "page2.pag", "page3.pag", "page4.pag", "site"}));
}

TEST_F(PublishingTest, AsksBeforeWritingBesideOtherFilesAndTellsWhyAFolderOrPageIsRefused) {
  TSitePublisher& publisher = OpenPublisher();
  const std::string mine = Folder("mine");
  test::WriteFileBytes(mine + "/notes.txt", {'m', 'i', 'n', 'e'});

  // Asked, naming the file: "キャンセル" writes nothing.
  dialogs.Answer(mine);
  questions.Answer("キャンセル");
  Publish(publisher);
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(
      questions.asked[0].text,
      QString::fromUtf8("フォルダー %1 には、Webサイトとして書き出されたものではない notes.txt "
                        "があります。Webサイトをその横に書き出しますか？ notes.txt は上書きも"
                        "削除もされません。")
          .arg(QString::fromStdString(mine)));
  EXPECT_EQ(test::NamesIn(mine), std::set<std::string>{"notes.txt"});

  // "書き出す" writes the site beside it.
  dialogs.Answer(mine);
  questions.Answer("書き出す");
  questions.Answer("閉じる");
  Publish(publisher);
  EXPECT_EQ(questions.asked.back().text, Written(4, 4, mine));
  EXPECT_TRUE(fs::exists(mine + "/index.html"));
  EXPECT_EQ(ReadText(mine + "/notes.txt"), "mine");
  const auto written = FilesIn(mine);

  // A page that doesn't load fails the site, and the earlier site stays.
  test::WriteFileBytes(Page(3), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'g', 'e'});
  dialogs.Answer(mine);
  questions.Answer("書き出す");
  Publish(publisher);
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_TRUE(QString::fromStdString(errors.shown[0].text)
                  .startsWith(QString::fromUtf8("ページファイル %1 を読み込めないため、Webサイトを"
                                                "書き出せませんでした: ")
                                  .arg(QString::fromStdString(Page(3)))))
      << errors.shown[0].text;
  EXPECT_EQ(FilesIn(mine), written);

  // The folder of the pages is refused, and so is a folder where a file of someone else's has a
  // name of the site's: in Japanese, naming the file.
  dialogs.Answer(dir.Path().string());
  Publish(publisher);
  EXPECT_EQ(errors.Texts().back(),
            QString::fromUtf8("フォルダー %1 には、このドキュメントのページファイルがあります。"
                              "Webサイトはページファイルとは別のフォルダーに書き出してください.")
                .arg(QString::fromStdString(dir.Path().string()))
                .toStdString());
  const std::string other = Folder("other");
  test::WriteFileBytes(other + "/index.html", {'<', 'p', '>'});
  dialogs.Answer(other);
  Publish(publisher);
  EXPECT_EQ(
      errors.Texts().back(),
      QString::fromUtf8("フォルダー %1 の index.html は、Webサイトとして書き出されたファイル"
                        "ではありませんが、Webサイトのファイルと同じ名前です。Webサイトはこの"
                        "ファイルを上書きしません。別のフォルダーを選ぶか、このファイルを移して"
                        "ください.")
          .arg(QString::fromStdString(other))
          .toStdString());
  EXPECT_EQ(test::NamesIn(other), std::set<std::string>{"index.html"});
  EXPECT_EQ(errors.shown.size(), 3u);
  EXPECT_EQ(questions.asked.size(), 4u);
}

TEST_F(PublishingTest, UnsavedChangesAreSavedFirstOrLeftOutAsThePersonSays) {
  // A page of no document has no site to write.
  TDocumentWindow& noDocument = OpenDocumentWindow();
  ASSERT_NE(window.DocumentWindowOpener().Publisher(), nullptr);
  EXPECT_FALSE(window.DocumentWindowOpener().Publisher()->Action()->isEnabled());
  noDocument.close();

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  TSitePublisher& publisher = OpenPublisher();
  EXPECT_TRUE(publisher.Action()->isEnabled());
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  person.SetLink(1, LinkSquare(1, 4));
  ASSERT_TRUE(window.EditedPage().Modified());
  const std::string site = Folder("site");
  const std::string newLink = "aria-label=\"リンク 1 → ページ 4\"";

  questions.Answer("キャンセル");
  Publish(publisher);
  EXPECT_EQ(questions.Texts(),
            std::vector<std::string>{
                "ページ 1 (page1.pag) には保存されていない変更があります。Webサイトはページファイル"
                "から書き出すので、この変更は含まれません。先に保存しますか？"});
  EXPECT_EQ(dialogs.requests.size(), 1u) << "the load's only";

  questions.Answer("保存せずに書き出す");
  dialogs.Answer(site);
  questions.Answer("閉じる");
  Publish(publisher);
  EXPECT_EQ(ReadText(site + "/page-1.html").find(newLink), std::string::npos);
  EXPECT_TRUE(window.EditedPage().Modified());

  questions.Answer("保存して書き出す");
  dialogs.Answer(site);
  questions.Answer("閉じる");
  Publish(publisher);
  EXPECT_FALSE(window.EditedPage().Modified());
  EXPECT_EQ(StoredLink(Page(1), 1), LinkSquare(1, 4));
  EXPECT_NE(ReadText(site + "/page-1.html").find(newLink), std::string::npos);
  EXPECT_EQ(questions.asked.size(), 5u);
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace pm

#include "PublishingTest.moc"
