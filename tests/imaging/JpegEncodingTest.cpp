// What the holder's encoding writes, read back marker by marker, and the pixels that come back.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "JpegTestSupport.h"
#include "imaging/JPEGImage.h"

namespace pm::test {
namespace {

// The example quantisation tables of the JPEG standard (Annex K), in natural order.
constexpr std::array<int, 64> kLuminanceTable = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChrominanceTable = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// Natural-order index of each coefficient in the zigzag order in which DQT stores them.
constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
// The DC luminance Huffman table of Annex K: code counts by length, then the values.
constexpr std::array<uint8_t, 16> kDcLuminanceCounts = {0, 1, 5, 1, 1, 1, 1, 1,
                                                        1, 0, 0, 0, 0, 0, 0, 0};

constexpr uint8_t kJfifPayload[] = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};

// The library's scaling of a standard table for a quality, as a baseline table.
std::array<int, 64> Scaled(const std::array<int, 64>& table, int quality) {
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  std::array<int, 64> scaled{};
  for (size_t i = 0; i < 64; ++i) scaled[i] = std::clamp((table[i] * scale + 50) / 100, 1, 255);
  return scaled;
}

// Every quantisation table of the stream by its number, in natural order.
std::map<int, std::array<int, 64>> QuantisationTables(const std::vector<TJpegSegment>& segments) {
  std::map<int, std::array<int, 64>> tables;
  for (const auto& s : segments) {
    if (s.marker != kDQT) continue;
    for (size_t i = 0; i < s.payload.size();) {
      const int precision = s.payload[i] >> 4, id = s.payload[i] & 0xF;
      EXPECT_EQ(precision, 0) << "8-bit entries";
      std::array<int, 64> table{};
      for (size_t k = 0; k < 64; ++k) table[kZigzag[k]] = s.payload[i + 1 + k];
      tables[id] = table;
      i += 65;
    }
  }
  return tables;
}

struct TComponent {
  int id, sampling, table;
};

// Precision, height, width and the components of a frame header.
void ExpectFrame(const TJpegSegment& frame, int32_t width, int32_t height,
                 const std::vector<TComponent>& components) {
  const auto& p = frame.payload;
  ASSERT_EQ(p.size(), 6 + 3 * components.size());
  EXPECT_EQ(p[0], 8);
  EXPECT_EQ(p[1] << 8 | p[2], height);
  EXPECT_EQ(p[3] << 8 | p[4], width);
  ASSERT_EQ(p[5], components.size());
  for (size_t c = 0; c < components.size(); ++c) {
    EXPECT_EQ(p[6 + 3 * c], components[c].id) << "component " << c;
    EXPECT_EQ(p[7 + 3 * c], components[c].sampling) << "component " << c;
    EXPECT_EQ(p[8 + 3 * c], components[c].table) << "component " << c;
  }
}

const std::vector<TComponent> kColorComponents = {{1, 0x22, 0}, {2, 0x11, 1}, {3, 0x11, 1}};
const std::vector<TComponent> kGrayComponents = {{1, 0x11, 0}};

TEST(JpegEncodingTest, BaselineColourStreamIsJfifWithTheStandardTablesAtQuality90) {
  const auto bytes = EncodeWithHolder(GradientBitmap(64, 48));
  const auto segments = ReadSegments(bytes);
  ASSERT_GE(segments.size(), 3u);
  EXPECT_EQ(segments.front().marker, kSOI);
  EXPECT_EQ(segments.back().marker, kEOI);

  ASSERT_EQ(segments[1].marker, kAPP0) << "the JFIF segment follows SOI";
  EXPECT_EQ(segments[1].payload,
            std::vector<uint8_t>(std::begin(kJfifPayload), std::end(kJfifPayload)));

  const auto tables = QuantisationTables(segments);
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables.at(0), Scaled(kLuminanceTable, 90));
  EXPECT_EQ(tables.at(1), Scaled(kChrominanceTable, 90));
  EXPECT_EQ(tables.at(0)[0], 3) << "16 × 20 / 100 rounded";

  const TJpegSegment* frame = FindMarker(segments, kSOF0);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(FindMarker(segments, kSOF2), nullptr);
  ExpectFrame(*frame, 64, 48, kColorComponents);

  EXPECT_EQ(CountMarkers(segments, kDRI), 0);
  for (uint8_t rst = kRST0; rst <= kRST7; ++rst) EXPECT_EQ(CountMarkers(segments, rst), 0);
  EXPECT_EQ(CountMarkers(segments, kSOS), 1);

  // The four Huffman tables of Annex K; the DC luminance one checked entry by entry.
  std::map<int, std::vector<uint8_t>> huffman;
  for (const auto& s : segments) {
    if (s.marker != kDHT) continue;
    for (size_t i = 0; i < s.payload.size();) {
      size_t count = 0;
      for (size_t k = 0; k < 16; ++k) count += s.payload[i + 1 + k];
      huffman[s.payload[i]].assign(s.payload.begin() + i + 1, s.payload.begin() + i + 17 + count);
      i += 17 + count;
    }
  }
  ASSERT_EQ(huffman.size(), 4u);
  std::vector<uint8_t> dcLuminance(kDcLuminanceCounts.begin(), kDcLuminanceCounts.end());
  for (uint8_t v = 0; v < 12; ++v) dcLuminance.push_back(v);
  EXPECT_EQ(huffman.at(0x00), dcLuminance);
  EXPECT_TRUE(huffman.count(0x01) && huffman.count(0x10) && huffman.count(0x11));
}

TEST(JpegEncodingTest, QualityScalesTheTables) {
  TJPEGSettings settings;
  for (int quality : {50, 100, 25}) {
    settings.EncodeQuality = quality;
    const auto tables =
        QuantisationTables(ReadSegments(EncodeWithHolder(GradientBitmap(16, 16), settings)));
    ASSERT_EQ(tables.size(), 2u) << quality;
    EXPECT_EQ(tables.at(0), Scaled(kLuminanceTable, quality)) << quality;
    EXPECT_EQ(tables.at(1), Scaled(kChrominanceTable, quality)) << quality;
  }
}

TEST(JpegEncodingTest, GrayModeWritesOneComponentAndOnlyTheLuminanceTable) {
  TJPEGSettings settings;
  settings.GrayMode = true;
  const auto bytes = EncodeWithHolder(GradientBitmap(40, 24), settings);
  const auto segments = ReadSegments(bytes);
  ASSERT_EQ(segments[1].marker, kAPP0);
  const auto tables = QuantisationTables(segments);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables.at(0), Scaled(kLuminanceTable, 90));
  const TJpegSegment* frame = FindMarker(segments, kSOF0);
  ASSERT_NE(frame, nullptr);
  ExpectFrame(*frame, 40, 24, kGrayComponents);

  // The gray is the luminance of the colours.
  const TBitmap bitmap = SolidBitmap(16, 16, TColor{200, 40, 90});
  const TRgbPicture picture = DecodeDirectRgb(EncodeWithHolder(bitmap, settings));
  const TColor gray = picture.At(8, 8);
  EXPECT_EQ(gray.red, gray.green);
  EXPECT_EQ(gray.green, gray.blue);
  EXPECT_NEAR(gray.red, 0.299 * 200 + 0.587 * 40 + 0.114 * 90, 2);
}

TEST(JpegEncodingTest, ProgressiveEncodeWritesAProgressiveFrameInSeveralScans) {
  TJPEGSettings settings;
  settings.ProgressiveEncode = true;
  const auto segments = ReadSegments(EncodeWithHolder(GradientBitmap(64, 48), settings));
  EXPECT_EQ(FindMarker(segments, kSOF0), nullptr);
  const TJpegSegment* frame = FindMarker(segments, kSOF2);
  ASSERT_NE(frame, nullptr);
  ExpectFrame(*frame, 64, 48, kColorComponents);
  EXPECT_GT(CountMarkers(segments, kSOS), 1);

  settings.GrayMode = true;
  const auto graySegments = ReadSegments(EncodeWithHolder(GradientBitmap(64, 48), settings));
  const TJpegSegment* grayFrame = FindMarker(graySegments, kSOF2);
  ASSERT_NE(grayFrame, nullptr);
  ExpectFrame(*grayFrame, 64, 48, kGrayComponents);
}

// The holder hands the library the same rows and parameters as a plain program would, and
// its destination collects the output without losing or doubling a byte.
TEST(JpegEncodingTest, OutputEqualsTheLibrarysOwnForTheSameParameters) {
  const TBitmap bitmap = GradientBitmap(320, 200, 7, 12);
  std::vector<uint8_t> samples;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* row = bitmap.ConstScanLine(y);
    samples.insert(samples.end(), row, row + 3 * bitmap.Width());
  }
  const auto reference =
      EncodeDirect(320, 200, JCS_EXT_BGR, 3, samples, [](jpeg_compress_struct& info) {
        info.dct_method = JDCT_FLOAT;
        jpeg_set_quality(&info, 90, TRUE);
      });
  const auto bytes = EncodeWithHolder(bitmap);
  ASSERT_GT(bytes.size(), 3 * kJpegBufferSize) << "several pieces and a remainder";
  EXPECT_EQ(bytes, reference);

  TJPEGSettings settings;
  settings.ProgressiveEncode = true;
  const auto progressive =
      EncodeDirect(320, 200, JCS_EXT_BGR, 3, samples, [](jpeg_compress_struct& info) {
        info.dct_method = JDCT_FLOAT;
        jpeg_set_quality(&info, 90, TRUE);
        jpeg_simple_progression(&info);
      });
  EXPECT_EQ(EncodeWithHolder(bitmap, settings), progressive);
}

TEST(JpegEncodingTest, PicturesComeBackCloseToTheOriginal) {
  const TBitmap bitmap = GradientBitmap(96, 64, 3);
  const TBitmap decoded = DecodeWithHolder(EncodeWithHolder(bitmap));
  EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf24bit);
  const TPixelDifference difference = CompareColors(bitmap, decoded);
  EXPECT_LT(difference.mean, 1.5);
  EXPECT_LE(difference.largest, 16);

  TJPEGSettings settings;
  settings.ProgressiveEncode = true;
  const TPixelDifference progressive =
      CompareColors(bitmap, DecodeWithHolder(EncodeWithHolder(bitmap, settings)));
  EXPECT_LT(progressive.mean, 1.5);
  EXPECT_LE(progressive.largest, 16);
}

// A pure red bitmap pixel must come out red, not blue, also in a decoder that isn't ours.
TEST(JpegEncodingTest, PureRedGreenAndBlueKeepTheirHue) {
  TBitmap bitmap = SolidBitmap(48, 16, TColor{255, 0, 0});
  for (int32_t y = 0; y < 16; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 16; x < 48; ++x) {
      row[3 * x + 0] = x >= 32 ? 255 : 0;  // blue
      row[3 * x + 1] = x < 32 ? 255 : 0;   // green
      row[3 * x + 2] = 0;
    }
  }
  const auto bytes = EncodeWithHolder(bitmap);
  const TRgbPicture standard = DecodeDirectRgb(bytes);
  const TBitmap ours = DecodeWithHolder(bytes);
  const TColor expected[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int block = 0; block < 3; ++block) {
    const int32_t x = 16 * block + 8;
    for (const TColor seen : {standard.At(x, 8), ours.Pixel(x, 8)}) {
      EXPECT_NEAR(seen.red, expected[block].red, 12) << "block " << block;
      EXPECT_NEAR(seen.green, expected[block].green, 12) << "block " << block;
      EXPECT_NEAR(seen.blue, expected[block].blue, 12) << "block " << block;
    }
  }
}

// Bitmaps of every layout are encoded from their colours, and the holder's bitmap keeps its
// own layout and its shared store: the working copy is the only thing converted.
TEST(JpegEncodingTest, BitmapsOfOtherLayoutsAreEncodedFromTheirColours) {
  const TColor colour{30, 160, 220};
  for (const TPixelFormat format : {TPixelFormat::pf8bit, TPixelFormat::pf32bit,
                                    TPixelFormat::pfDevice, TPixelFormat::pf16bit}) {
    TBitmap bitmap = SolidBitmap(24, 16, colour);
    bitmap.SetPixelFormat(format);
    const TColor stored = bitmap.Pixel(0, 0);
    TJPEGImage holder;
    holder.AssignBitmap(bitmap);
    const auto bytes = SavedBytes(holder);
    ASSERT_NE(holder.HeldBitmap(), nullptr);
    EXPECT_EQ(holder.HeldBitmap()->PixelFormat(), format);
    EXPECT_TRUE(holder.HeldBitmap()->SharesStoreWith(bitmap));
    const TRgbPicture picture = DecodeDirectRgb(bytes);
    EXPECT_NEAR(picture.At(12, 8).red, stored.red, 3) << static_cast<int>(format);
    EXPECT_NEAR(picture.At(12, 8).green, stored.green, 3) << static_cast<int>(format);
    EXPECT_NEAR(picture.At(12, 8).blue, stored.blue, 3) << static_cast<int>(format);
  }
}

TEST(JpegEncodingTest, OnePixelHighOrWidePicturesKeepTheirSize) {
  for (const auto& [width, height] : {std::pair{1, 37}, {53, 1}, {1, 1}, {17, 9}}) {
    const TBitmap bitmap = GradientBitmap(width, height);
    const auto bytes = EncodeWithHolder(bitmap);
    const auto segments = ReadSegments(bytes);
    const TJpegSegment* frame = FindMarker(segments, kSOF0);
    ASSERT_NE(frame, nullptr);
    ExpectFrame(*frame, width, height, kColorComponents);
    const TBitmap decoded = DecodeWithHolder(bytes);
    EXPECT_EQ(decoded.Width(), width);
    EXPECT_EQ(decoded.Height(), height);
    EXPECT_LT(CompareColors(bitmap, decoded).mean, 6) << width << "×" << height;
  }
}

}  // namespace
}  // namespace pm::test
