// The font of the editor's windows: "ＭＳ Ｐゴシック" at a height of 12 pixels, shown with
// IPAPGothic, which has the same metrics.
#pragma once

class QWidget;

namespace pm {

inline constexpr const char* kWindowFontFamily = "ＭＳ Ｐゴシック";
inline constexpr const char* kWindowFontSubstitute = "IPAPGothic";
inline constexpr int kWindowFontPixelSize = 12;

void ApplyWindowFont(QWidget& window);

}  // namespace pm
