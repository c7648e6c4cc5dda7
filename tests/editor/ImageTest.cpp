#include "editor/Image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "imaging/Bitmap.h"

namespace pm {
namespace {

constexpr QRgb kPanelColour = 0xFF102030;

// A 24-bit bitmap whose every pixel tells where it is.
QRgb ColourAt(int x, int y) { return qRgb(x & 0xFF, (x >> 8) | ((y >> 8) << 4), y & 0xFF); }

TBitmap PatternBitmap(int32_t width, int32_t height) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) {
      const QRgb colour = ColourAt(x, y);
      row[3 * x] = static_cast<uint8_t>(qBlue(colour));
      row[3 * x + 1] = static_cast<uint8_t>(qGreen(colour));
      row[3 * x + 2] = static_cast<uint8_t>(qRed(colour));
    }
  }
  return bitmap;
}

TBitmap OneColourBitmap(int32_t width, int32_t height, TColor colour) {
  TBitmap bitmap;
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  bitmap.Canvas().Brush().Color = colour;
  bitmap.Canvas().FillRect(0, 0, width, height);
  return bitmap;
}

// Image1 of the window: a 134 × 100 box on a panel of its own colour.
class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.setGeometry(0, 0, 640, 153);
    QPalette palette = panel_.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kPanelColour));
    panel_.setPalette(palette);
    panel_.setAutoFillBackground(true);
    image_ = new TImage(&panel_);
    image_->setGeometry(112, 40, 134, 100);
    panel_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel_));
  }

  // The box as the screen shows it, over its panel.
  QImage Shown() {
    return panel_.grab(image_->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
  }

  static bool AllOf(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != (colour | 0xFF000000)) return false;
      }
    }
    return true;
  }

  QWidget panel_;
  TImage* image_ = nullptr;
};

TEST_F(ImageTest, ABitmapFillsTheBoxEachAxisScaledOnItsOwnByTheNearestPixel) {
  const TBitmap bitmap = PatternBitmap(640, 480);
  image_->SetPicture(&bitmap);
  const QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(134, 100));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 134; ++x) {
      ASSERT_EQ(shown.pixel(x, y), ColourAt(x * 640 / 134, y * 480 / 100)) << x << ", " << y;
    }
  }

  // A new size scales again.
  image_->resize(10, 300);
  const QImage resized = Shown();
  for (int y = 0; y < 300; y += 7) {
    for (int x = 0; x < 10; ++x) {
      ASSERT_EQ(resized.pixel(x, y), ColourAt(x * 640 / 10, y * 480 / 300)) << x << ", " << y;
    }
  }
}

TEST_F(ImageTest, OnePixelFillsTheWholeBoxInEveryPixelFormat) {
  const TColor colour{200, 100, 50};
  for (const TPixelFormat format :
       {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf8bit, TPixelFormat::pf16bit,
        TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    TBitmap bitmap = OneColourBitmap(1, 1, colour);
    bitmap.SetPixelFormat(format);
    const TColor stored = bitmap.Pixel(0, 0);  // what the format keeps of the colour
    image_->SetPicture(&bitmap);
    EXPECT_TRUE(AllOf(Shown(), qRgb(stored.red, stored.green, stored.blue)))
        << "format " << static_cast<int>(format);
  }
}

TEST_F(ImageTest, WithoutAPictureThePanelShowsThrough) {
  EXPECT_TRUE(AllOf(Shown(), kPanelColour));
  const TBitmap bitmap = OneColourBitmap(2, 2, clWhite);
  image_->SetPicture(&bitmap);
  ASSERT_TRUE(AllOf(Shown(), 0xFFFFFF));
  image_->SetPicture(nullptr);
  EXPECT_EQ(image_->Picture(), nullptr);
  EXPECT_TRUE(AllOf(Shown(), kPanelColour));

  const TBitmap empty;
  image_->SetPicture(&empty);
  EXPECT_TRUE(AllOf(Shown(), kPanelColour));
}

TEST_F(ImageTest, TheBoxKeepsItsOwnCopyOfThePicture) {
  auto bitmap = std::make_unique<TBitmap>(OneColourBitmap(4, 4, TColor{0, 255, 0}));
  image_->SetPicture(bitmap.get());
  bitmap->Canvas().Brush().Color = TColor{255, 0, 0};
  bitmap->Canvas().FillRect(0, 0, 4, 4);
  image_->Refresh();
  EXPECT_TRUE(AllOf(Shown(), 0x00FF00));
  bitmap.reset();
  image_->Refresh();
  EXPECT_TRUE(AllOf(Shown(), 0x00FF00));
  image_->resize(50, 50);
  EXPECT_TRUE(AllOf(Shown(), 0x00FF00));
}

}  // namespace
}  // namespace pm
