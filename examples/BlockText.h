// Text for the sample pictures without a font: digits of seven segments, and capital letters of
// 5 × 7 square blocks.
#pragma once

#include <cstdint>
#include <string_view>

#include "examples/ScenePainter.h"

namespace pm::examples {

// A digit's width for its height.
double DigitWidth(double height);
// Draws digit 0 to 9 with its top-left corner at (left, top): the lit segments in `lit`, the
// others faintly in `unlit` (at a tenth of its strength).
void DrawDigit(TScenePainter& painter, int digit, double left, double top, double height,
               TColor lit, TColor unlit);

// Letters A to Z and spaces, each 5 blocks wide and 7 high with one block between letters.
int32_t BlockTextWidth(std::string_view text, int32_t block);
int32_t BlockTextHeight(int32_t block);
// Draws the text with its top-left corner at (left, top); std::invalid_argument for a
// character that has no blocks.
void DrawBlockText(TScenePainter& painter, std::string_view text, int32_t left, int32_t top,
                   int32_t block, TColor color);

}  // namespace pm::examples
