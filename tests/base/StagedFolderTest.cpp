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

TEST(StagedFolderTest, ReplacingTheTargetSwapsWholeFoldersAndRefusesAFile) {
  test::TempDir dir;
  const fs::path site = dir.Path() / "site";
  fs::create_directory(site);
  test::WriteFileBytes((site / "old.html").string(), {'o'});

  TStagedFolder staged(site.string());
  Put(staged, "index.html", "new");
  staged.ReplaceTarget();
  EXPECT_EQ(test::NamesIn(site), std::set<std::string>{"index.html"});
  EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"site"});

  const std::string file = dir.File("plain");
  test::WriteFileBytes(file, {'x'});
  EXPECT_THROW(TStagedFolder{file}, EFCreateError);
}

}  // namespace
}  // namespace pm
