// Writes the seed corpora of the fuzz targets: a few small valid BMP files of every supported
// kind, a few JPEG files, and page files made of them.
// Usage: fuzz_seed_writer <bmp folder> <jpeg folder> <page folder>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// The library's header needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kV4HeaderSize = 108;
constexpr uint32_t kV5HeaderSize = 124;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

void U16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void U32(std::vector<uint8_t>& out, uint32_t v) {
  U16(out, v & 0xFFFF);
  U16(out, v >> 16);
}

struct Bmp {
  uint32_t headerSize = kInfoHeaderSize;
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitCount = 24;
  uint32_t compression = kRgb;
  std::array<uint32_t, 3> masks{};
  std::vector<uint8_t> table;  // entries as the header size wants them: 3 or 4 bytes
  uint32_t colorsUsed = 0;
  std::vector<uint8_t> pixels;

  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> header;
    U32(header, headerSize);
    if (headerSize == kCoreHeaderSize) {
      for (uint32_t v :
           {static_cast<uint32_t>(width), static_cast<uint32_t>(height), 1u, uint32_t{bitCount}})
        U16(header, v);
    } else {
      U32(header, static_cast<uint32_t>(width));
      U32(header, static_cast<uint32_t>(height));
      U16(header, 1);
      U16(header, bitCount);
      for (uint32_t v :
           {compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u, colorsUsed, 0u})
        U32(header, v);
      const bool masksInHeader = headerSize > kInfoHeaderSize;
      if (masksInHeader || compression == kBitFields) {
        for (uint32_t mask : masks) U32(header, mask);
      }
      if (masksInHeader) header.resize(headerSize);
    }
    header.insert(header.end(), table.begin(), table.end());
    std::vector<uint8_t> file{'B', 'M'};
    const auto offset = static_cast<uint32_t>(kFileHeaderSize + header.size());
    U32(file, static_cast<uint32_t>(offset + pixels.size()));
    U32(file, 0);
    U32(file, offset);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
  }
};

// A grey ramp of `count` entries of `entrySize` bytes.
std::vector<uint8_t> Ramp(int count, int entrySize) {
  std::vector<uint8_t> table;
  for (int i = 0; i < count; ++i) {
    const auto v = static_cast<uint8_t>(i * 255 / (count > 1 ? count - 1 : 1));
    for (int c = 0; c < entrySize; ++c) table.push_back(c < 3 ? v : 0);
  }
  return table;
}

std::vector<uint8_t> Pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  return bytes;
}

std::vector<std::pair<std::string, Bmp>> BmpSeeds() {
  std::vector<std::pair<std::string, Bmp>> seeds;
  Bmp rgb;
  rgb.width = 3;
  rgb.height = 2;
  rgb.pixels = Pattern(24);
  seeds.emplace_back("rgb24.bmp", rgb);
  rgb.height = -2;
  seeds.emplace_back("rgb24-top-down.bmp", rgb);

  Bmp indexed;
  indexed.width = 5;
  indexed.height = 2;
  indexed.bitCount = 8;
  indexed.colorsUsed = 4;
  indexed.table = Ramp(4, 4);
  indexed.pixels = {0, 1, 2, 3, 1, 0, 0, 0, 3, 2, 1, 0, 2, 0, 0, 0};
  seeds.emplace_back("indexed8.bmp", indexed);
  indexed.bitCount = 4;
  indexed.colorsUsed = 0;
  indexed.table = Ramp(16, 4);
  indexed.pixels = {0x01, 0x23, 0x40, 0, 0xFE, 0xDC, 0xB0, 0};
  seeds.emplace_back("indexed4.bmp", indexed);
  indexed.bitCount = 1;
  indexed.width = 10;
  indexed.table = Ramp(2, 4);
  indexed.pixels = {0xA5, 0x40, 0, 0, 0x5A, 0x80, 0, 0};
  seeds.emplace_back("indexed1.bmp", indexed);

  Bmp core;
  core.headerSize = kCoreHeaderSize;
  core.width = 3;
  core.height = 2;
  core.bitCount = 8;
  core.table = Ramp(256, 3);
  core.pixels = {0, 128, 255, 0, 10, 20, 30, 0};
  seeds.emplace_back("core8.bmp", core);

  Bmp fields;
  fields.width = 2;
  fields.height = 2;
  fields.bitCount = 16;
  fields.compression = kBitFields;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = Pattern(8);
  seeds.emplace_back("fields16.bmp", fields);
  fields.headerSize = kV5HeaderSize;
  fields.bitCount = 32;
  fields.masks = {0xFF0000, 0xFF00, 0xFF};
  fields.pixels = Pattern(16);
  seeds.emplace_back("fields32-v5.bmp", fields);
  fields.headerSize = kV4HeaderSize;
  fields.compression = kRgb;
  seeds.emplace_back("rgb32-v4.bmp", fields);

  Bmp rle;
  rle.width = 6;
  rle.height = 4;
  rle.bitCount = 8;
  rle.compression = kRle8;
  rle.colorsUsed = 4;
  rle.table = Ramp(4, 4);
  // A run, an end of line, an absolute run with padding, a delta, an end of picture.
  rle.pixels = {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 1, 1, 2, 3, 0, 1};
  seeds.emplace_back("rle8.bmp", rle);
  rle.bitCount = 4;
  rle.compression = kRle4;
  rle.pixels = {5, 0x12, 0, 0, 0, 5, 0x32, 0x13, 0x20, 0, 0, 2, 1, 1, 3, 0x21, 0, 1};
  seeds.emplace_back("rle4.bmp", rle);
  return seeds;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The compression object, destroyed with its owner. The library's default error handling ends
// this program, which is all a build step needs.
class Compressor {
 public:
  Compressor() {
    info_.err = jpeg_std_error(&errors_);
    jpeg_create_compress(&info_);
  }
  ~Compressor() { jpeg_destroy_compress(&info_); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
  jpeg_compress_struct* operator->() { return &info_; }
  jpeg_compress_struct* Get() { return &info_; }

 private:
  jpeg_error_mgr errors_{};
  jpeg_compress_struct info_{};
};

bool WriteJpeg(const fs::path& path, int width, int height, int components, bool progressive) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  Compressor jpeg;
  jpeg_stdio_dest(jpeg.Get(), file.get());
  jpeg->image_width = static_cast<JDIMENSION>(width);
  jpeg->image_height = static_cast<JDIMENSION>(height);
  jpeg->input_components = components;
  jpeg->in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(jpeg.Get());
  jpeg_set_quality(jpeg.Get(), 90, TRUE);
  if (progressive) jpeg_simple_progression(jpeg.Get());
  jpeg_start_compress(jpeg.Get(), TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
  while (jpeg->next_scanline < jpeg->image_height) {
    for (size_t i = 0; i < row.size(); ++i) {
      row[i] = static_cast<JSAMPLE>(i * 13 + jpeg->next_scanline * 29);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(jpeg.Get(), rows, 1);
  }
  jpeg_finish_compress(jpeg.Get());
  return true;
}

bool WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A page file as the editor writes it: the 2064-byte header of offsets and sizes, the streams
// one after the other, and the 7168-byte link table of 256 records of seven integers.
std::vector<uint8_t> PageFile(const std::vector<uint8_t>* background,
                              const std::vector<std::pair<int, std::vector<uint8_t>>>& slots) {
  constexpr uint32_t kHeaderSize = 2064, kLinkTableSize = 7168, kNone = 0xFFFFFFFF;
  std::vector<uint8_t> header, data;
  uint32_t offset = kHeaderSize;
  auto entry = [&](const std::vector<uint8_t>* stream) {
    if (!stream) {
      U32(header, kNone);
      U32(header, kNone);
      return;
    }
    U32(header, offset);
    U32(header, static_cast<uint32_t>(stream->size()));
    data.insert(data.end(), stream->begin(), stream->end());
    offset += static_cast<uint32_t>(stream->size());
  };
  entry(background);
  for (int slot = 0; slot < 256; ++slot) {
    const std::vector<uint8_t>* stream = nullptr;
    for (const auto& [number, bytes] : slots) {
      if (number == slot) stream = &bytes;
    }
    entry(stream);
  }
  U32(header, offset);
  U32(header, kLinkTableSize);
  std::vector<uint8_t> file = header;
  file.insert(file.end(), data.begin(), data.end());
  for (uint32_t record = 0; record < 256; ++record) {
    for (const uint32_t value :
         {record, record + 1, record + 2, record + 3, kNone, 0u, record % 3}) {
      U32(file, value);
    }
  }
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <bmp folder> <jpeg folder> <page folder>\n", argv[0]);
    return 2;
  }
  const fs::path bmpFolder = argv[1], jpegFolder = argv[2], pageFolder = argv[3];
  fs::create_directories(bmpFolder);
  fs::create_directories(jpegFolder);
  fs::create_directories(pageFolder);
  bool written = true;
  for (const auto& [name, bmp] : BmpSeeds()) written &= WriteBytes(bmpFolder / name, bmp.Bytes());
  written &= WriteJpeg(jpegFolder / "grey8.jpg", 8, 8, 1, false);
  written &= WriteJpeg(jpegFolder / "colour17x9.jpg", 17, 9, 3, false);
  written &= WriteJpeg(jpegFolder / "colour16-progressive.jpg", 16, 16, 3, true);
  const auto grey = ReadBytes(jpegFolder / "grey8.jpg");
  const auto colour = ReadBytes(jpegFolder / "colour17x9.jpg");
  const auto progressive = ReadBytes(jpegFolder / "colour16-progressive.jpg");
  written &= WriteBytes(pageFolder / "three-slots.pag",
                        PageFile(&colour, {{0, grey}, {5, progressive}, {255, colour}}));
  written &= WriteBytes(pageFolder / "no-background.pag", PageFile(nullptr, {{1, grey}}));
  written &= WriteBytes(pageFolder / "background-only.pag", PageFile(&progressive, {}));
  if (!written) std::fprintf(stderr, "%s: a seed file could not be written\n", argv[0]);
  return written ? 0 : 1;
}
