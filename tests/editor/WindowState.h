// What the main window shows and what its page holds, taken at one moment, so that a test can
// prove that a failed action changed nothing; and the pixels of a picture, for comparing what an
// image box shows with what a file holds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/Form1.h"
#include "imaging/Bitmap.h"
#include "page/Page.h"
#include "tests/support/PageSnapshot.h"

namespace pm::test {

struct Pixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<TColor> colors;  // row by row from the top
  friend bool operator==(const Pixels&, const Pixels&) = default;
};

// Nothing (0 × 0) for no picture.
Pixels PixelsOf(const TBitmap* bitmap);
inline Pixels PixelsOf(const TBitmap& bitmap) { return PixelsOf(&bitmap); }

// The largest difference of one colour channel between two pictures of the same size; 256 when
// the sizes differ.
int MaxChannelDifference(const Pixels& a, const Pixels& b);

void PrintTo(const Pixels& pixels, std::ostream* out);

struct WindowState {
  explicit WindowState(const TForm1& window);
  friend bool operator==(const WindowState&, const WindowState&) = default;

  // Every field's text, Edit1 to Edit10 in the order of their numbers.
  std::vector<std::string> fieldTexts;
  int upDown1 = 0;
  int upDown2 = 0;
  Pixels image1;
  Pixels image2;
  PageSnapshot page;
};

}  // namespace pm::test
