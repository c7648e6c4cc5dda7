#include "imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "base/Exceptions.h"

namespace pm {
namespace {

// A device-independent picture with the given layout and raw rows (top row first).
std::shared_ptr<TBitmapImage> MakeDib(int32_t width, int32_t height, uint16_t bitCount,
                                      std::vector<TRGBQuad> table = {},
                                      uint32_t compression = BI_RGB,
                                      std::array<uint32_t, 3> masks = {},
                                      TRowOrder order = TRowOrder::BottomUp) {
  TBitmapInfo info;
  info.form = TBitmapForm::DeviceIndependent;
  info.width = width;
  info.height = height;
  info.bitCount = bitCount;
  info.compression = compression;
  info.masks = masks;
  info.colorTable = std::move(table);
  info.rowOrder = order;
  return std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
}

TBitmap BlankBackground() {
  TBitmap bitmap;
  bitmap.SetWidth(640);
  bitmap.SetHeight(480);
  return bitmap;
}

TEST(BitmapTest, ANewBitmapIsEmptyInTheDisplayForm) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_FALSE(bitmap.HasCanvas());
}

TEST(BitmapTest, WidthAloneMakesNoStoreThenHeightMakesAWhiteOne) {
  TBitmap bitmap;
  bitmap.SetWidth(640);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 640);
  EXPECT_EQ(bitmap.Height(), 0);
  bitmap.SetHeight(480);
  ASSERT_FALSE(bitmap.Empty());
  for (int32_t y = 0; y < 480; y += 7) {
    for (int32_t x = 0; x < 640; x += 5) ASSERT_EQ(bitmap.Pixel(x, y), clWhite);
  }
}

TEST(BitmapTest, TheBackgroundRectangleIsAOnePixelBlackFrame) {
  TBitmap bitmap = BlankBackground();
  bitmap.Canvas().Rectangle(0, 0, 640, 480);
  for (const auto& [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 0}, {0, 240}}) {
    EXPECT_EQ(bitmap.Pixel(x, y), clBlack) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{1, 1}, {638, 478}, {320, 240}}) {
    EXPECT_EQ(bitmap.Pixel(x, y), clWhite) << x << "," << y;
  }
  int black = 0;
  for (int32_t y = 0; y < 480; ++y) {
    for (int32_t x = 0; x < 640; ++x) {
      const TColor c = bitmap.Pixel(x, y);
      ASSERT_TRUE(c == clBlack || c == clWhite);
      black += c == clBlack;
    }
  }
  EXPECT_EQ(black, 2 * 640 + 2 * 478);
}

TEST(BitmapTest, AssignSharesUntilOneSideDraws) {
  TBitmap first = BlankBackground();
  TBitmap second;
  second.Assign(first);
  EXPECT_TRUE(second.SharesStoreWith(first));
  second.Canvas().Brush().Color = TColor{10, 20, 30};
  second.Canvas().Rectangle(0, 0, 10, 10);
  EXPECT_FALSE(second.SharesStoreWith(first));
  EXPECT_EQ(first.Pixel(5, 5), clWhite);
  EXPECT_EQ(second.Pixel(5, 5), (TColor{10, 20, 30}));
  // Freeing the source leaves the copy its picture.
  auto owner = std::make_unique<TBitmap>(first);
  TBitmap kept(*owner);
  owner.reset();
  EXPECT_EQ(kept.Pixel(0, 0), clWhite);
  // Assigning nothing empties.
  kept.Assign(nullptr);
  EXPECT_TRUE(kept.Empty());
}

TEST(BitmapTest, OneBitConvertsThroughItsColourTableToBottomUpRows) {
  for (const auto& [zero, one] :
       {std::pair{clBlack, clWhite}, std::pair{TColor{255, 0, 0}, TColor{0, 0, 255}}}) {
    TBitmap bitmap;
    bitmap.ReplaceImage(
        MakeDib(10, 2, 1, {QuadOf(zero), QuadOf(one)}, BI_RGB, {}, TRowOrder::TopDown));
    EXPECT_EQ(bitmap.Stride(), 4);
    bitmap.ScanLine(0)[0] = 0b10100000;  // pixels 0 and 2 of the top row are 1
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.Info().rowOrder, TRowOrder::BottomUp);
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), -bitmap.Stride());
    const uint8_t* top = bitmap.ConstScanLine(0);
    EXPECT_EQ((TColor{top[2], top[1], top[0]}), one);
    EXPECT_EQ((TColor{top[5], top[4], top[3]}), zero);
    EXPECT_EQ((TColor{top[8], top[7], top[6]}), one);
    EXPECT_EQ(bitmap.Pixel(0, 1), zero);
  }
}

TEST(BitmapTest, EveryPixelFormatConvertsToTwentyFourBits) {
  struct Case {
    const char* name;
    std::shared_ptr<TBitmapImage> image;
    std::vector<uint8_t> topRow;  // raw bytes of the top row's first pixel
    TColor expected;
  };
  const std::vector<TRGBQuad> table = {QuadOf(clBlack), QuadOf(TColor{1, 2, 3}),
                                       QuadOf(TColor{200, 100, 50})};
  std::vector<Case> cases;
  cases.push_back({"4-bit", MakeDib(3, 1, 4, table), {0x20}, {200, 100, 50}});
  cases.push_back({"8-bit", MakeDib(3, 1, 8, table), {1}, {1, 2, 3}});
  cases.push_back({"8-bit beyond the table", MakeDib(3, 1, 8, table), {9}, clBlack});
  cases.push_back({"15-bit white", MakeDib(3, 1, 16), {0xFF, 0x7F}, clWhite});
  cases.push_back({"15-bit red", MakeDib(3, 1, 16), {0x00, 0x7C}, {255, 0, 0}});
  cases.push_back({"16-bit 565 green",
                   MakeDib(3, 1, 16, {}, BI_BITFIELDS, {0xF800, 0x07E0, 0x1F}),
                   {0xE0, 0x07},
                   {0, 255, 0}});
  cases.push_back({"16-bit 565 mid",
                   MakeDib(3, 1, 16, {}, BI_BITFIELDS, {0xF800, 0x07E0, 0x1F}),
                   {0x10, 0x80},
                   {132, 0, 132}});
  cases.push_back({"24-bit", MakeDib(3, 1, 24), {1, 2, 3}, {3, 2, 1}});
  cases.push_back({"32-bit", MakeDib(3, 1, 32), {1, 2, 3, 99}, {3, 2, 1}});
  cases.push_back({"32-bit fields",
                   MakeDib(3, 1, 32, {}, BI_BITFIELDS, {0xFF, 0xFF00, 0x3FF0000}),
                   {0x11, 0x22, 0xFF, 0x03},
                   {0x11, 0x22, 255}});
  for (auto& c : cases) {
    TBitmap bitmap;
    bitmap.ReplaceImage(c.image);
    std::memcpy(bitmap.ScanLine(0), c.topRow.data(), c.topRow.size());
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    const uint8_t* row = bitmap.ConstScanLine(0);
    EXPECT_EQ((TColor{row[2], row[1], row[0]}), c.expected) << c.name;
  }
}

TEST(BitmapTest, ReportsThePixelFormatOfEachLayout) {
  const std::pair<std::shared_ptr<TBitmapImage>, TPixelFormat> cases[] = {
      {MakeDib(1, 1, 1), TPixelFormat::pf1bit},
      {MakeDib(1, 1, 4), TPixelFormat::pf4bit},
      {MakeDib(1, 1, 8), TPixelFormat::pf8bit},
      {MakeDib(1, 1, 16), TPixelFormat::pf15bit},
      {MakeDib(1, 1, 16, {}, BI_BITFIELDS, {0xF800, 0x07E0, 0x1F}), TPixelFormat::pf16bit},
      {MakeDib(1, 1, 16, {}, BI_BITFIELDS, {0x7C00, 0x03E0, 0x1F}), TPixelFormat::pfCustom},
      {MakeDib(1, 1, 24), TPixelFormat::pf24bit},
      {MakeDib(1, 1, 32), TPixelFormat::pf32bit},
      {MakeDib(1, 1, 32, {}, BI_BITFIELDS, {0xFF0000, 0xFF00, 0xFF}), TPixelFormat::pfCustom},
  };
  for (const auto& [image, format] : cases) {
    TBitmap bitmap;
    bitmap.ReplaceImage(image);
    EXPECT_EQ(bitmap.PixelFormat(), format);
  }
}

TEST(BitmapTest, TwentyFourBitsStaysAsItIsTopDownIncluded) {
  TBitmap bitmap;
  bitmap.ReplaceImage(MakeDib(2, 2, 24, {}, BI_RGB, {}, TRowOrder::TopDown));
  TBitmap other(bitmap);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_TRUE(bitmap.SharesStoreWith(other));
  EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), bitmap.Stride());
}

TEST(BitmapTest, AnEmptyBitmapOnlyRecordsTheFormat) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetWidth(3);
  bitmap.SetHeight(2);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Info().rowOrder, TRowOrder::BottomUp);
  EXPECT_EQ(bitmap.Pixel(2, 1), clWhite);
  // The padding after the 9 bytes of each row is 0, so that a written file is the same each time.
  for (int32_t y = 0; y < 2; ++y) {
    EXPECT_EQ(bitmap.ConstScanLine(y)[9], 0);
    EXPECT_EQ(bitmap.ConstScanLine(y)[11], 0);
  }

  TBitmap eight;
  eight.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(eight.Info().colorTable.size(), 256u);
  TBitmap sixteen;
  sixteen.SetPixelFormat(TPixelFormat::pf16bit);
  EXPECT_EQ(sixteen.Info().masks, (std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}));

  try {
    bitmap.SetPixelFormat(TPixelFormat::pfCustom);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "画像フォーマットが不正です");
  }
}

TEST(BitmapTest, ScanLineOutsideThePictureFails) {
  TBitmap bitmap;
  bitmap.ReplaceImage(MakeDib(4, 1, 24));
  EXPECT_NO_THROW(bitmap.ScanLine(0));
  for (const int32_t y : {-1, 1}) {
    try {
      bitmap.ScanLine(y);
      FAIL();
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_EQ(e.Message(), "スキャンライン のインデックスが範囲を越えました");
    }
  }
  TBitmap empty;
  EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST(BitmapTest, ResizingKeepsTheTopLeftAndFillsWithTheBrushOnceACanvasExists) {
  TBitmap bitmap;
  bitmap.SetWidth(2);
  bitmap.SetHeight(2);
  bitmap.Canvas().Brush().Color = TColor{0, 0, 255};
  bitmap.Canvas().Pen().Color = TColor{255, 0, 0};
  bitmap.Canvas().Rectangle(0, 0, 1, 1);
  bitmap.SetWidth(4);
  EXPECT_EQ(bitmap.Pixel(0, 0), (TColor{255, 0, 0}));
  EXPECT_EQ(bitmap.Pixel(1, 1), clWhite);
  EXPECT_EQ(bitmap.Pixel(3, 0), (TColor{0, 0, 255}));

  // A top-down device-independent bitmap keeps its order when only its width changes.
  TBitmap dib;
  dib.ReplaceImage(
      MakeDib(2, 2, 8, {QuadOf(clBlack), QuadOf(clWhite)}, BI_RGB, {}, TRowOrder::TopDown));
  dib.ScanLine(0)[0] = 1;
  dib.SetWidth(3);
  EXPECT_EQ(dib.Info().rowOrder, TRowOrder::TopDown);
  EXPECT_EQ(dib.ConstScanLine(0)[0], 1);
  EXPECT_EQ(dib.ConstScanLine(0)[2], 1);  // filled white: the table's white entry
  dib.SetHeight(3);
  EXPECT_EQ(dib.Info().rowOrder, TRowOrder::BottomUp);
  EXPECT_EQ(dib.Pixel(0, 0), clWhite);
  EXPECT_EQ(dib.Pixel(0, 1), clBlack);

  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapTest, AStoreThatCantBeMadeFailsWithTheSystemError) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  bitmap.SetWidth(100000);
  try {
    bitmap.SetHeight(100000);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Code(), 12);
    EXPECT_EQ(e.Message(), "システムエラー。コード：12.\r\nメモリを確保できません");
  }
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Height(), 0);
  // A product beyond 32 bits.
  TBitmap huge;
  huge.SetWidth(0x7FFFFFFF);
  EXPECT_THROW(huge.SetHeight(0x7FFFFFFF), EOSError);
}

TEST(BitmapTest, ChangesAreReported) {
  TBitmap bitmap;
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  bitmap.SetWidth(2);
  EXPECT_EQ(changes, 0);  // still no store
  bitmap.SetHeight(2);
  EXPECT_EQ(changes, 1);
  bitmap.Canvas().Rectangle(0, 0, 2, 2);
  EXPECT_EQ(changes, 2);
  TBitmap other;
  bitmap.Assign(other);
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace pm
