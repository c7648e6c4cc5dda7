#include "examples/BlockText.h"

#include <array>
#include <stdexcept>
#include <string>

namespace pm::examples {

namespace {

// Segments a (top), b (upper right), c (lower right), d (bottom), e (lower left), f (upper
// left), g (middle), as bits 0 to 6.
constexpr std::array<uint8_t, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr double kDigitAspect = 0.56;   // width for the height
constexpr double kSegmentShare = 0.14;  // a segment's thickness for the height
constexpr double kSegmentGap = 0.18;    // the gap between two segments, for the thickness
constexpr double kUnlitStrength = 0.1;

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kLetterAdvance = kGlyphWidth + 1;

using TGlyph = std::array<const char*, kGlyphHeight>;

constexpr std::array<TGlyph, 26> kLetters{{
    {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},  // A
    {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "},  // B
    {" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "},  // C
    {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "},  // D
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"},  // E
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "},  // F
    {" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"},  // G
    {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},  // H
    {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},  // I
    {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "},  // J
    {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"},  // K
    {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"},  // L
    {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"},  // M
    {"#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"},  // N
    {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},  // O
    {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "},  // P
    {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"},  // Q
    {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"},  // R
    {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "},  // S
    {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "},  // T
    {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},  // U
    {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "},  // V
    {"#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "},  // W
    {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"},  // X
    {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "},  // Y
    {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"},  // Z
}};

// A segment along the line from `from` to `to` (horizontal or vertical), pointed at both ends.
void DrawSegment(TScenePainter& painter, TPoint from, TPoint to, double thickness, TColor color,
                 double opacity) {
  const double half = thickness / 2;
  const double gap = thickness * kSegmentGap;
  if (from.y == to.y) {
    const double l = from.x + gap, r = to.x - gap, y = from.y;
    painter.Polygon({{l, y},
                     {l + half, y - half},
                     {r - half, y - half},
                     {r, y},
                     {r - half, y + half},
                     {l + half, y + half}},
                    color, opacity);
  } else {
    const double t = from.y + gap, b = to.y - gap, x = from.x;
    painter.Polygon({{x, t},
                     {x + half, t + half},
                     {x + half, b - half},
                     {x, b},
                     {x - half, b - half},
                     {x - half, t + half}},
                    color, opacity);
  }
}

}  // namespace

double DigitWidth(double height) { return height * kDigitAspect; }

void DrawDigit(TScenePainter& painter, int digit, double left, double top, double height,
               TColor lit, TColor unlit) {
  if (digit < 0 || digit > 9) throw std::invalid_argument("not a digit: " + std::to_string(digit));
  const double thickness = height * kSegmentShare;
  // The segments' centre lines.
  const double l = left + thickness / 2, r = left + DigitWidth(height) - thickness / 2;
  const double t = top + thickness / 2, m = top + height / 2, b = top + height - thickness / 2;
  const std::array<std::array<TPoint, 2>, 7> segments{{
      {{{l, t}, {r, t}}},  // a
      {{{r, t}, {r, m}}},  // b
      {{{r, m}, {r, b}}},  // c
      {{{l, b}, {r, b}}},  // d
      {{{l, m}, {l, b}}},  // e
      {{{l, t}, {l, m}}},  // f
      {{{l, m}, {r, m}}},  // g
  }};
  for (size_t i = 0; i < segments.size(); ++i) {
    const bool on = (kDigitSegments[digit] >> i) & 1;
    DrawSegment(painter, segments[i][0], segments[i][1], thickness, on ? lit : unlit,
                on ? 1.0 : kUnlitStrength);
  }
}

int32_t BlockTextWidth(std::string_view text, int32_t block) {
  if (text.empty()) return 0;
  return (static_cast<int32_t>(text.size()) * kLetterAdvance - 1) * block;
}

int32_t BlockTextHeight(int32_t block) { return kGlyphHeight * block; }

void DrawBlockText(TScenePainter& painter, std::string_view text, int32_t left, int32_t top,
                   int32_t block, TColor color) {
  for (const char c : text) {
    if (c != ' ') {
      if (c < 'A' || c > 'Z') throw std::invalid_argument(std::string("no blocks for ") + c);
      const TGlyph& glyph = kLetters[c - 'A'];
      for (int row = 0; row < kGlyphHeight; ++row) {
        for (int column = 0; column < kGlyphWidth; ++column) {
          if (glyph[row][column] != '#') continue;
          const int32_t x = left + column * block, y = top + row * block;
          painter.FillRect(x, y, x + block, y + block, color);
        }
      }
    }
    left += kLetterAdvance * block;
  }
}

}  // namespace pm::examples
