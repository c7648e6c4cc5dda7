// What an import keeps of a JPEG file that a page file can hold as it is: the picture's segments
// byte for byte, without the photograph's metadata, comments or trailing bytes; and only when
// the library decodes it whole, without a warning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/MemoryStream.h"
#include "imaging/JpegSegments.h"
#include "imaging/PictureFile.h"
#include "tests/imaging/JpegTestSupport.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

TImportedPicture Import(const std::vector<uint8_t>& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  return ReadPicture(stream);
}

std::vector<uint8_t> Segment(uint8_t code, const std::string& payload) {
  const size_t length = payload.size() + 2;
  std::vector<uint8_t> segment(2 + length);
  segment[0] = 0xFF;
  segment[1] = code;
  segment[2] = static_cast<uint8_t>(length >> 8);
  segment[3] = static_cast<uint8_t>(length);
  std::copy(payload.begin(), payload.end(), segment.begin() + 4);
  return segment;
}

// Where the segment after the start of image and the JFIF segment begins.
size_t AfterJfif(const std::vector<uint8_t>& jpeg) { return 4 + (size_t{jpeg[4]} << 8 | jpeg[5]); }

std::vector<uint8_t> Inserted(std::vector<uint8_t> jpeg, size_t at,
                              const std::vector<std::vector<uint8_t>>& segments) {
  for (auto it = segments.rbegin(); it != segments.rend(); ++it) {
    jpeg.insert(jpeg.begin() + static_cast<ptrdiff_t>(at), it->begin(), it->end());
  }
  return jpeg;
}

const std::string kExif = std::string("Exif\0\0", 6) + "GPS 35.6586 N 139.7454 E; orientation 6";
const std::string kIcc = std::string("ICC_PROFILE\0\x01\x01", 14) + "profile";
const std::string kAdobe = std::string("Adobe\0\x64\0\0\0\0\x01", 12);

TEST(JpegKeepingTest, AKeptJpegKeepsThePicturesSegmentsAndDropsMetadataCommentsAndTrailers) {
  TJPEGSettings progressive = JPEGDefaults();
  progressive.ProgressiveEncode = true;
  for (const bool multiScan : {false, true}) {
    SCOPED_TRACE(multiScan);
    const std::vector<uint8_t> plain =
        multiScan ? test::EncodeWithHolder(test::GradientBitmap(40, 24, 5, 9), progressive)
                  : test::EncodeWithHolder(test::GradientBitmap(40, 24, 5, 9));
    // A phone's photograph: EXIF with the place and the orientation, XMP, a comment, and a
    // colour profile and Adobe's marker that say how to read the picture; then bytes after the
    // end of the image.
    const size_t at = AfterJfif(plain);
    const std::vector<uint8_t> kept =
        Inserted(plain, at, {Segment(0xE2, kIcc), Segment(0xEE, kAdobe)});
    std::vector<uint8_t> photo = Inserted(
        plain, at,
        {Segment(0xE1, kExif), Segment(0xE2, kIcc),
         Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>"), Segment(0xFE, "a comment"),
         Segment(0xEE, kAdobe), Segment(0xED, "Photoshop 3.0")});
    // A comment between the scans of a progressive stream goes too.
    const std::vector<uint8_t> comment = Segment(0xFE, "between the scans");
    std::vector<uint8_t> expected = kept;
    if (multiScan) {
      const auto secondScan = [](const std::vector<uint8_t>& jpeg) {
        size_t found = 0;
        for (size_t i = test::ScanDataOffset(jpeg); i + 1 < jpeg.size(); ++i) {
          if (jpeg[i] == 0xFF && jpeg[i + 1] != 0 && (jpeg[i + 1] < 0xD0 || jpeg[i + 1] > 0xD7)) {
            found = i;
            break;
          }
        }
        return found;
      };
      photo.insert(photo.begin() + static_cast<ptrdiff_t>(secondScan(photo)), comment.begin(),
                   comment.end());
    }
    photo.insert(photo.end(), {0xFF, 0xD8, 'm', 'o', 'r', 'e'});

    TImportedPicture imported = Import(photo);
    ASSERT_NE(imported.holder, nullptr);
    EXPECT_EQ(test::SavedBytes(*imported.holder), expected);
    EXPECT_EQ(JpegPictureBytes(photo), expected);
    EXPECT_TRUE(test::SamePixels(imported.picture, test::DecodeWithHolder(plain)));
  }
}

TEST(JpegKeepingTest, AJpegThatDecodesOnlyWithAWarningComesAsThePixelsDecoded) {
  const std::vector<uint8_t> good = test::EncodeWithHolder(test::GradientBitmap(48, 32, 2, 7));
  const size_t data = test::ScanDataOffset(good);
  // Cut off within the scan: the library makes up the missing rows.
  const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(data + 40));
  // Damaged entropy-coded data: a marker that has no place there.
  std::vector<uint8_t> damaged = good;
  damaged[data + 30] = 0xFF;
  damaged[data + 31] = 0xD3;
  // Bytes between two segments, which the library skips.
  std::vector<uint8_t> extraneous = good;
  extraneous.insert(extraneous.begin() + static_cast<ptrdiff_t>(AfterJfif(good)), {1, 2, 3});
  const std::vector<uint8_t>* files[] = {&cut, &damaged, &extraneous};
  for (const std::vector<uint8_t>* file : files) {
    const TImportedPicture imported = Import(*file);
    EXPECT_EQ(imported.holder, nullptr);
    EXPECT_EQ(imported.picture.Width(), 48);
    EXPECT_EQ(imported.picture.Height(), 32);
    EXPECT_TRUE(test::SamePixels(imported.picture, test::DecodeWithHolder(*file)));
  }
  // The damaged stream's segments read to its end: only the decoding tells.
  EXPECT_NE(JpegPictureBytes(damaged), std::nullopt);
  // The stream whole is kept.
  EXPECT_NE(Import(good).holder, nullptr);
}

TEST(JpegKeepingTest, ThePicturesBytesAreReadSegmentBySegmentToTheEndOfImage) {
  const std::vector<uint8_t> good = test::EncodeWithHolder(test::GradientBitmap(16, 16));
  // Fill bytes before a marker stay with it; restart markers and stuffed zeros are scan data.
  std::vector<uint8_t> filled = good;
  filled.insert(filled.begin() + static_cast<ptrdiff_t>(AfterJfif(good)), {0xFF, 0xFF});
  EXPECT_EQ(JpegPictureBytes(filled), filled);
  std::vector<uint8_t> scan = good;
  scan.insert(scan.end() - 2, {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF, 0xFF, 0xD9});
  scan.resize(scan.size() - 2);
  EXPECT_EQ(JpegPictureBytes(scan), scan);
  // No end of image, a second start of image, bytes that are no segment: nothing.
  EXPECT_EQ(JpegPictureBytes(std::vector<uint8_t>(good.begin(), good.end() - 2)), std::nullopt);
  EXPECT_EQ(JpegPictureBytes(Inserted(good, AfterJfif(good), {{0xFF, 0xD8}})), std::nullopt);
  EXPECT_EQ(JpegPictureBytes(Inserted(good, AfterJfif(good), {{0x00}})), std::nullopt);
  EXPECT_EQ(JpegPictureBytes(std::vector<uint8_t>{0xFF, 0xD9}), std::nullopt);
}

}  // namespace
}  // namespace pm
