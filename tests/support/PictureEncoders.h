// PNG, GIF and WebP files written with their own libraries, for the tests, the benchmarks and
// the seeds of the fuzz targets. Nothing here uses the code under test.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace pm::test {

using Rgb = std::array<uint8_t, 3>;

// A PNG picture in the file's own layout: `rows` holds each row as the file's colour type and
// bit depth lay it out (without the filter byte), rows from the top. Colour types and bit depths
// are PNG's numbers (0 grey, 2 colour, 3 palette, 4 grey with alpha, 6 colour with alpha).
struct PngPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  int colorType = 2;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> rows;
  std::vector<Rgb> palette;
  // tRNS: the alpha of the first palette entries, or the transparent grey or colour.
  std::vector<uint8_t> paletteAlpha;
  std::optional<std::array<uint16_t, 3>> transparentColor;
};
std::vector<uint8_t> EncodePng(const PngPicture& picture);
// The samples of one pixel in a PNG colour type: 3 for colour, 2 for grey with alpha, and so on.
int PngChannels(int colorType);
// Appends one row of samples, each below 2^bitDepth, packed at the picture's bit depth as the
// file lays them out: big-endian 16-bit samples, or smaller ones filling each byte from the top.
void AppendPngRow(PngPicture& picture, const std::vector<uint32_t>& samples);
// A PNG file whose header claims a colour picture of `width` × `height` pixels, followed by a
// few bytes of pixel data.
std::vector<uint8_t> PngClaimingSize(uint32_t width, uint32_t height);
// A whole PNG picture of that size and layout, every sample 0 (black, and transparent where it
// has alpha): some 1 KB a megabyte of pixel data, however large the picture.
std::vector<uint8_t> PngOfZeros(uint32_t width, uint32_t height, int colorType, int bitDepth,
                                bool interlaced);

// One frame of a GIF file: palette indices, rows from the top in their natural order (they are
// written in the interlaced order when `interlaced` is set).
struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<uint8_t> indices;
  std::vector<Rgb> localColors;  // none: the file's colours
  int transparentIndex = -1;     // -1: none
};
std::vector<uint8_t> EncodeGif(int screenWidth, int screenHeight, const std::vector<Rgb>& colors,
                               const std::vector<GifFrame>& frames);

// A still WebP file of red, green, blue, alpha pixels, rows from the top: lossless, or lossy at
// `quality`; the alpha channel is stored only when `withAlpha` is set.
std::vector<uint8_t> EncodeWebp(int width, int height, const std::vector<uint8_t>& rgba,
                                bool lossless, bool withAlpha, float quality = 90);

// A lossless WebP file of one colour (alpha, red, green, blue from the top byte down), written
// by hand in 32 bytes whatever its size: every pixel takes 0 bits.
std::vector<uint8_t> LosslessWebpOfOneColor(int width, int height, uint32_t argb, bool withAlpha);

// One frame of an animated WebP file: a lossless still WebP file placed at (x, y), both even.
struct WebpFrame {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> still;
};
std::vector<uint8_t> AnimatedWebp(int canvasWidth, int canvasHeight,
                                  const std::vector<WebpFrame>& frames);

}  // namespace pm::test
