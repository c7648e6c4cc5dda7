// One page of the sample document as the drawing program makes it: its background, and its links
// with the page each leads to. Link N's slot picture goes into slot N.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Color.h"

namespace pm::examples {

// The width and height of every background.
inline constexpr int32_t kPageWidth = 800;
inline constexpr int32_t kPageHeight = 600;

struct TSampleLink {
  // The rectangle as a link record stores it: Right and Bottom just outside it.
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t target = 0;  // the page it leads to

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

struct TSamplePage {
  int32_t number = 0;
  std::string name;  // capital letters and spaces, drawn in the page's title
  TColor theme;      // the page's own colour: its title, and the signs of links leading to it
  TBitmap background;
  std::vector<TSampleLink> links;  // in link number order
};

}  // namespace pm::examples
