#include <gtest/gtest.h>

#include <filesystem>

#include "base/MemoryStream.h"
#include "page/PageFile.h"
#include "tests/page/PageFileTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using namespace page_file;
using test::IntAt;

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, int64_t offset, int64_t size) {
  return {bytes.begin() + offset, bytes.begin() + offset + size};
}

class PageFileTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string file_ = dir_.File("page.pag");
};

TEST_F(PageFileTest, ANewPageSavesWithThePlaceholderBackgroundAndEmptyEntries) {
  TPage page;
  WritePageFile(page, file_);
  const auto bytes = test::ReadFileBytes(file_);

  const int32_t backgroundSize = IntAt(bytes, 4);
  EXPECT_EQ(IntAt(bytes, 0), kHeaderSize);
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), kHeaderSize + backgroundSize + kLinkTableSize);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ASSERT_EQ(IntAt(bytes, SlotEntryOffset(slot)), -1);
    ASSERT_EQ(IntAt(bytes, SlotEntryOffset(slot) + 4), -1);
  }
  EXPECT_EQ(IntAt(bytes, 2056), kHeaderSize + backgroundSize);
  EXPECT_EQ(IntAt(bytes, 2060), 7168);
  const int64_t table = kHeaderSize + backgroundSize;
  for (int link = 0; link < kLinkCount; ++link) {
    for (int field = 0; field < 7; ++field) {
      ASSERT_EQ(IntAt(bytes, table + 28 * link + 4 * field), field == 5 ? 0 : -1);
    }
  }

  // The placeholder stays in the page: white with a one-pixel black frame.
  ASSERT_FALSE(page.BackgroundHolder().IsEmpty());
  TBitmap shown;
  page.BackgroundHolder().CopyToBitmap(shown);
  EXPECT_EQ(shown.Width(), 640);
  EXPECT_EQ(shown.Height(), 480);
  EXPECT_EQ(shown.Pixel(0, 0), clBlack);
  EXPECT_EQ(shown.Pixel(639, 479), clBlack);
  EXPECT_EQ(shown.Pixel(320, 240), clWhite);
  // The stored stream is that placeholder's encoding.
  EXPECT_EQ(Slice(bytes, kHeaderSize, backgroundSize), test::SavedBytes(page.BackgroundHolder()));
}

TEST_F(PageFileTest, TheWorkedLayoutOfABackgroundAndSlotThree) {
  TPage page;
  page.SetBackgroundBitmap(test::GradientBitmap(64, 48, 1));
  page.SelectSlot(3);
  page.SetSlotBitmap(test::GradientBitmap(32, 16, 2));
  page.SelectLink(9);
  page.SetLinkField(TLinkField::Left, 10);
  page.SetLinkField(TLinkField::Bitmap, 3);
  WritePageFile(page, file_);

  const auto bytes = test::ReadFileBytes(file_);
  const auto background = test::SavedBytes(page.BackgroundHolder());
  const auto slot3 = test::SavedBytes(page.SlotHolder(3));
  const int32_t n = static_cast<int32_t>(background.size());
  const int32_t m = static_cast<int32_t>(slot3.size());
  EXPECT_EQ(IntAt(bytes, 0), 2064);
  EXPECT_EQ(IntAt(bytes, 4), n);
  for (const int64_t at : {8, 16, 24}) EXPECT_EQ(IntAt(bytes, at), -1);
  EXPECT_EQ(IntAt(bytes, 32), 2064 + n);
  EXPECT_EQ(IntAt(bytes, 36), m);
  for (int64_t at = 40; at <= 2048; at += 8) ASSERT_EQ(IntAt(bytes, at), -1);
  EXPECT_EQ(IntAt(bytes, 2056), 2064 + n + m);
  EXPECT_EQ(IntAt(bytes, 2060), 7168);
  EXPECT_EQ(Slice(bytes, 2064, n), background);
  EXPECT_EQ(Slice(bytes, 2064 + n, m), slot3);
  EXPECT_EQ(IntAt(bytes, 2064 + n + m + 9 * 28), 10);
  EXPECT_EQ(IntAt(bytes, 2064 + n + m + 9 * 28 + 24), 3);
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), 9232 + n + m);
}

// A copy of the page written beside its own file holds the same bytes as a save, but leaves the
// page as the author has it: the background stays empty, and no view hears of anything.
TEST_F(PageFileTest, ACopyWithThePlaceholderInTheFileOnlyLeavesThePageUntouched) {
  struct CountingListener : TPageListener {
    void SlotChanged(int32_t) override { ++notices; }
    void BackgroundChanged() override { ++notices; }
    void LinkChanged(int32_t) override { ++notices; }
    void PageReplaced() override { ++notices; }
    int notices = 0;
  } listener;
  TPage page;
  page.SetSlotBitmap(2, test::GradientBitmap(20, 10));
  page.AddListener(&listener);
  WritePageFile(page, dir_.File("copy.pag"), TEmptyBackground::PlaceholderInFileOnly);
  EXPECT_TRUE(page.BackgroundHolder().IsEmpty());
  EXPECT_EQ(listener.notices, 0);
  page.RemoveListener(&listener);

  WritePageFile(page, file_);
  EXPECT_FALSE(page.BackgroundHolder().IsEmpty());
  EXPECT_EQ(test::ReadFileBytes(dir_.File("copy.pag")), test::ReadFileBytes(file_));
}

TEST_F(PageFileTest, TwoSavesInARowGiveIdenticalFiles) {
  TPage page;
  page.SelectSlot(200);
  page.SetSlotBitmap(test::GradientBitmap(20, 20));
  WritePageFile(page, file_);
  const auto first = test::ReadFileBytes(file_);
  WritePageFile(page, dir_.File("again.pag"));
  EXPECT_EQ(test::ReadFileBytes(dir_.File("again.pag")), first);
}

TEST_F(PageFileTest, LoadingThenSavingReproducesEveryStreamByteForByte) {
  // Streams in reverse order with gaps, trailing bytes after an end-of-image marker, and the
  // link table in the middle of the file.
  auto background = test::EncodeWithHolder(test::GradientBitmap(40, 30, 1));
  auto slot0 = test::EncodeWithHolder(test::GradientBitmap(10, 10, 2));
  slot0.insert(slot0.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  const auto slot255 = test::EncodeWithHolder(test::GradientBitmap(7, 3, 3));

  test::PageFileBuilder builder;
  builder.SetLinkTable(kHeaderSize);
  std::array<TLinkRecord, kLinkCount> links{};
  links[0] = TLinkRecord{1, 2, 3, 4, 5, 6, 7};
  links[255] = TLinkRecord{-5, 0, 0, 0, 99, 0x12345678, 255};
  builder.PutLinks(links);
  builder.Append(std::vector<uint8_t>(13, 0xAA));  // a gap
  const int32_t at255 = builder.Append(slot255);
  builder.Append(std::vector<uint8_t>(5, 0xBB));
  const int32_t at0 = builder.Append(slot0);
  const int32_t atBackground = builder.Append(background);
  builder.SetSlot(255, at255, static_cast<int32_t>(slot255.size()));
  builder.SetSlot(0, at0, static_cast<int32_t>(slot0.size()));
  builder.SetBackground(atBackground, static_cast<int32_t>(background.size()));
  test::WriteFileBytes(file_, builder.Bytes());

  TPage page;
  test::RecordingListener listener;
  ReadPageFile(page, file_, &listener);
  EXPECT_EQ(listener.events, (std::vector<std::string>{"background", "slots", "links"}));
  EXPECT_EQ(page.Link(0), links[0]);
  EXPECT_EQ(page.Link(255), links[255]);
  EXPECT_TRUE(page.SlotHolder(1).IsEmpty());

  const std::string resaved = dir_.File("resaved.pag");
  WritePageFile(page, resaved);
  const auto bytes = test::ReadFileBytes(resaved);
  const int32_t n = static_cast<int32_t>(background.size());
  const int32_t m0 = static_cast<int32_t>(slot0.size());
  const int32_t m255 = static_cast<int32_t>(slot255.size());
  EXPECT_EQ(Slice(bytes, 2064, n), background);
  EXPECT_EQ(IntAt(bytes, 8), 2064 + n);
  EXPECT_EQ(Slice(bytes, 2064 + n, m0), slot0);
  EXPECT_EQ(IntAt(bytes, SlotEntryOffset(255)), 2064 + n + m0);
  EXPECT_EQ(Slice(bytes, 2064 + n + m0, m255), slot255);
  // The link table is rewritten at the end, Reserved carried through.
  EXPECT_EQ(IntAt(bytes, 2056), 2064 + n + m0 + m255);
  EXPECT_EQ(IntAt(bytes, 2064 + n + m0 + m255 + 255 * 28 + 20), 0x12345678);
  EXPECT_EQ(static_cast<int64_t>(bytes.size()), 9232 + n + m0 + m255);
}

TEST_F(PageFileTest, ReservedSurvivesUnlessTheLinkIsCleared) {
  test::PageFileBuilder builder;
  builder.SetLinkTable(kHeaderSize);
  std::array<TLinkRecord, kLinkCount> links{};
  links[4].Reserved = 77;
  links[5].Reserved = 88;
  builder.PutLinks(links);
  test::WriteFileBytes(file_, builder.Bytes());

  TPage page;
  ReadPageFile(page, file_, nullptr);
  page.SelectLink(5);
  page.ClearLink();
  WritePageFile(page, file_);
  TPage again;
  ReadPageFile(again, file_, nullptr);
  EXPECT_EQ(again.Link(4).Reserved, 77);
  EXPECT_EQ(again.Link(5), TLinkRecord());
}

TEST_F(PageFileTest, ABackgroundOffsetOfMinusOneKeepsTheHeldBackground) {
  test::PageFileBuilder builder;
  builder.SetLinkTable(kHeaderSize);
  builder.PutLinks({});
  const auto slot1 = test::EncodeWithHolder(test::GradientBitmap(4, 4));
  builder.SetSlot(1, builder.Append(slot1), static_cast<int32_t>(slot1.size()));
  test::WriteFileBytes(file_, builder.Bytes());

  TPage page;
  page.SetBackgroundFileName("/pictures/back.bmp");
  page.SetBackgroundBitmap(test::GradientBitmap(8, 8));
  const TJPEGImage* background = &page.BackgroundHolder();
  page.SelectSlot(9);
  page.SetSlotFileName("/pictures/nine.bmp");
  page.SetSlotBitmap(test::GradientBitmap(8, 8));
  page.SelectLink(3);

  test::RecordingListener listener;
  ReadPageFile(page, file_, &listener);
  EXPECT_EQ(listener.events, (std::vector<std::string>{"slots", "links"}));
  EXPECT_EQ(&page.BackgroundHolder(), background);
  EXPECT_EQ(page.BackgroundFileName(), "");
  EXPECT_TRUE(page.SlotHolder(9).IsEmpty());
  EXPECT_EQ(page.SlotFileName(9), "");
  EXPECT_FALSE(page.SlotHolder(1).IsEmpty());
  EXPECT_EQ(page.SlotHolder(1).Width(), 4);
  EXPECT_EQ(page.CurrentSlot(), 0);
  EXPECT_EQ(page.CurrentLink(), 0);
}

TEST_F(PageFileTest, ASavedPageLoadsBackEqual) {
  TPage page;
  page.SetBackgroundBitmap(test::GradientBitmap(64, 48));
  for (const int slot : {0, 17, 255}) {
    page.SelectSlot(slot);
    page.SetSlotBitmap(test::GradientBitmap(16 + slot % 5, 9, slot));
  }
  for (int link = 0; link < kLinkCount; link += 51) {
    page.SelectLink(link);
    page.SetLinkField(TLinkField::Left, link);
    page.SetLinkField(TLinkField::LinkPage, -link);
  }
  WritePageFile(page, file_);

  TPage loaded;
  ReadPageFile(loaded, file_, nullptr);
  for (int i = 0; i < kSlotCount; ++i) {
    ASSERT_EQ(loaded.SlotHolder(i).IsEmpty(), page.SlotHolder(i).IsEmpty()) << i;
    if (!page.SlotHolder(i).IsEmpty()) {
      EXPECT_EQ(test::SavedBytes(loaded.SlotHolder(i)), test::SavedBytes(page.SlotHolder(i)));
    }
    EXPECT_EQ(loaded.Link(i), page.Link(i));
  }
  EXPECT_EQ(test::SavedBytes(loaded.BackgroundHolder()), test::SavedBytes(page.BackgroundHolder()));
}

TEST_F(PageFileTest, ASaveKeepsThePermissionBitsOfTheFileItReplaces) {
  test::WriteFileBytes(file_, {1, 2, 3});
  std::filesystem::permissions(file_, std::filesystem::perms(0640));
  TPage page;
  WritePageFile(page, file_);
  EXPECT_EQ(std::filesystem::status(file_).permissions(), std::filesystem::perms(0640));
  EXPECT_GT(std::filesystem::file_size(file_), 9232u);
  // Nothing but the page file is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(PageFileTest, EntriesNamingTheSameBytesShareThemAndAreWrittenOneByOne) {
  const auto stream = test::EncodeWithHolder(test::GradientBitmap(20, 10));
  const int32_t size = static_cast<int32_t>(stream.size());
  test::PageFileBuilder builder;
  const int32_t at = builder.Append(stream);
  builder.SetBackground(at, size);
  for (int slot = 0; slot < kSlotCount; ++slot) builder.SetSlot(slot, at, size);
  // Slot 9 names the stream without its last bytes: overlapping, not the same.
  builder.SetSlot(9, at, size - 2);
  builder.SetLinkTable(builder.Append(std::vector<uint8_t>(kLinkTableSize, 0)));
  test::WriteFileBytes(file_, builder.Bytes());

  TPage page;
  ReadPageFile(page, file_, nullptr);
  const uint8_t* held = page.BackgroundHolder().Data().Bytes().data();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    EXPECT_EQ(page.SlotHolder(slot).Data().Bytes().data(), held) << slot;
  }
  // The background and slot 0 are decoded once, for both.
  EXPECT_TRUE(
      page.SlotHolder(0).HeldBitmap()->SharesStoreWith(*page.BackgroundHolder().HeldBitmap()));

  // The format stores each entry's bytes on their own.
  WritePageFile(page, file_);
  EXPECT_EQ(std::filesystem::file_size(file_), 9232u + 256u * stream.size() + stream.size() - 2);
}

}  // namespace
}  // namespace pm
