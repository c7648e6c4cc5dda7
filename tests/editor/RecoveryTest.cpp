// Recovery copies: unsaved changes outlive an editor that ends without saving them (a closed
// window, a killed process), the next start offers them, and a restored page saves where it
// belongs. Every editor here keeps its copies in a state folder inside the test's own folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include "editor/EditedPage.h"
#include "editor/PageFiles.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "editor/recovery/RecoveryOffer.h"
#include "page/PageFile.h"
#include "tests/editor/ScriptedQuestions.h"
#include "tests/editor/ScriptedRecoveryBox.h"
#include "tests/editor/WindowDriver.h"

namespace pm {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

constexpr TLinkRecord kLink{10, 20, 110, 70, 2, 0, 0};
constexpr TLinkRecord kOtherLink{1, 2, 3, 4, 6, 0, 5};
// Copies written as soon as the event loop turns, or only when something asks for them.
constexpr TRecoveryTiming kAtOnce{milliseconds(0), milliseconds(0), milliseconds(0)};
constexpr TRecoveryTiming kOnlyWhenAsked{hours(1), hours(1), milliseconds(0)};

// An environment variable's value for the life of the object.
class Environment {
 public:
  Environment(const char* variable, const std::string& value) : variable_(variable) {
    if (const char* previous = std::getenv(variable)) previous_ = previous;
    ::setenv(variable, value.c_str(), 1);
  }
  ~Environment() {
    if (previous_) {
      ::setenv(variable_, previous_->c_str(), 1);
    } else {
      ::unsetenv(variable_);
    }
  }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

 private:
  const char* variable_;
  std::optional<std::string> previous_;
};

struct StateHome : Environment {
  explicit StateHome(const std::string& path) : Environment("XDG_STATE_HOME", path) {}
};

// An editor's window with its keeper, and a count of the copies it has written.
struct KeptEditor {
  KeptEditor(test::ScriptedFileDialogs& dialogs, TRecoveryTiming timing)
      : person(window, dialogs),
        keeper(window, TRecoveryFolder(RecoveryFolderPath()), timing),
        writes(&keeper, &TRecoveryKeeper::CopyWritten) {
    person.Show();
  }
  // Waits until the keeper has written `count` copies in all.
  bool WaitForWrites(int count) {
    return QTest::qWaitFor([&] { return writes.count() >= count; });
  }

  TForm1 window;
  test::WindowDriver person;
  TRecoveryKeeper keeper;
  QSignalSpy writes;
};

class RecoveryTest : public test::WindowTest {
 protected:
  RecoveryTest()
      : stateHome(dir.File("state")),
        folder(RecoveryFolderPath()),
        keeper(window, folder, kAtOnce),
        writes(&keeper, &TRecoveryKeeper::CopyWritten) {}

  std::string StoredPage(const std::string& name, const TLinkRecord& link = TLinkRecord()) {
    TPage page;
    page.SetLink(0, link);
    const std::string file = dir.File(name);
    WritePageFile(page, file);
    return file;
  }
  static TLinkRecord StoredLink(const std::string& file, int32_t link) {
    TPage page;
    ReadPageFile(page, file, nullptr);
    return page.Link(link);
  }
  bool WaitForWrites(int count) {
    return QTest::qWaitFor([&] { return writes.count() >= count; });
  }
  // The files of the recovery folder.
  std::set<std::string> Files() const {
    return std::filesystem::exists(folder.Path()) ? test::NamesIn(folder.Path())
                                                  : std::set<std::string>();
  }
  std::set<std::string> FilesOf(const std::string& stem) const {
    return {stem + ".json", stem + ".lock", stem + ".pag"};
  }
  // The stems of the copies that a starting editor would offer, let go again at once.
  std::vector<std::string> UnheldStems() const {
    std::vector<std::string> stems;
    for (const TRecoveryCopy& copy : folder.TakeUnheldCopies()) stems.push_back(copy.stem);
    return stems;
  }

  StateHome stateHome;
  TRecoveryFolder folder;
  TRecoveryKeeper keeper;
  QSignalSpy writes;
  test::ScriptedQuestions questions;
  test::ScriptedRecoveryBox box;
};

TEST_F(RecoveryTest, AChangeGetsAPrivateCopyWithItsRecordAndSavingRemovesIt) {
  const std::string file = StoredPage("page3.pag");
  const auto stored = test::ReadFileBytes(file);
  person.Load(file);
  EXPECT_TRUE(Files().empty()) << "no copy without unsaved changes";

  person.SetLink(1, kLink);
  ASSERT_TRUE(WaitForWrites(1));
  const std::string stem = keeper.CopyStem();
  EXPECT_EQ(Files(), FilesOf(stem));
  EXPECT_EQ(StoredLink(folder.PageFile(stem), 1), kLink);
  EXPECT_EQ(test::ReadFileBytes(file), stored) << "the own file isn't touched";
  const std::optional<TRecoveryRecord> record = folder.ReadRecord(stem);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->ownFile, file);
  ASSERT_TRUE(record->place);
  EXPECT_EQ(record->place->number, 3);
  EXPECT_EQ(record->ownFileIdentity, window.EditedPage().KnownIdentity());
  for (const std::string& path : {dir.File("state/mokepontasu-pagemaker"), folder.Path()}) {
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u) << path;
  }

  // Further changes go into the same copy; Ctrl+S removes it.
  person.SetLink(2, kLink);
  ASSERT_TRUE(WaitForWrites(2));
  EXPECT_EQ(keeper.CopyStem(), stem);
  EXPECT_EQ(StoredLink(folder.PageFile(stem), 2), kLink);
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(window.EditedPage().Modified());
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(keeper.CopyStem().empty());
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(RecoveryTest, TheCopyOfANewPageLeavesItsEmptyBackgroundAndLeavingTheChangesRemovesIt) {
  person.SetLink(0, kLink);
  ASSERT_TRUE(WaitForWrites(1));
  EXPECT_TRUE(window.Page().BackgroundHolder().IsEmpty());
  EXPECT_EQ(window.Image2->Picture(), nullptr);
  EXPECT_TRUE(window.EditedPage().Modified());
  const std::optional<TRecoveryRecord> record = folder.ReadRecord(keeper.CopyStem());
  ASSERT_TRUE(record);
  EXPECT_TRUE(record->ownFile.empty());
  EXPECT_FALSE(record->place);

  questions.Answer("保存しない");
  EXPECT_TRUE(window.PageFiles().MayLeavePage());
  EXPECT_TRUE(Files().empty());
}

TEST_F(RecoveryTest, ANormalCloseKeepsTheChangesAndTheNextStartRestoresThemAsUnsaved) {
  const std::string file = StoredPage("notes.pag");
  {
    KeptEditor first(dialogs, kOnlyWhenAsked);
    first.person.Load(file);
    first.person.SetLink(4, kLink);
    EXPECT_EQ(first.writes.count(), 0);
    first.window.close();  // the copy is written now, asking nothing
    EXPECT_EQ(first.writes.count(), 1);
    EXPECT_TRUE(questions.asked.empty());
  }
  ASSERT_EQ(UnheldStems().size(), 1u);

  KeptEditor next(dialogs, kAtOnce);
  box.Answer(TRecoveryAction::Restore, 0);
  OfferRecovery(next.window, next.keeper);
  ASSERT_EQ(box.shown.size(), 1u);
  ASSERT_EQ(box.shown[0].size(), 1u);
  EXPECT_EQ(box.shown[0][0].page, "notes.pag");
  EXPECT_EQ(box.shown[0][0].folder.toStdString(), dir.Path().string());
  EXPECT_EQ(box.closed, 1);

  TEditedPage& edited = next.window.EditedPage();
  EXPECT_EQ(edited.FileName(), file);
  EXPECT_TRUE(edited.Modified());
  EXPECT_EQ(next.window.Page().Link(4), kLink);
  // The restored copy is this editor's now: held, rewritten, removed by Ctrl+S.
  EXPECT_FALSE(next.keeper.CopyStem().empty());
  EXPECT_TRUE(UnheldStems().empty());
  next.person.SetLink(5, kLink);
  ASSERT_TRUE(next.WaitForWrites(1));
  EXPECT_EQ(StoredLink(folder.PageFile(next.keeper.CopyStem()), 5), kLink);
  QTest::keyClick(&next.window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(StoredLink(file, 4), kLink);
  EXPECT_EQ(StoredLink(file, 5), kLink);
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(RecoveryTest, AKilledEditorsChangesAreOfferedOnlyOnceItIsGoneAndSaveToTheirFile) {
  const std::string file = StoredPage("page5.pag", kLink);
  QProcess child;
  child.start(PM_RECOVERY_CHILD, {QString::fromStdString(file), "1", "2", "3", "4", "5", "6"});
  ASSERT_TRUE(child.waitForStarted());
  while (!child.canReadLine()) {
    ASSERT_TRUE(child.waitForReadyRead(60000)) << child.readAllStandardError().toStdString();
  }
  const std::string childStem = child.readLine().trimmed().mid(5).toStdString();
  ASSERT_TRUE(TRecoveryFolder::IsStem(childStem)) << childStem;

  // This editor keeps its own copy beside the other's; neither is offered while both run.
  person.SetLink(7, kLink);
  ASSERT_TRUE(WaitForWrites(1));
  EXPECT_NE(keeper.CopyStem(), childStem);
  EXPECT_TRUE(UnheldStems().empty());

  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished());
  EXPECT_EQ(UnheldStems(), std::vector<std::string>{childStem});

  KeptEditor next(dialogs, kAtOnce);
  box.Answer(TRecoveryAction::Restore, 0);
  OfferRecovery(next.window, next.keeper);
  ASSERT_EQ(box.shown.size(), 1u);
  ASSERT_EQ(box.shown[0].size(), 1u);
  EXPECT_EQ(box.shown[0][0].page, "ページ 5 (page5.pag)");
  EXPECT_EQ(next.window.Edit10->Text(), "6") << "the window shows link 0 as restored";
  QTest::keyClick(&next.window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(StoredLink(file, 0), kOtherLink);
  EXPECT_EQ(Files(), FilesOf(keeper.CopyStem())) << "only the running editor's copy is left";
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(RecoveryTest, DiscardRemovesACopyLaterKeepsTheRestAndARestoreAsksAboutTheOwnChanges) {
  for (const std::string name : {"a.pag", "b.pag"}) {
    KeptEditor earlier(dialogs, kOnlyWhenAsked);
    earlier.person.Load(StoredPage(name));
    earlier.person.SetLink(1, kLink);
    earlier.window.close();
  }
  person.Show();
  // The newest first: b.pag, then a.pag.
  box.Answer(TRecoveryAction::Discard, 0);
  box.Answer(TRecoveryAction::Later);
  OfferRecovery(window, keeper);
  ASSERT_EQ(box.shown.size(), 2u);
  ASSERT_EQ(box.shown[0].size(), 2u);
  EXPECT_EQ(box.shown[0][0].page, "b.pag");
  ASSERT_EQ(box.shown[1].size(), 1u);
  EXPECT_EQ(box.shown[1][0].page, "a.pag");
  EXPECT_EQ(UnheldStems().size(), 1u);
  EXPECT_EQ(Files().size(), 3u);

  // The page has changes of its own: "キャンセル" keeps them and the box asks again.
  person.SetLink(9, kLink);
  questions.Answer("キャンセル");
  box.Answer(TRecoveryAction::Restore, 0);
  box.Answer(TRecoveryAction::Later);
  OfferRecovery(window, keeper);
  EXPECT_EQ(questions.Texts(), std::vector<std::string>{"新しいページ の変更を保存しますか？"});
  EXPECT_EQ(window.Page().Link(9), kLink);
  EXPECT_EQ(box.shown.size(), 4u);
  EXPECT_EQ(UnheldStems().size(), 1u);
}

TEST_F(RecoveryTest, ChangesThatALoadReplacesWithoutAskingAreKeptForTheNextStart) {
  person.Load(StoredPage("first.pag"));
  person.SetLink(3, kLink);
  ASSERT_TRUE(WaitForWrites(1));
  const std::string first = keeper.CopyStem();
  person.Load(StoredPage("second.pag"));  // the lower "読み込み" asks nothing
  ASSERT_TRUE(QTest::qWaitFor([&] { return keeper.CopyStem().empty(); }));
  EXPECT_EQ(UnheldStems(), std::vector<std::string>{first});
  EXPECT_EQ(StoredLink(folder.PageFile(first), 3), kLink);

  // The changes of the page loaded now get a copy of their own.
  person.SetLink(4, kLink);
  ASSERT_TRUE(WaitForWrites(2));
  EXPECT_NE(keeper.CopyStem(), first);
  EXPECT_EQ(folder.ReadRecord(keeper.CopyStem())->ownFile, dir.File("second.pag"));
}

TEST_F(RecoveryTest, ARestoredPageWhoseFileChangedSinceAsksBeforeOverwritingIt) {
  const std::string file = StoredPage("page8.pag");
  {
    KeptEditor earlier(dialogs, kOnlyWhenAsked);
    earlier.person.Load(file);
    earlier.person.SetLink(1, kLink);
    earlier.window.close();
  }
  // Another program writes the file before the next start.
  StoredPage("page8.pag", kOtherLink);
  box.Answer(TRecoveryAction::Restore);
  OfferRecovery(window, keeper);
  questions.Answer("キャンセル");
  EXPECT_FALSE(window.PageFiles().Save());
  EXPECT_EQ(StoredLink(file, 0), kOtherLink);
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_NE(questions.Texts()[0].find(file), std::string::npos);

  // A new page of a document whose file has appeared meanwhile is asked about too.
  TForm1 other;
  test::WindowDriver otherPerson(other, dialogs);
  otherPerson.Show();
  other.EditedPage().StartedNew(TDocumentPlace{dir.File("p%d.pag"), 2});
  otherPerson.SetLink(0, kLink);
  StoredPage("p2.pag", kOtherLink);
  questions.Answer("キャンセル");
  EXPECT_FALSE(other.PageFiles().Save());
  EXPECT_EQ(StoredLink(dir.File("p2.pag"), 0), kOtherLink);
}

TEST_F(RecoveryTest, AHostileFolderIsReadWithoutCrashingAndNothingOutsideItIsRemoved) {
  folder.Create();
  const std::string outside = StoredPage("outside.pag");
  const std::string outsideRecord = dir.File("outside.json");
  // A valid record of a copy whose page file is garbage: offered; its failure shows.
  const std::string broken = "recovery-1-5000-0";
  test::WriteFileBytes(folder.PageFile(broken), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'a', 'g', 'e'});
  const TRecoveryRecord brokenRecord{outside, std::nullopt, std::nullopt, 5000};
  const QByteArray encoded = EncodeRecoveryRecord(brokenRecord);
  test::WriteFileBytes(folder.RecordFile(broken), {encoded.begin(), encoded.end()});
  // Records that are passed over, their files left as they are.
  const auto bytes = [](const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
  };
  test::WriteFileBytes(folder.RecordFile("recovery-1-4000-0"), bytes("{ garbage"));
  test::WriteFileBytes(folder.RecordFile("recovery-1-3000-0"),
                       std::vector<uint8_t>(kLargestRecoveryRecord + 10, ' '));
  test::WriteFileBytes(folder.RecordFile("recovery-1-2000-0"),
                       bytes(R"({"kind": "something else", "ownFile": "/etc"})"));
  test::WriteFileBytes(outsideRecord, {encoded.begin(), encoded.end()});
  std::filesystem::create_symlink(outsideRecord, folder.RecordFile("recovery-1-1000-0"));
  std::filesystem::create_symlink(outside, folder.PageFile("recovery-1-1000-0"));
  test::WriteFileBytes(folder.Path() + "/not-a-stem.json", {encoded.begin(), encoded.end()});
  const std::set<std::string> skipped = Files();

  box.Answer(TRecoveryAction::Restore);
  box.Answer(TRecoveryAction::Discard);
  OfferRecovery(window, keeper);
  ASSERT_EQ(box.shown.size(), 2u);
  ASSERT_EQ(box.shown[0].size(), 1u) << "only the record as this editor writes it";
  EXPECT_EQ(box.shown[0][0].page, "outside.pag");
  EXPECT_EQ(errors.shown.size(), 1u) << "the copy that can't be read says so and stays";
  EXPECT_FALSE(window.EditedPage().Modified());

  std::set<std::string> left = skipped;
  for (const std::string& name : FilesOf(broken)) left.erase(name);
  EXPECT_EQ(Files(), left);
  EXPECT_TRUE(std::filesystem::exists(outside));
  EXPECT_TRUE(std::filesystem::exists(outsideRecord));
}

TEST_F(RecoveryTest, ACopyThatCantBeWrittenIsToldOnceUntilOneIsWritten) {
  test::WriteFileBytes(dir.File("blocked"), {});
  StateHome blocked(dir.File("blocked"));
  KeptEditor editor(dialogs, kAtOnce);
  editor.person.SetLink(1, kLink);
  ASSERT_TRUE(QTest::qWaitFor([&] { return errors.shown.size() == 1; }));
  editor.person.SetLink(2, kLink);
  EXPECT_NO_THROW(editor.keeper.WritePendingChanges()) << "already told";
  ASSERT_EQ(errors.shown.size(), 1u);
  EXPECT_NE(errors.shown[0].text.find("復旧用コピーを書き込めません"), std::string::npos);
  EXPECT_EQ(editor.writes.count(), 0);
}

TEST(RecoveryFolderTest, TheFolderIsUnderXdgStateHomeWhenItIsAbsoluteElseUnderTheHome) {
  const Environment home("HOME", "/home/someone");
  const std::string underHome = "/home/someone/.local/state/mokepontasu-pagemaker/recovery";
  for (const std::string stateHome : {"", "relative/state"}) {
    const StateHome state(stateHome);
    EXPECT_EQ(RecoveryFolderPath(), underHome) << stateHome;
  }
  const StateHome state("/var/state");
  EXPECT_EQ(RecoveryFolderPath(), "/var/state/mokepontasu-pagemaker/recovery");
}

TEST(RecoveryRecordTest, ARecordComesBackExactlyAndAnythingElseIsRefused) {
  const std::string file = "/tmp/\xff\xfe odd/p%q/page12.pag";  // no UTF-8, and a "%"
  const TRecoveryRecord record{
      "/home/a/story/page12.pag", TDocumentPlace{"/home/a/story/page%d.pag", 12},
      TFileIdentity{~0ull, ~0ull - 1, 1ll << 40, 1700000000, 999999999}, 1700000000123};
  EXPECT_EQ(DecodeRecoveryRecord(EncodeRecoveryRecord(record)), record);
  const TRecoveryRecord odd{file, DocumentPlaceOf(file), std::nullopt, 1};
  EXPECT_EQ(DecodeRecoveryRecord(EncodeRecoveryRecord(odd)), odd);
  EXPECT_EQ(DecodeRecoveryRecord(EncodeRecoveryRecord(TRecoveryRecord{})), TRecoveryRecord{});

  const auto edited = [&](const char* field, const QJsonValue& value) {
    QJsonObject object = QJsonDocument::fromJson(EncodeRecoveryRecord(record)).object();
    object[field] = value;
    return DecodeRecoveryRecord(QJsonDocument(object).toJson());
  };
  EXPECT_FALSE(edited("ownFile", "relative/page12.pag"));
  EXPECT_FALSE(edited("ownFile", QJsonValue::Null)) << "a place and an identity without a file";
  EXPECT_FALSE(edited("document", QJsonObject{{"pattern", "/x/page%d.pag"}, {"page", 12}}));
  EXPECT_FALSE(edited("writtenAt", 5));
  EXPECT_FALSE(edited("version", 2));
  EXPECT_FALSE(edited("ownFileIdentity", QJsonObject{{"device", "-1"}}));
  EXPECT_FALSE(DecodeRecoveryRecord("[]"));
}

}  // namespace
}  // namespace pm
