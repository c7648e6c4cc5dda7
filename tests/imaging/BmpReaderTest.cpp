#include "imaging/BmpReader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "base/MemoryStream.h"
#include "imaging/Bitmap.h"
#include "tests/imaging/BmpFileBuilder.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

using test::BmpFileBuilder;
using test::Quad;

constexpr TColor kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kGrey{128, 128, 128};
const std::string kInvalid = "invalid: ビットマップイメージが不正です";
const std::string kReadError = "read: ストリームからの読み込みエラー";

TBitmap Load(const std::vector<uint8_t>& file, TBitmap bitmap = TBitmap()) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
  return bitmap;
}

// The class and message of the failure that loading `file` raises, or "loaded".
std::string Failure(const std::vector<uint8_t>& file) {
  try {
    Load(file);
  } catch (const EReadError& e) {
    return "read: " + e.Message();
  } catch (const EInvalidGraphic& e) {
    return "invalid: " + e.Message();
  } catch (const EOSError& e) {
    return "store: " + std::to_string(e.Code());
  }
  return "loaded";
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Rows top to bottom of a picture, as colours.
std::vector<std::vector<TColor>> Colors(const TBitmap& bitmap) {
  std::vector<std::vector<TColor>> rows(bitmap.Height());
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) rows[y].push_back(bitmap.Pixel(x, y));
  }
  return rows;
}

// A 2 × 2 24-bit picture: red, white over blue, green (the file stores the bottom row first).
BmpFileBuilder TwoByTwo() {
  BmpFileBuilder b;
  b.width = 2;
  b.height = 2;
  b.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
  return b;
}

TEST(BmpReaderTest, AnEmptyStreamEmptiesTheBitmap) {
  const TBitmap loaded = Load(TwoByTwo().Build());
  const TBitmap emptied = Load({}, loaded);
  EXPECT_TRUE(emptied.Empty());
  EXPECT_EQ(emptied.Width(), 0);
  EXPECT_EQ(emptied.Height(), 0);
}

TEST(BmpReaderTest, PlainTwentyFourBitRowsLandUnchanged) {
  const BmpFileBuilder b = TwoByTwo();
  const TBitmap bitmap = Load(b.Build());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Info().rowOrder, TRowOrder::BottomUp);
  EXPECT_EQ(Colors(bitmap), (std::vector<std::vector<TColor>>{{kRed, clWhite}, {kBlue, kGreen}}));
  // The bottom row is the first in the store, padding included.
  EXPECT_EQ(std::vector<uint8_t>(bitmap.ConstScanLine(1), bitmap.ConstScanLine(1) + 16), b.pixels);
}

TEST(BmpReaderTest, EveryLayoutKeepsItsPixelValues) {
  struct Case {
    uint16_t bitCount;
    uint32_t compression;
    uint32_t headerSize;
    std::vector<TRGBQuad> table;
    std::vector<uint8_t> pixel;
    TColor expected;
    TPixelFormat format;
  };
  const std::vector<Case> cases = {
      {1,
       BI_RGB,
       40,
       {Quad(255, 0, 0), Quad(0, 0, 255)},
       {0x80, 0, 0, 0},
       kBlue,
       TPixelFormat::pf1bit},
      {4, BI_RGB, 40, {{}, {}, Quad(0, 255, 0)}, {0x20, 0, 0, 0}, kGreen, TPixelFormat::pf4bit},
      {8, BI_RGB, 40, {{}, Quad(0, 0, 255)}, {1, 0, 0, 0}, kBlue, TPixelFormat::pf8bit},
      {16, BI_RGB, 40, {}, {0x00, 0x7C, 0, 0}, kRed, TPixelFormat::pf15bit},
      {16, BI_BITFIELDS, 40, {}, {0xE0, 0x07, 0, 0}, kGreen, TPixelFormat::pf16bit},
      {32, BI_RGB, 40, {}, {0, 0, 255, 0}, kRed, TPixelFormat::pf32bit},
      {32, BI_BITFIELDS, 124, {}, {0, 0, 255, 0}, kBlue, TPixelFormat::pfCustom},
  };
  for (const Case& c : cases) {
    BmpFileBuilder b;
    b.bitCount = c.bitCount;
    b.compression = c.compression;
    b.headerSize = c.headerSize;
    b.colorsUsed = static_cast<uint32_t>(c.table.size());
    b.colorTable = c.table;
    // 5-6-5 masks follow a 40-byte header; a 124-byte header holds its own (red in the low byte).
    b.masks = c.headerSize == 40 ? std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                 : std::array<uint32_t, 3>{0xFF, 0xFF00, 0xFF0000};
    b.masksAfterHeader = c.compression == BI_BITFIELDS && c.headerSize == 40;
    b.pixels = c.pixel;
    const TBitmap bitmap = Load(b.Build());
    SCOPED_TRACE(testing::Message() << c.bitCount << " bits, header " << c.headerSize);
    EXPECT_EQ(bitmap.PixelFormat(), c.format);
    EXPECT_EQ(bitmap.Pixel(0, 0), c.expected);
    if (c.compression == BI_BITFIELDS) {
      EXPECT_EQ(bitmap.Info().masks, b.masks);
    }
  }
}

TEST(BmpReaderTest, PixelsFollowTheColourTableWhateverTheDataOffsetSays) {
  BmpFileBuilder b;
  b.gap = {1, 2, 3, 4};
  b.dataOffset = 14 + 40 + 4;
  b.pixels = {9, 9, 9, 0};
  EXPECT_EQ(Load(b.Build()).Pixel(0, 0), (TColor{3, 2, 1}));
}

TEST(BmpReaderTest, MissingPixelBytesStayZero) {
  BmpFileBuilder cut = TwoByTwo();
  cut.pixels.resize(8);  // the bottom row only
  EXPECT_EQ(Colors(Load(cut.Build())),
            (std::vector<std::vector<TColor>>{{clBlack, clBlack}, {kBlue, kGreen}}));

  BmpFileBuilder indexed;
  indexed.bitCount = 8;
  indexed.height = 2;
  indexed.colorsUsed = 2;
  indexed.colorTable = {Quad(0, 255, 0), Quad(255, 0, 0)};
  indexed.pixels = {1, 1, 1, 1};
  EXPECT_EQ(Colors(Load(indexed.Build())), (std::vector<std::vector<TColor>>{{kGreen}, {kRed}}));

  BmpFileBuilder small = TwoByTwo();
  small.imageSize = 8;
  EXPECT_EQ(Colors(Load(small.Build())), Colors(Load(cut.Build())));
}

TEST(BmpReaderTest, NoByteAfterThePicturesRowsIsRead) {
  for (const uint32_t imageSize : {0u, 913u, 0xFFFFFFFFu}) {
    BmpFileBuilder b;
    b.width = 101;
    b.height = 3;
    b.imageSize = imageSize;
    b.pixels.assign(1000, 0x55);
    const std::vector<uint8_t> file = b.Build();
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Stride(), 304);
    EXPECT_EQ(stream.Position(), 14 + 40 + 912) << imageSize;
  }
}

TEST(BmpReaderTest, HeaderFieldsAndColourCountsAreCarriedOver) {
  BmpFileBuilder b;
  b.bitCount = 8;
  b.colorsUsed = 16;
  for (uint8_t i = 0; i < 16; ++i) b.colorTable.push_back(Quad(i, i, i));
  b.colorsImportant = 7;
  b.xPelsPerMeter = 3780;
  b.yPelsPerMeter = -5;
  b.pixels = {15, 0, 0, 0};
  const TBitmap bitmap = Load(b.Build());
  EXPECT_EQ(bitmap.Pixel(0, 0), (TColor{15, 15, 15}));
  EXPECT_EQ(bitmap.Info().colorTable, b.colorTable);
  EXPECT_EQ(bitmap.Info().colorsUsed, 16u);
  EXPECT_EQ(bitmap.Info().colorsImportant, 7u);
  EXPECT_EQ(bitmap.Info().xPelsPerMeter, 3780);
  EXPECT_EQ(bitmap.Info().yPelsPerMeter, -5);
  EXPECT_TRUE(bitmap.Info().displayPalette.empty());

  b.colorsUsed = 0;  // 256 entries then, of which the file holds 16: it ends in the table
  EXPECT_EQ(Failure(b.Build()), kReadError);
}

TEST(BmpReaderTest, ATrueColourPicturesTableIsOnlyItsDisplayPalette) {
  BmpFileBuilder b = TwoByTwo();
  b.colorsUsed = 4;
  b.colorTable = {Quad(1, 2, 3), Quad(4, 5, 6), Quad(7, 8, 9), Quad(10, 11, 12)};
  const TBitmap bitmap = Load(b.Build());
  EXPECT_EQ(Colors(bitmap), Colors(Load(TwoByTwo().Build())));
  EXPECT_EQ(bitmap.Info().displayPalette, b.colorTable);
}

TEST(BmpReaderTest, ACoreHeaderFileEqualsItsFortyByteTwin) {
  BmpFileBuilder core;
  core.headerSize = 12;
  core.bitCount = 8;
  core.width = 3;
  core.height = 2;
  for (int i = 0; i < 256; ++i) {
    core.colorTable.push_back(Quad(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7));
  }
  core.pixels = {0, 1, 2, 0, 255, 128, 3, 0};
  BmpFileBuilder twin = core;
  twin.headerSize = 40;
  const TBitmap fromCore = Load(core.Build());
  EXPECT_EQ(core.Build().size() + 256 + 28, twin.Build().size());
  EXPECT_EQ(Colors(fromCore), Colors(Load(twin.Build())));
  EXPECT_EQ(fromCore.Info().colorTable, core.colorTable);
  EXPECT_EQ(fromCore.Info().rowOrder, TRowOrder::BottomUp);
}

TEST(BmpReaderTest, TopDownRowsStayTopDown) {
  BmpFileBuilder b = TwoByTwo();
  b.height = -2;
  TBitmap bitmap = Load(b.Build());
  const TBitmap before = bitmap;
  EXPECT_EQ(bitmap.Info().rowOrder, TRowOrder::TopDown);
  EXPECT_EQ(Colors(bitmap), (std::vector<std::vector<TColor>>{{kBlue, kGreen}, {kRed, clWhite}}));
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_TRUE(bitmap.SharesStoreWith(before));
  EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), bitmap.Stride());
}

TEST(BmpReaderTest, ShortFilesFailWithTheReadError) {
  EXPECT_EQ(Failure(std::vector<uint8_t>(13, 'B')), kReadError);
  EXPECT_EQ(Failure(Bytes("BM456789012345")), kReadError);
  const std::vector<uint8_t> whole = TwoByTwo().Build();
  for (const size_t end : {16, 30, 53}) {
    EXPECT_EQ(Failure({whole.begin(), whole.begin() + end}), kReadError) << end;
  }
  BmpFileBuilder masked;
  masked.bitCount = 16;
  masked.compression = BI_BITFIELDS;
  masked.masksAfterHeader = true;
  const std::vector<uint8_t> withMasks = masked.Build();
  EXPECT_EQ(Failure({withMasks.begin(), withMasks.begin() + 60}), kReadError);
  // A header longer than the file is never read.
  std::vector<uint8_t> huge = whole;
  huge[16] = huge[17] = 0xFF;
  EXPECT_EQ(Failure(huge), kReadError);
}

TEST(BmpReaderTest, RefusesWhatIsNoSupportedPicture) {
  EXPECT_EQ(Failure({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'}),
            kInvalid);
  EXPECT_EQ(Failure({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1}),
            kInvalid);
  struct Refused {
    const char* name;
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = BI_RGB;
    uint32_t colorsUsed = 0;
  };
  for (const Refused& r : std::initializer_list<Refused>{
           {.name = "planes 2", .planes = 2},
           {.name = "width 0", .width = 0},
           {.name = "width -1", .width = -1},
           {.name = "height 0", .height = 0},
           {.name = "header 20", .headerSize = 20},
           {.name = "header 44, bit fields", .headerSize = 44, .bitCount = 16, .compression = 3},
           {.name = "2 bits", .bitCount = 2},
           {.name = "24-bit bit fields", .compression = BI_BITFIELDS},
           {.name = "top-down RLE8", .height = -1, .bitCount = 8, .compression = BI_RLE8},
           {.name = "RLE8 with 4 bits", .bitCount = 4, .compression = BI_RLE8},
           {.name = "RLE4 with 8 bits", .bitCount = 8, .compression = BI_RLE4},
           {.name = "compression 4", .compression = 4},
           {.name = "257 colours", .bitCount = 8, .colorsUsed = 257},
       }) {
    BmpFileBuilder b;
    b.headerSize = r.headerSize;
    b.width = r.width;
    b.height = r.height;
    b.planes = r.planes;
    b.bitCount = r.bitCount;
    b.compression = r.compression;
    b.colorsUsed = r.colorsUsed;
    b.masksAfterHeader = r.compression == BI_BITFIELDS && r.headerSize == 40;
    b.pixels.assign(64, 0);
    EXPECT_EQ(Failure(b.Build()), kInvalid) << r.name;
  }
}

TEST(BmpReaderTest, AbsurdSizesFailWithTheStoresErrorBeforeAllocating) {
  for (const auto& [width, height, bitCount, compression] :
       {std::tuple{100000, 100000, 32, BI_RGB},
        {100000, 100000, 8, BI_RLE8},
        // One pixel row beyond the picture limit of 2^27 pixels, plain and run-length.
        {11586, 11585, 1, BI_RGB},
        {11586, 11585, 8, BI_RLE8},
        {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max(), 1, BI_RGB},
        {1, std::numeric_limits<int32_t>::min(), 24, BI_RGB}}) {
    BmpFileBuilder b;
    b.width = width;
    b.height = height;
    b.bitCount = static_cast<uint16_t>(bitCount);
    b.compression = compression;
    b.colorsUsed = bitCount <= 8 ? 1 : 0;
    b.colorTable.resize(b.colorsUsed);
    EXPECT_EQ(Failure(b.Build()), "store: " + std::to_string(kStoreErrorCode)) << height;
  }
  // At the limit, a picture loads.
  BmpFileBuilder limit;
  limit.width = 16384;
  limit.height = 8192;
  limit.bitCount = 1;
  limit.colorTable = {Quad(0, 0, 0), Quad(255, 255, 255)};
  EXPECT_EQ(Load(limit.Build()).Height(), 8192);
}

// An RLE file of the given size whose colour table is grey, red, green, blue.
BmpFileBuilder RunLength(uint32_t compression, int32_t width, int32_t height,
                         std::vector<uint8_t> data) {
  BmpFileBuilder b;
  b.compression = compression;
  b.bitCount = compression == BI_RLE8 ? 8 : 4;
  b.width = width;
  b.height = height;
  b.colorsUsed = 4;
  b.colorTable = {QuadOf(kGrey), QuadOf(kRed), QuadOf(kGreen), QuadOf(kBlue)};
  b.imageSize = static_cast<uint32_t>(data.size());
  b.pixels = std::move(data);
  return b;
}

TEST(BmpReaderTest, RunLengthEightDecodesInExactColours) {
  TBitmap bitmap =
      Load(RunLength(BI_RLE8, 4, 3, {3, 1, 0, 0,        // bottom row: three red, end of line
                                     0, 3, 2, 3, 2, 0,  // absolute run with its padding byte
                                     0, 2, 0, 1, 1, 3,  // delta one row up, one blue
                                     0, 1, 4, 1})       // end of picture; the rest is ignored
               .Build());
  const std::vector<std::vector<TColor>> expected = {
      {kGrey, kGrey, kGrey, kBlue}, {kGreen, kBlue, kGreen, kGrey}, {kRed, kRed, kRed, kGrey}};
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(Colors(bitmap), expected);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(Colors(bitmap), expected);
}

TEST(BmpReaderTest, RunLengthFourDecodesInExactColours) {
  const TBitmap bitmap = Load(RunLength(BI_RLE4, 5, 2,
                                        {3, 0x12, 0, 0,  // red green red, end of line
                                         0, 5, 0x32, 0x13, 0x20, 0x00})  // five values, padded
                                  .Build());
  EXPECT_EQ(Colors(bitmap), (std::vector<std::vector<TColor>>{{kBlue, kGreen, kRed, kBlue, kGreen},
                                                              {kRed, kGreen, kRed, kGrey, kGrey}}));
}

TEST(BmpReaderTest, RunLengthDataNeverLeavesItsRowOrThePicture) {
  // An unknown value, a run past the row's end that doesn't wrap, a delta beyond the picture.
  EXPECT_EQ(Colors(Load(RunLength(BI_RLE8, 2, 2, {1, 9, 5, 1, 0, 2, 200, 200, 2, 2}).Build())),
            (std::vector<std::vector<TColor>>{{kGrey, kGrey}, {kGrey, kRed}}));
  // Data that ends inside an absolute run or a delta.
  EXPECT_EQ(Colors(Load(RunLength(BI_RLE8, 2, 1, {0, 4, 1}).Build())),
            (std::vector<std::vector<TColor>>{{kRed, kGrey}}));
  EXPECT_EQ(Colors(Load(RunLength(BI_RLE8, 2, 1, {1, 1, 0, 2, 1}).Build())),
            (std::vector<std::vector<TColor>>{{kRed, kGrey}}));
  EXPECT_EQ(Colors(Load(RunLength(BI_RLE4, 3, 1, {0, 3, 0x23}).Build())),
            (std::vector<std::vector<TColor>>{{kGreen, kBlue, kGrey}}));
}

TEST(BmpReaderTest, AFailedLoadLeavesTheBitmapAsItWas) {
  const TBitmap before = Load(TwoByTwo().Build());
  TBitmap bitmap = before;
  BmpFileBuilder broken = TwoByTwo();
  broken.bitCount = 2;
  TMemoryStream stream;
  const std::vector<uint8_t> file = broken.Build();
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic);
  EXPECT_TRUE(bitmap.SharesStoreWith(before));
  EXPECT_EQ(Colors(bitmap), Colors(before));
}

TEST(BmpReaderTest, LoadFromFileOpensReadsAndClosesTheFile) {
  test::TempDir dir;
  TBitmap bitmap;
  const std::string missing = dir.File("missing.bmp");
  try {
    bitmap.LoadFromFile(missing);
    ADD_FAILURE() << "a missing file loaded";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + missing + " は開けません");
  }
  const std::string good = dir.File("good.bmp");
  test::WriteFileBytes(good, TwoByTwo().Build());
  bitmap.LoadFromFile(good);
  EXPECT_EQ(bitmap.Pixel(0, 1), kBlue);

  const std::string bad = dir.File("bad.bmp");
  test::WriteFileBytes(bad, Bytes("BM and no more"));
  EXPECT_THROW(bitmap.LoadFromFile(bad), EReadError);
  EXPECT_NO_THROW((TFileStream{bad, FileAccess::ReadExclusive}));
}

}  // namespace
}  // namespace pm
