// The holder defaults and the display depth that chooses palette output.
#include "imaging/JPEGDefaults.h"

#include <gtest/gtest.h>

#include "imaging/JPEGImage.h"

namespace pm {
namespace {

void ExpectTrueColourDefaults(const TJPEGSettings& s) {
  EXPECT_EQ(s.EncodeQuality, 90);
  EXPECT_FALSE(s.GrayMode);
  EXPECT_EQ(s.SpeedMode, TJPEGPerformance::jpBestQuality);
  EXPECT_FALSE(s.PaletteOutput);
  EXPECT_FALSE(s.ScanDisplay);
  EXPECT_FALSE(s.ProgressiveEncode);
  EXPECT_EQ(s.ScaleShift, 0);
  EXPECT_TRUE(s.BlockSmoothing);
}

// Runs first in this program (and alone under ctest): nothing has set the defaults yet.
TEST(JPEGDefaultsTest, BeforeInitialisationTheDefaultsAreThoseOfATrueColourDisplay) {
  ExpectTrueColourDefaults(JPEGDefaults());
  ExpectTrueColourDefaults(TJPEGImage().Settings());
}

TEST(JPEGDefaultsTest, PaletteOutputExactlyForDisplaysOfEightBitsOrFewer) {
  for (const int bits : {1, 4, 8}) {
    InitJPEGDefaults(bits);
    EXPECT_TRUE(JPEGDefaults().PaletteOutput) << bits;
    EXPECT_TRUE(TJPEGImage().Settings().PaletteOutput) << bits;
  }
  for (const int bits : {0, 9, 15, 16, 24, 32, -1}) {
    InitJPEGDefaults(bits);
    EXPECT_FALSE(JPEGDefaults().PaletteOutput) << bits;
  }
  InitJPEGDefaults(8);
  InitJPEGDefaults(24);  // a second initialisation starts from the defaults again
  ExpectTrueColourDefaults(JPEGDefaults());
}

}  // namespace
}  // namespace pm
