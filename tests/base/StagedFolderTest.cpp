#include "base/StagedFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/Exceptions.h"
#include "base/FileModes.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

void Put(TStagedFolder& staged, const std::string& name, const std::string& text) {
  staged.Write(name, [&](TStream& stream) {
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  });
}

std::string Text(const fs::path& file) {
  const auto bytes = test::ReadFileBytes(file.string());
  return {bytes.begin(), bytes.end()};
}

TEST(StagedFolderTest, FilesAppearTogetherBesideTheOthersOrNotAtAll) {
  test::TempDir dir;
  const fs::path out = dir.Path() / "out";
  fs::create_directory(out);
  test::WriteFileBytes((out / "keep.txt").string(), {'k'});
  test::WriteFileBytes((out / "a.jpg").string(), {'o', 'l', 'd'});

  {
    TStagedFolder staged(out.string() + "/");
    Put(staged, "a.jpg", "new");
    Put(staged, "b.jpg", "b");
    // Nothing shows before the end.
    EXPECT_EQ(Text(out / "a.jpg"), "old");
    EXPECT_FALSE(fs::exists(out / "b.jpg"));
  }  // a failure: the staged files go
  EXPECT_EQ(test::NamesIn(out), (std::set<std::string>{"keep.txt", "a.jpg"}));
  EXPECT_EQ(Text(out / "a.jpg"), "old");

  TStagedFolder staged(out.string());
  Put(staged, "a.jpg", "new");
  Put(staged, "b.jpg", "b");
  staged.MoveFilesIntoTarget();
  EXPECT_EQ(test::NamesIn(out), (std::set<std::string>{"keep.txt", "a.jpg", "b.jpg"}));
  EXPECT_EQ(Text(out / "a.jpg"), "new");

  // A folder that doesn't exist yet is the staged one, renamed, with a new folder's permissions
  // (not those of a private staging folder).
  TStagedFolder fresh((dir.Path() / "fresh").string());
  Put(fresh, "c.jpg", "c");
  fresh.MoveFilesIntoTarget();
  EXPECT_EQ(test::NamesIn(dir.Path()), (std::set<std::string>{"out", "fresh"}));
  EXPECT_EQ(Text(dir.Path() / "fresh" / "c.jpg"), "c");
  EXPECT_EQ(static_cast<mode_t>(fs::status(dir.Path() / "fresh").permissions()), NewFolderMode());
}

TEST(StagedFolderTest, OnlyAStagingFolderThatNoOneHoldsIsAbandoned) {
  test::TempDir dir;
  const fs::path out = dir.Path() / "out";
  fs::create_directory(out);
  const TStagedFolder inside(out.string());
  const TStagedFolder beside((dir.Path() / "new").string());
  EXPECT_TRUE(AbandonedStagingFolders(out.string()).empty());
  EXPECT_TRUE(AbandonedStagingFolders((dir.Path() / "new").string()).empty());

  // What processes that ended left, inside the target and beside it, and names of other kinds.
  for (const fs::path& left : {out / ".out.Ab12Cd", dir.Path() / ".out.zzzzzz",
                               dir.Path() / ".new.Q1w2E3", out / ".out.toolong1", out / "out.x"}) {
    fs::create_directory(left);
  }
  test::WriteFileBytes((out / ".out.File00").string(), {'f'});
  std::set<std::string> found;
  for (const auto& abandoned : AbandonedStagingFolders(out.string() + "/")) {
    found.insert(abandoned.path.filename().string());
  }
  EXPECT_EQ(found, (std::set<std::string>{".out.Ab12Cd", ".out.zzzzzz"}));
  const auto fresh = AbandonedStagingFolders((dir.Path() / "new").string());
  ASSERT_EQ(fresh.size(), 1u);
  EXPECT_EQ(fresh[0].path, dir.Path() / ".new.Q1w2E3");

  const std::string file = dir.File("plain");
  test::WriteFileBytes(file, {'x'});
  EXPECT_THROW(TStagedFolder{file}, EFCreateError);
}

}  // namespace
}  // namespace pm
