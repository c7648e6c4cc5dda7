#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "page/PageFile.h"
#include "tests/page/PageFileTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using namespace page_file;

size_t FilesIn(const std::filesystem::path& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator()));
}

// A page whose every part differs from what a load would bring.
void FillPage(TPage& page) {
  page.SetBackgroundFileName("/pictures/back.bmp");
  page.SetBackgroundBitmap(test::GradientBitmap(8, 8));
  for (const int slot : {0, 150, 201}) {
    page.SelectSlot(slot);
    page.SetSlotFileName("/pictures/" + std::to_string(slot) + ".bmp");
    page.SetSlotBitmap(test::GradientBitmap(6, 6, slot));
  }
  page.SelectLink(12);
  page.SetLinkField(TLinkField::Top, 1234);
  page.SelectSlot(150);
}

class PageFileFailureTest : public ::testing::Test {
 protected:
  // A well-formed file with a background and slots 0 to 255 all stored.
  test::PageFileBuilder FullFile() {
    test::PageFileBuilder builder;
    const auto jpeg = test::EncodeWithHolder(test::GradientBitmap(8, 8, 5));
    const auto size = static_cast<int32_t>(jpeg.size());
    builder.SetBackground(builder.Append(jpeg), size);
    for (int slot = 0; slot < kSlotCount; ++slot) builder.SetSlot(slot, builder.Append(jpeg), size);
    builder.SetLinkTable(static_cast<int32_t>(builder.Bytes().size()));
    std::array<TLinkRecord, kLinkCount> links{};
    links[12].Top = 5;
    builder.PutLinks(links);
    return builder;
  }

  // Loads the file into a filled page, expects the failure's class and message, and proves that
  // the page is exactly as before.
  template <typename Failure>
  void ExpectLoadFails(const std::vector<uint8_t>& bytes, const std::string& message) {
    test::WriteFileBytes(file_, bytes);
    ExpectLoadOfFileFails<Failure>(message);
  }

  template <typename Failure>
  void ExpectLoadOfFileFails(const std::string& message, bool fileHeldElsewhere = false) {
    TPage page;
    FillPage(page);
    const test::PageSnapshot before(page);
    test::RecordingListener listener;
    try {
      ReadPageFile(page, file_, &listener);
      ADD_FAILURE() << "the load succeeded";
    } catch (const Failure& e) {
      EXPECT_EQ(e.Message(), message);
    }
    EXPECT_TRUE(test::PageSnapshot(page) == before);
    EXPECT_TRUE(listener.events.empty());
    // The file was closed: it can be opened exclusively again.
    if (std::filesystem::exists(file_) && !fileHeldElsewhere) {
      EXPECT_NO_THROW(TFileStream(file_, FileAccess::ReadExclusive));
    }
  }

  test::TempDir dir_;
  std::string file_ = dir_.File("page.pag");
};

TEST_F(PageFileFailureTest, FilesThatCantBeOpenedLeaveThePageAlone) {
  ExpectLoadOfFileFails<EFOpenError>("ファイル " + file_ + " は開けません");
  test::WriteFileBytes(file_, FullFile().Bytes());
  {
    TFileStream held(file_, FileAccess::ReadExclusive);
    ExpectLoadOfFileFails<EFOpenError>("ファイル " + file_ + " は開けません", true);
  }
  TPage page;
  EXPECT_NO_THROW(ReadPageFile(page, file_, nullptr));
}

TEST_F(PageFileFailureTest, ShortFilesAndEntriesPastTheEndAreReadErrors) {
  const std::string readError = "ストリームからの読み込みエラー";
  ExpectLoadFails<EReadError>({}, readError);
  ExpectLoadFails<EReadError>(std::vector<uint8_t>(7, 0xFF), readError);

  auto cut = FullFile().Bytes();
  cut.resize(2064);  // the header alone: every stream past the end
  ExpectLoadFails<EReadError>(cut, readError);

  auto hugeSize = FullFile();
  hugeSize.SetSlot(17, 2064, 0x7FFFFFF0);
  ExpectLoadFails<EReadError>(hugeSize.Bytes(), readError);

  auto negativeOffset = FullFile();
  negativeOffset.SetSlot(3, -2, 10);
  ExpectLoadFails<EReadError>(negativeOffset.Bytes(), readError);

  auto negativeSize = FullFile();
  negativeSize.SetSlot(3, 2064, -5);
  ExpectLoadFails<EReadError>(negativeSize.Bytes(), readError);

  auto negativeTable = FullFile();
  negativeTable.SetEntry(kLinkTableEntryOffset, -7168, 7168);
  ExpectLoadFails<EReadError>(negativeTable.Bytes(), readError);

  auto cutTable = FullFile().Bytes();
  cutTable.resize(cutTable.size() - 1);  // the last record's Bitmap is one byte short
  ExpectLoadFails<EReadError>(cutTable, readError);
}

TEST_F(PageFileFailureTest, JpegFailuresAtSlot200AndInSlot0StopTheLoadWithNothingChanged) {
  auto badSlot200 = FullFile();
  const int32_t at = badSlot200.Append({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
  badSlot200.SetSlot(200, at, 8);
  ExpectLoadFails<EJPEG>(badSlot200.Bytes(), "JPEG エラー #52");

  // Slot 0's header reads, but its picture can't be decoded: no quantisation table.
  auto undecodable = FullFile();
  const auto jpeg = test::WithoutSegments(test::EncodeWithHolder(test::GradientBitmap(8, 8)), 0xDB);
  undecodable.SetSlot(0, undecodable.Append(jpeg), static_cast<int32_t>(jpeg.size()));
  ExpectLoadFails<EJPEG>(undecodable.Bytes(), "JPEG エラー #51");

  // A background of 0 bytes has nothing to decode.
  auto emptyBackground = FullFile();
  emptyBackground.SetBackground(2064, 0);
  ExpectLoadFails<EJPEG>(emptyBackground.Bytes(), "JPEG エラー #41");
}

TEST_F(PageFileFailureTest, AnEntryOfMinusOneIsEmptyWhateverItsSizeAndSizeZeroLoadsNoBytes) {
  auto file = FullFile();
  file.SetSlot(5, -1, 123456);
  file.SetSlot(6, 2064, 0);
  test::WriteFileBytes(file_, file.Bytes());
  TPage page;
  ReadPageFile(page, file_, nullptr);
  EXPECT_TRUE(page.SlotHolder(5).IsEmpty());
  EXPECT_FALSE(page.SlotHolder(6).IsEmpty());
  EXPECT_TRUE(page.SlotHolder(6).Data().HasBytes());
  EXPECT_EQ(page.SlotHolder(6).Data().Bytes().size(), 0u);
}

class PageFileSaveFailureTest : public PageFileFailureTest {
 protected:
  void SetUp() override {
    test::WriteFileBytes(file_, previous_);
    page_.SelectSlot(1);
    page_.SetSlotBitmap(test::GradientBitmap(64, 64));
  }

  // The save fails with the message; the earlier file is untouched and nothing else is left.
  template <typename Failure>
  void ExpectSaveFails(const std::string& fileName, const std::string& message) {
    const size_t filesBefore = FilesIn(dir_.Path());
    try {
      WritePageFile(page_, fileName);
      ADD_FAILURE() << "the save succeeded";
    } catch (const Failure& e) {
      EXPECT_EQ(e.Message(), message);
    }
    EXPECT_EQ(test::ReadFileBytes(file_), previous_);
    EXPECT_EQ(FilesIn(dir_.Path()), filesBefore);
  }

  const std::vector<uint8_t> previous_{'o', 'l', 'd', ' ', 'p', 'a', 'g', 'e'};
  TPage page_;
};

TEST_F(PageFileSaveFailureTest, TargetsThatCantBeWrittenFailWithTheNameAsChosen) {
  const std::string missingFolder = dir_.File("no/such/folder.pag");
  ExpectSaveFails<EFCreateError>(missingFolder, "ファイル " + missingFolder + " を作成できません");

  std::filesystem::permissions(file_, std::filesystem::perms(0444));
  ExpectSaveFails<EFCreateError>(file_, "ファイル " + file_ + " を作成できません");
  std::filesystem::permissions(file_, std::filesystem::perms(0644));

  {
    TFileStream loading(file_, FileAccess::ReadExclusive);
    ExpectSaveFails<EFCreateError>(file_, "ファイル " + file_ + " を作成できません");
  }
  ExpectSaveFails<EFCreateError>(dir_.Path().string(),
                                 "ファイル " + dir_.Path().string() + " を作成できません");
  // The target couldn't even be created, so the background is still empty.
  EXPECT_TRUE(page_.BackgroundHolder().IsEmpty());
}

TEST_F(PageFileSaveFailureTest, AReadOnlyFolderRefusesTheSave) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions don't bind the superuser";
  std::filesystem::permissions(dir_.Path(), std::filesystem::perms(0555));
  ExpectSaveFails<EFCreateError>(file_, "ファイル " + file_ + " を作成できません");
}

TEST_F(PageFileSaveFailureTest, RunningOutOfRoomKeepsThePreviousFile) {
  // A file size limit stands for a full disk: writes past it fail.
  struct sigaction ignore {};
  struct sigaction previousAction {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &previousAction), 0);
  struct rlimit limit {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const struct rlimit small { 4096, limit.rlim_max };
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

  ExpectSaveFails<EWriteError>(file_, "ストリームへの書き込みエラー");

  ::setrlimit(RLIMIT_FSIZE, &limit);
  ::sigaction(SIGXFSZ, &previousAction, nullptr);
  // The placeholder background stays after the failed save; a later save succeeds.
  EXPECT_FALSE(page_.BackgroundHolder().IsEmpty());
  WritePageFile(page_, file_);
  TPage loaded;
  ReadPageFile(loaded, file_, nullptr);
  EXPECT_FALSE(loaded.SlotHolder(1).IsEmpty());
}

}  // namespace
}  // namespace pm
