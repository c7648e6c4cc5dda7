// Importing pictures of every format into a page: what the page file then stores, and what a
// failed import leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "imaging/PixelStore.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "page/PageOperations.h"
#include "tests/support/Bytes.h"
#include "tests/support/PictureEncoders.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

// The stream that a page file stores for a slot, or for the background when `slot` is -1.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& file, int slot) {
  const int64_t entry =
      slot < 0 ? page_file::kBackgroundEntryOffset : page_file::SlotEntryOffset(slot);
  const int32_t offset = test::IntAt(file, entry);
  const int32_t size = test::IntAt(file, entry + page_file::kIntegerSize);
  return {file.begin() + offset, file.begin() + offset + size};
}

// A 5 × 4 picture with transparency, red, green, blue, alpha.
std::vector<uint8_t> TransparentPng() {
  test::PngPicture picture;
  picture.width = 5;
  picture.height = 4;
  picture.colorType = 6;
  for (int i = 0; i < 20; ++i) {
    picture.rows.insert(picture.rows.end(),
                        {uint8_t(i * 12), 40, uint8_t(255 - i * 9), uint8_t(i * 13)});
  }
  return test::EncodePng(picture);
}

// A progressive stream whose second scan names coefficients beyond the block: its header reads,
// its decoding fails.
std::vector<uint8_t> UndecodableJpeg() {
  TJPEGSettings settings = JPEGDefaults();
  settings.ProgressiveEncode = true;
  std::vector<uint8_t> jpeg = test::EncodeWithHolder(test::GradientBitmap(32, 32), settings);
  int scans = 0;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] != 0xFF || jpeg[i + 1] != 0xDA || ++scans < 2) continue;
    const size_t components = jpeg[i + 4];
    jpeg[i + 5 + 2 * components] = 70;  // the first coefficient of the scan
    break;
  }
  return jpeg;
}

class PictureImportTest : public ::testing::Test {
 protected:
  std::string File(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string fileName = dir.File(name);
    test::WriteFileBytes(fileName, bytes);
    return fileName;
  }

  test::TempDir dir;
  TPage page;
};

TEST_F(PictureImportTest, AKeptJpegIsStoredByteForByteAndOtherPicturesAreEncodedOnSave) {
  const std::vector<uint8_t> photo = test::EncodeWithHolder(test::GradientBitmap(40, 30, 3, 4));
  const TBitmap shown = ImportSlotPicture(page, 3, File("photo.jpg", photo));
  const TBitmap background = ImportBackgroundPicture(page, File("back.png", TransparentPng()));
  EXPECT_EQ(shown.Width(), 40);
  EXPECT_EQ(page.SlotFileName(3), dir.File("photo.jpg"));
  // Transparency over white: the first pixel is wholly transparent.
  EXPECT_EQ(background.Pixel(0, 0), clWhite);

  const std::string saved = dir.File("page.pag");
  WritePageFile(page, saved);
  const std::vector<uint8_t> file = test::ReadFileBytes(saved);
  EXPECT_EQ(Stored(file, 3), photo);
  // The PNG's pixels, encoded at quality 90 as an imported bitmap is.
  EXPECT_EQ(Stored(file, -1), test::EncodeWithHolder(background));

  // Loaded and saved again, the page file is the same to the byte.
  TPage loaded;
  ReadPageFile(loaded, saved, nullptr);
  const std::string again = dir.File("again.pag");
  WritePageFile(loaded, again);
  EXPECT_EQ(test::ReadFileBytes(again), file);
}

TEST_F(PictureImportTest, AFailedImportLeavesTheSlotAndTheBackgroundAsTheyWere) {
  const std::string first = File("first.jpg", test::EncodeWithHolder(test::GradientBitmap(8, 8)));
  ImportSlotPicture(page, 5, first);
  ImportBackgroundPicture(page, first);
  const TJPEGImage* slotHolder = &page.SlotHolder(5);
  const TJPEGImage* backgroundHolder = &page.BackgroundHolder();
  const std::vector<uint8_t> slotBytes = test::SavedBytes(page.SlotHolder(5));

  const std::vector<uint8_t> png = TransparentPng();
  const std::pair<std::string, std::vector<uint8_t>> bad[] = {
      {"cut.png", std::vector<uint8_t>(png.begin(), png.begin() + png.size() - 20)},
      {"bomb.png", test::PngClaimingSize(50000, 50000)},
      {"undecodable.jpg", UndecodableJpeg()},
      {"damaged.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1}},
      {"empty.png", {}}};
  for (const auto& [name, bytes] : bad) {
    SCOPED_TRACE(name);
    const std::string fileName = File(name, bytes);
    EXPECT_THROW(ImportSlotPicture(page, 5, fileName), Exception);
    EXPECT_THROW(ImportBackgroundPicture(page, fileName), Exception);
    // The name is set first, as it always was; the picture stays.
    EXPECT_EQ(page.SlotFileName(5), fileName);
    EXPECT_EQ(&page.SlotHolder(5), slotHolder);
    EXPECT_EQ(&page.BackgroundHolder(), backgroundHolder);
    EXPECT_EQ(test::SavedBytes(page.SlotHolder(5)), slotBytes);
  }
  try {
    ImportSlotPicture(page, 5, File("undecodable.jpg", UndecodableJpeg()));
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message().rfind("JPEG エラー #", 0), 0u) << e.Message();
  }
  try {
    ImportSlotPicture(page, 5, File("bomb.png", test::PngClaimingSize(50000, 50000)));
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Code(), kStoreErrorCode);
  }
}

}  // namespace
}  // namespace pm
