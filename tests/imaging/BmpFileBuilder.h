// Builds BMP files field by field, so that each test states only the fields it is about.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/Stream.h"
#include "imaging/Color.h"
#include "imaging/PixelFormat.h"

namespace pm::test {

struct BmpFileBuilder {
  // File header.
  std::array<uint8_t, 2> type{'B', 'M'};
  uint32_t dataOffset = 0;  // 0: where the pixels really begin
  // Information header; a size of 12 writes the core header (16-bit width, height, planes and
  // bit count, 3-byte colour-table entries). Headers of 52 bytes or more hold the masks.
  uint32_t headerSize = 40;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t planes = 1;
  uint16_t bitCount = 24;
  uint32_t compression = BI_RGB;
  uint32_t imageSize = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t colorsUsed = 0;
  uint32_t colorsImportant = 0;
  std::array<uint32_t, 3> masks{};
  bool masksAfterHeader = false;  // the 12 bytes that follow a 40-byte header
  std::vector<TRGBQuad> colorTable;
  std::vector<uint8_t> gap;  // bytes between the colour table and the pixels
  std::vector<uint8_t> pixels;

  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> header = InformationHeader();
    if (masksAfterHeader) {
      for (uint32_t mask : masks) U32(header, mask);
    }
    for (const TRGBQuad& e : colorTable) {
      header.insert(header.end(), {e.rgbBlue, e.rgbGreen, e.rgbRed});
      if (headerSize != 12) header.push_back(e.rgbReserved);
    }
    header.insert(header.end(), gap.begin(), gap.end());
    std::vector<uint8_t> file{type[0], type[1]};
    const auto offset = static_cast<uint32_t>(14 + header.size());
    U32(file, static_cast<uint32_t>(offset + pixels.size()));
    U32(file, 0);
    U32(file, dataOffset != 0 ? dataOffset : offset);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
  }

 private:
  std::vector<uint8_t> InformationHeader() const {
    std::vector<uint8_t> h;
    U32(h, headerSize);
    if (headerSize == 12) {
      for (auto v : {static_cast<uint16_t>(width), static_cast<uint16_t>(height), planes, bitCount})
        U16(h, v);
      return h;
    }
    U32(h, static_cast<uint32_t>(width));
    U32(h, static_cast<uint32_t>(height));
    U16(h, planes);
    U16(h, bitCount);
    for (uint32_t v : {compression, imageSize, static_cast<uint32_t>(xPelsPerMeter),
                       static_cast<uint32_t>(yPelsPerMeter), colorsUsed, colorsImportant})
      U32(h, v);
    for (uint32_t mask : masks) U32(h, mask);
    h.resize(headerSize);  // cuts the masks from a 40-byte header, pads a longer one with 0
    return h;
  }
  static void U16(std::vector<uint8_t>& out, uint16_t v) {
    out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
  }
  static void U32(std::vector<uint8_t>& out, uint32_t v) {
    U16(out, static_cast<uint16_t>(v));
    U16(out, static_cast<uint16_t>(v >> 16));
  }
};

// Colour-table entries.
inline TRGBQuad Quad(uint8_t red, uint8_t green, uint8_t blue) {
  return TRGBQuad{blue, green, red, 0};
}

}  // namespace pm::test
