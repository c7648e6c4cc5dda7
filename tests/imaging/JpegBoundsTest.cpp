// The bounds of decoding, whatever a stream claims: the picture limit, the library's memory and
// its scans; and holders that share their bytes share their decoded picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "JpegTestSupport.h"
#include "base/Exceptions.h"
#include "imaging/PictureLimit.h"
#include "tests/support/HostileFiles.h"

namespace pm::test {
namespace {

TJPEGImage& Loaded(TJPEGImage& holder, const std::vector<uint8_t>& bytes) {
  holder.LoadJpeg(TSharedBytes(bytes));
  return holder;
}

// The message of the failure of decoding `bytes`, or "" when it decodes.
std::string DecodingFailure(const std::vector<uint8_t>& bytes) {
  TJPEGImage holder;
  try {
    TBitmap shown;
    Loaded(holder, bytes).CopyToBitmap(shown);
    return "";
  } catch (const Exception& e) {
    return e.Message();
  }
}

TEST(JpegBoundsTest, StreamsBeyondThePictureLimitTheLibrarysMemoryOrItsScansFail) {
  // One pixel beyond 2^27, claimed by a cut-off stream of a few hundred bytes.
  ASSERT_FALSE(PictureFitsLimit(11586, 11585));
  EXPECT_EQ(DecodingFailure(CutOffJpeg(11586, 11585, false, true)),
            "システムエラー。コード：12.\r\nメモリを確保できません");

  // A progressive gray picture whose coefficients (128 bytes a block) need just over 128 MiB.
  EXPECT_EQ(DecodingFailure(CutOffJpeg(8200, 8200, true, true)), "JPEG エラー #48");
  EXPECT_EQ(DecodingFailure(CutOffJpeg(8000, 8000, true, true)), "");

  // At most 500 scans; fewer for a large picture, whose every scan costs more.
  EXPECT_EQ(DecodingFailure(JpegOfEmptyScans(2000, 2000, 500)), "");
  EXPECT_EQ(DecodingFailure(JpegOfEmptyScans(2000, 2000, 501)), "JPEG エラー #15");
  EXPECT_EQ(DecodingFailure(JpegOfEmptyScans(8000, 8000, 200)), "JPEG エラー #15");
}

TEST(JpegBoundsTest, HoldersOfTheSameBytesShareTheirDecodedPicture) {
  const std::vector<uint8_t> stream = EncodeWithHolder(GradientBitmap(32, 16));
  std::vector<uint8_t> stored(7 + stream.size(), 0xAA);
  std::copy(stream.begin(), stream.end(), stored.begin() + 7);
  const TSharedBytes block(stored);
  const TSharedBytes bytes = block.Slice(7, stream.size());

  TJPEGImage first, second, otherBlock, otherSettings;
  first.LoadJpeg(bytes);
  second.LoadJpeg(bytes);
  otherBlock.LoadJpeg(TSharedBytes(stream));
  otherSettings.Settings().GrayMode = true;
  otherSettings.LoadJpeg(bytes);
  EXPECT_EQ(first.Data().Bytes().data(), second.Data().Bytes().data());
  EXPECT_EQ(SavedBytes(second), stream);

  EXPECT_FALSE(second.ShareDecodedPicture(first)) << "nothing decoded yet";
  TBitmap shown;
  first.CopyToBitmap(shown);
  EXPECT_TRUE(second.ShareDecodedPicture(first));
  EXPECT_TRUE(second.HeldBitmap()->SharesStoreWith(*first.HeldBitmap()));
  EXPECT_FALSE(second.ShareDecodedPicture(first)) << "it has a picture now";
  EXPECT_FALSE(otherBlock.ShareDecodedPicture(first)) << "equal bytes, but not the same";
  EXPECT_FALSE(otherSettings.ShareDecodedPicture(first)) << "decoded otherwise";
}

}  // namespace
}  // namespace pm::test
