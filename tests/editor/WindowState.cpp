#include "tests/editor/WindowState.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace pm::test {

Pixels PixelsOf(const TBitmap* bitmap) {
  Pixels pixels;
  if (bitmap == nullptr || bitmap->Empty()) return pixels;
  pixels.width = bitmap->Width();
  pixels.height = bitmap->Height();
  pixels.colors.reserve(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height));
  for (int32_t y = 0; y < pixels.height; ++y) {
    for (int32_t x = 0; x < pixels.width; ++x) pixels.colors.push_back(bitmap->Pixel(x, y));
  }
  return pixels;
}

int MaxChannelDifference(const Pixels& a, const Pixels& b) {
  constexpr int kSizesDiffer = 256;
  if (a.width != b.width || a.height != b.height) return kSizesDiffer;
  int most = 0;
  for (size_t i = 0; i < a.colors.size(); ++i) {
    most = std::max({most, std::abs(a.colors[i].red - b.colors[i].red),
                     std::abs(a.colors[i].green - b.colors[i].green),
                     std::abs(a.colors[i].blue - b.colors[i].blue)});
  }
  return most;
}

void PrintTo(const Pixels& pixels, std::ostream* out) {
  *out << pixels.width << " × " << pixels.height << " pixels";
}

WindowState::WindowState(const TForm1& window)
    : upDown1(window.UpDown1->Position()),
      upDown2(window.UpDown2->Position()),
      page(window.Page()) {
  for (const TEdit* field :
       {window.Edit1, window.Edit2, window.Edit3, window.Edit4, window.Edit5, window.Edit6,
        window.Edit7, window.Edit8, window.Edit9, window.Edit10}) {
    fieldTexts.push_back(field->Text());
  }
  image1 = PixelsOf(window.Image1->Picture());
  image2 = PixelsOf(window.Image2->Picture());
}

}  // namespace pm::test
