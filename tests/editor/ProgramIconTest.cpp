#include <gtest/gtest.h>

#include <QImage>

#include "editor/Form2.h"
#include "editor/ProgramIcon.h"
#include "tests/editor/WindowDriver.h"

namespace pm {
namespace {

QImage AsArgb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

class ProgramIconTest : public test::WindowTest {};

TEST_F(ProgramIconTest, BothWindowsShowTheSame32By32Icon) {
  const QImage expected = AsArgb(ProgramIconImage(kProgramIconSize));
  TForm2 about(&window);
  for (const QWidget* widget : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about)}) {
    const QIcon icon = widget->windowIcon();
    ASSERT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)})
        << widget->objectName().toStdString();
    EXPECT_EQ(AsArgb(icon.pixmap(QSize(32, 32)).toImage()), expected);
  }
}

// The icon theme's larger sizes show the 32 × 32 design with each of its pixels as a block.
TEST_F(ProgramIconTest, LargerSizesEnlargeEveryPixelOfTheDesign) {
  const QImage design = AsArgb(ProgramIconImage(kProgramIconSize));
  for (const int scale : {2, 4, 8}) {
    const QImage large = AsArgb(ProgramIconImage(kProgramIconSize * scale));
    ASSERT_EQ(large.size(), QSize(32 * scale, 32 * scale));
    int differing = 0;
    for (int y = 0; y < large.height(); ++y) {
      for (int x = 0; x < large.width(); ++x) {
        differing += large.pixel(x, y) != design.pixel(x / scale, y / scale);
      }
    }
    EXPECT_EQ(differing, 0) << "at " << 32 * scale << " pixels";
  }
  // A size between the multiples still covers the same ground: transparent corners, a page in
  // the middle.
  const QImage between = AsArgb(ProgramIconImage(48));
  EXPECT_EQ(qAlpha(between.pixel(0, 0)), 0);
  EXPECT_EQ(between.pixel(24, 44), design.pixel(16, 29));
}

}  // namespace
}  // namespace pm
