#include "page/PlaceholderBackground.h"

namespace pm {

TBitmap PlaceholderBackground() {
  TBitmap placeholder;
  placeholder.SetWidth(kPlaceholderWidth);
  placeholder.SetHeight(kPlaceholderHeight);
  // The canvas's default pen and brush: a black frame around a white inside.
  placeholder.Canvas().Rectangle(0, 0, kPlaceholderWidth, kPlaceholderHeight);
  return placeholder;
}

}  // namespace pm
