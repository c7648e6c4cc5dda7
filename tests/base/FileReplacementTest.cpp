// The new file of a replacement: without a name until the end where the file system allows,
// otherwise named and removed by the signals that end a process; the lock of a file read before
// it is replaced; names that fit whatever the target is called.
#include "base/FileReplacement.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "base/Exceptions.h"
#include "base/StagedFolder.h"
#include "base/TemporaryNames.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

void WriteText(TStream& stream, const std::string& text) {
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

// Runs `prepare` in a child process, which then waits to be ended by `signal`; returns the
// signal that ended it, with the names in `folder` while it waited.
int EndChildBySignal(const std::function<void()>& prepare, int signal, const fs::path& folder,
                     std::set<std::string>& namesMeanwhile) {
  int ready[2];
  EXPECT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready[0]);
    prepare();
    const char done = 1;
    [[maybe_unused]] const ssize_t written = ::write(ready[1], &done, 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char done = 0;
  EXPECT_EQ(::read(ready[0], &done, 1), 1);
  ::close(ready[0]);
  namesMeanwhile = test::NamesIn(folder);
  ::kill(child, signal);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
}

TEST(FileReplacementTest, ATemporaryNameGoesWithTheSignalThatEndsTheProcess) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    test::TempDir dir;
    test::WriteFileBytes(dir.File("page.pag"), {'o', 'l', 'd'});
    std::set<std::string> meanwhile;

    // A named new file, as where the file system has no unnamed ones.
    const int endedBy = EndChildBySignal(
        [&] {
          static TFileReplacement* replacement = new TFileReplacement(
              dir.File("page.pag"), TFileDescriptor(), TFileReplacement::Temporary::Named);
          WriteText(replacement->Stream(), "new");
        },
        signal, dir.Path(), meanwhile);
    EXPECT_EQ(endedBy, signal) << "the signal ends the process as it would have";
    EXPECT_EQ(meanwhile.size(), 2u);
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"page.pag"});
    EXPECT_EQ(test::ReadFileBytes(dir.File("page.pag")), (std::vector<uint8_t>{'o', 'l', 'd'}));

    // A staged folder with a file in it.
    EndChildBySignal(
        [&] {
          static TStagedFolder* staged = new TStagedFolder(dir.File("out"));
          staged->Write("a.jpg", [](TStream& stream) { WriteText(stream, "a"); });
        },
        signal, dir.Path(), meanwhile);
    EXPECT_EQ(meanwhile.size(), 2u);
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"page.pag"});
  }
}

TEST(FileReplacementTest, AnUnnamedFileIsNamedOnlyWhenComplete) {
  test::TempDir dir;
  const std::string target = dir.File("new.pag");
  // A new target, then the same one replaced.
  for (const std::string content : {"first", "second"}) {
    const std::set<std::string> before = test::NamesIn(dir.Path());
    TFileReplacement replacement(target);
    if (!replacement.IsUnnamed()) GTEST_SKIP() << dir.Path() << " has no unnamed files";
    WriteText(replacement.Stream(), content);
    EXPECT_EQ(test::NamesIn(dir.Path()), before);
    replacement.Commit();
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"new.pag"});
    EXPECT_EQ(test::ReadFileBytes(target), std::vector<uint8_t>(content.begin(), content.end()));
  }
}

TEST(FileReplacementTest, ASaveRemovesWhatAKilledSaveOfTheSameTargetLeft) {
  test::TempDir dir;
  test::WriteFileBytes(dir.File("page.pag"), {'o', 'l', 'd'});
  const std::vector<std::string> left{".page.pag.Ab12Cd", ".page.pag.zzzzzz"};
  for (const std::string& name : left) test::WriteFileBytes(dir.File(name), {'x'});
  // Still held by a live process; or names of another kind.
  const std::vector<std::string> kept{".page.pag.HeLd00", ".page.pag.a", ".page.pag.txt.Ab12Cd",
                                      ".other.pag.Ab12Cd", "page.pag.Ab12Cd"};
  for (const std::string& name : kept) test::WriteFileBytes(dir.File(name), {'x'});
  TFileDescriptor held(::open(dir.File(kept[0]).c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_TRUE(held.TryLock(TFileLock::Exclusive));

  TFileReplacement replacement(dir.File("page.pag"));
  WriteText(replacement.Stream(), "new");
  replacement.Commit();
  std::set<std::string> expected(kept.begin(), kept.end());
  expected.insert("page.pag");
  EXPECT_EQ(test::NamesIn(dir.Path()), expected);
}

TEST(FileReplacementTest, TheLockOfTheReadingHoldsTheFileUntilItIsReplaced) {
  test::TempDir dir;
  const std::string page = dir.File("page.pag");
  test::WriteFileBytes(page, {'o', 'l', 'd'});
  {
    // Held by a reading of this process, the file can't be taken again, not even here...
    TFileStream reading(page, FileAccess::ReadExclusive);
    EXPECT_THROW(TFileReplacement{page}, EFCreateError);
    // ...but the reading's lock may serve the replacement.
    TFileReplacement replacement(page, reading.TakeDescriptor());
    WriteText(replacement.Stream(), "new");
    replacement.Commit();
    // Until the replacement ends, the new file is held as well.
    EXPECT_THROW(TFileStream(page, FileAccess::ReadShared), EFOpenError);
  }
  EXPECT_EQ(test::ReadFileBytes(page), (std::vector<uint8_t>{'n', 'e', 'w'}));

  // A lock taken on a file that has since been renamed over protects nothing.
  TFileDescriptor held(::open(page.c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_TRUE(held.TryLock(TFileLock::Exclusive));
  EXPECT_TRUE(held.IsNamedBy(page));
  test::WriteFileBytes(dir.File("other"), {'x'});
  fs::rename(dir.File("other"), page);
  EXPECT_FALSE(held.IsNamedBy(page));
}

TEST(FileReplacementTest, TemporaryNamesFitWhateverTheTargetIsCalled) {
  const std::string longest(NAME_MAX, 'n');
  // Three bytes a character: the name is never cut inside one.
  std::string japanese;
  while (japanese.size() + 3 <= NAME_MAX) japanese += "画";
  for (const std::string& target : {std::string("a"), longest, japanese}) {
    const std::string pattern = HiddenTemporaryPattern(target);
    EXPECT_LE(pattern.size() + 4, size_t{NAME_MAX}) << "room for \".old\"";
    EXPECT_EQ(pattern.substr(pattern.size() - 6), "XXXXXX");
    EXPECT_EQ(pattern.front(), '.');
    const std::string name = HiddenTemporaryName(target);
    EXPECT_EQ(name.size(), pattern.size());
    EXPECT_EQ((pattern.size() - 8) % (target == japanese ? 3 : 1), 0u);
  }

  test::TempDir dir;
  for (const auto temporary :
       {TFileReplacement::Temporary::Unnamed, TFileReplacement::Temporary::Named}) {
    TFileReplacement replacement(dir.File(longest), TFileDescriptor(), temporary);
    WriteText(replacement.Stream(), "x");
    replacement.Commit();
  }
  EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{longest});
}

}  // namespace
}  // namespace pm
