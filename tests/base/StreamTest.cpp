#include <gtest/gtest.h>

#include <sys/stat.h>

#include <vector>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

TEST(MemoryStreamTest, GrowsKeepsPositionAndReadsBack) {
  TMemoryStream stream;
  for (int32_t i = 0; i < 10000; ++i) stream.WriteInt32(i);
  EXPECT_EQ(stream.Size(), 40000);
  EXPECT_EQ(stream.Position(), 40000);
  stream.SetPosition(4 * 9999);
  EXPECT_EQ(stream.ReadInt32(), 9999);
  EXPECT_EQ(stream.Remaining(), 0);
  EXPECT_THROW(stream.ReadInt32(), EReadError);

  stream.Seek(-8, SeekOrigin::End);
  EXPECT_EQ(stream.ReadInt32(), 9998);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStreamTest, WritingPastTheEndExtendsTheBuffer) {
  TMemoryStream stream;
  stream.SetPosition(8);
  stream.WriteInt32(-2);
  EXPECT_EQ(stream.Size(), 12);
  stream.SetPosition(8);
  EXPECT_EQ(stream.ReadInt32(), -2);
}

TEST(MemoryStreamTest, AnImpossibleSizeRaisesTheGrowMessage) {
  TMemoryStream stream;
  try {
    stream.SetSize(int64_t{1} << 62);
    FAIL();
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "メモリストリームの拡大中にメモリが足りなくなりました");
  }
}

TEST(FileStreamTest, ShortReadsAndMissingFilesFailWithTheirMessages) {
  test::TempDir dir;
  const std::string name = dir.File("a.bin");
  {
    TFileStream file(name, FileAccess::CreateExclusive);
    file.WriteInt32(0x01020304);
  }
  TFileStream file(name, FileAccess::ReadShared);
  EXPECT_EQ(file.Size(), 4);
  EXPECT_EQ(file.ReadInt32(), 0x01020304);
  try {
    file.ReadInt32();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "ストリームからの読み込みエラー");
  }
  // A seek past the end succeeds; the read there fails.
  file.SetPosition(100);
  EXPECT_THROW(file.ReadInt32(), EReadError);

  try {
    TFileStream missing(dir.File("missing.pag"), FileAccess::ReadExclusive);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + dir.File("missing.pag") + " は開けません");
  }
  EXPECT_THROW(TFileStream(dir.Path().string(), FileAccess::ReadShared), EFOpenError);
}

TEST(FileStreamTest, AnExclusiveOpenShutsOutEveryOtherOpen) {
  test::TempDir dir;
  const std::string name = dir.File("page.pag");
  test::WriteFileBytes(name, {1, 2, 3});
  {
    TFileStream held(name, FileAccess::ReadExclusive);
    EXPECT_THROW(TFileStream(name, FileAccess::ReadExclusive), EFOpenError);
    EXPECT_THROW(TFileStream(name, FileAccess::ReadShared), EFOpenError);
    try {
      TFileStream(name, FileAccess::CreateExclusive);
      FAIL();
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message(), "ファイル " + name + " を作成できません");
    }
    // The refused create left the content alone.
    EXPECT_EQ(test::ReadFileBytes(name).size(), 3u);
  }
  // Shared readers may meet.
  TFileStream first(name, FileAccess::ReadShared);
  EXPECT_NO_THROW(TFileStream(name, FileAccess::ReadShared));
  EXPECT_THROW(TFileStream(name, FileAccess::ReadExclusive), EFOpenError);
}

TEST(FileStreamTest, CreateEmptiesAnExistingFile) {
  test::TempDir dir;
  const std::string name = dir.File("page.pag");
  test::WriteFileBytes(name, std::vector<uint8_t>(100, 7));
  TFileStream file(name, FileAccess::CreateExclusive);
  EXPECT_EQ(file.Size(), 0);
}

}  // namespace
}  // namespace pm
