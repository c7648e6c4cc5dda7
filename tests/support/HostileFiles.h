// Small files that claim much more than they hold, as an attacker would make them: pictures that
// claim huge sizes, streams of endless scans, page files whose entries name the same bytes.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace pm::test {

// A JPEG stream (three components sampled 2×2, 1×1, 1×1, or one gray component) that claims a
// picture of width × height and ends right after the header of its first scan, a few hundred
// bytes: the library takes the rest of the data as missing and makes the picture up.
std::vector<uint8_t> CutOffJpeg(int32_t width, int32_t height, bool progressive, bool gray = false);

// A progressive stream that claims width × height, whose first scan's header follows itself
// `scans` times with no data between, then the end of the image. Each scan costs the decoder
// time in proportion to the picture's size.
std::vector<uint8_t> JpegOfEmptyScans(int32_t width, int32_t height, int scans);

// A BMP file of nothing but its headers (and a colour table for 8 bits) that claims width ×
// height; `runLength` makes it RLE8 with a single end-of-picture code.
std::vector<uint8_t> BmpClaiming(int32_t width, int32_t height, uint16_t bitCount,
                                 bool runLength = false);

// A page file storing the background and the given slots, each stream once, in that order,
// then the link table with every link at its initial value.
std::vector<uint8_t> PageFileOf(
    const std::vector<uint8_t>& background,
    const std::vector<std::pair<int, std::vector<uint8_t>>>& slots = {});

// A page file whose background and 256 slot entries all name one stored stream.
std::vector<uint8_t> PageFileNamingOneStream(const std::vector<uint8_t>& stream);

}  // namespace pm::test
