#include "tests/support/PictureEncoders.h"

#include <gif_lib.h>
#include <png.h>
#include <webp/encode.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <string>

namespace pm::test {

namespace {

// --- PNG ---------------------------------------------------------------------------------

void AppendToVector(png_structp png, png_bytep data, size_t size) {
  auto& out = *static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out.insert(out.end(), data, data + size);
}

void NoFlush(png_structp) {}

size_t PngRowBytes(const PngPicture& picture) {
  const size_t channels = static_cast<size_t>(PngChannels(picture.colorType));
  return (size_t{picture.width} * channels * static_cast<size_t>(picture.bitDepth) + 7) / 8;
}

// The frame in which libpng's long jump may land holds nothing with a destructor.
bool WritePng(png_structp png, png_infop info, const PngPicture& picture, png_bytepp rows,
              std::vector<uint8_t>* out) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, out, AppendToVector, NoFlush);
  png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty()) {
    png_color colors[256];
    for (size_t i = 0; i < picture.palette.size(); ++i) {
      colors[i] = png_color{picture.palette[i][0], picture.palette[i][1], picture.palette[i][2]};
    }
    png_set_PLTE(png, info, colors, static_cast<int>(picture.palette.size()));
  }
  if (!picture.paletteAlpha.empty()) {
    png_set_tRNS(png, info, picture.paletteAlpha.data(),
                 static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  if (picture.transparentColor) {
    const auto& c = *picture.transparentColor;
    png_color_16 color{0, c[0], c[1], c[2], c[0]};
    png_set_tRNS(png, info, nullptr, 0, &color);
  }
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

// --- GIF ---------------------------------------------------------------------------------

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int size) {
  auto& out = *static_cast<std::vector<uint8_t>*>(gif->UserData);
  out.insert(out.end(), data, data + size);
  return size;
}

// A colour map of a power of two entries, the missing ones black.
ColorMapObject* MakeColorMap(const std::vector<Rgb>& colors) {
  int count = 2;
  while (count < static_cast<int>(colors.size())) count *= 2;
  std::vector<GifColorType> entries(static_cast<size_t>(count), GifColorType{0, 0, 0});
  for (size_t i = 0; i < colors.size(); ++i) {
    entries[i] = GifColorType{colors[i][0], colors[i][1], colors[i][2]};
  }
  return GifMakeMapObject(count, entries.data());
}

void CheckGif(int result, const char* what) {
  if (result == GIF_ERROR) throw std::runtime_error(std::string("giflib: ") + what);
}

std::vector<int> GifRowOrder(const GifFrame& frame) {
  std::vector<int> order;
  if (!frame.interlaced) {
    for (int row = 0; row < frame.height; ++row) order.push_back(row);
    return order;
  }
  const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  for (const auto& pass : passes) {
    for (int row = pass[0]; row < frame.height; row += pass[1]) order.push_back(row);
  }
  return order;
}

// --- WebP --------------------------------------------------------------------------------

void PutBE(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutPngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBE(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBE(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutChunk(std::vector<uint8_t>& out, const char* tag, const std::vector<uint8_t>& payload) {
  out.insert(out.end(), tag, tag + 4);
  PutLE(out, static_cast<uint32_t>(payload.size()), 4);
  out.insert(out.end(), payload.begin(), payload.end());
  if (payload.size() % 2 != 0) out.push_back(0);
}

constexpr size_t kRiffHeaderSize = 12;

// The bytes of all scanlines of a PNG picture of that size and layout: each row of each pass
// (seven passes when interlaced) with its filter byte.
uint64_t PngScanlineBytes(uint32_t width, uint32_t height, int colorType, int bitDepth,
                          bool interlaced) {
  struct Pass {
    uint32_t x, y, dx, dy;
  };
  constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  constexpr Pass kWhole[] = {{0, 0, 1, 1}};
  const auto bitsPerPixel = static_cast<uint64_t>(PngChannels(colorType) * bitDepth);
  uint64_t total = 0;
  for (const Pass& pass : interlaced ? std::span<const Pass>(kAdam7) : std::span(kWhole)) {
    const uint64_t columns = width > pass.x ? (width - pass.x + pass.dx - 1) / pass.dx : 0;
    const uint64_t rows = height > pass.y ? (height - pass.y + pass.dy - 1) / pass.dy : 0;
    if (columns > 0) total += rows * (1 + (columns * bitsPerPixel + 7) / 8);
  }
  return total;
}

// The zlib stream of `size` zero bytes, made without compressing them all: zeros deflated after
// a full flush come out the same every time, so one piece stands for all that follow it, and
// the checksum is worked out on its own.
std::vector<uint8_t> DeflatedZeros(uint64_t size) {
  constexpr size_t kPiece = 1 << 20;
  const std::vector<uint8_t> zeros(kPiece, 0);
  z_stream z{};
  if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("zlib: init");
  std::vector<uint8_t> out;
  const auto deflatePiece = [&](size_t bytes, int flush) {
    std::vector<uint8_t> piece(deflateBound(&z, bytes) + 64);
    z.next_in = const_cast<Bytef*>(zeros.data());
    z.avail_in = static_cast<uInt>(bytes);
    z.next_out = piece.data();
    z.avail_out = static_cast<uInt>(piece.size());
    if (deflate(&z, flush) == Z_STREAM_ERROR || z.avail_in != 0) {
      throw std::runtime_error("zlib: deflate");
    }
    piece.resize(piece.size() - z.avail_out);
    return piece;
  };
  uint32_t adler = static_cast<uint32_t>(adler32(0, nullptr, 0));
  uint64_t left = size;
  std::vector<uint8_t> repeated;
  for (int first = 2; left > kPiece; left -= kPiece) {
    if (first > 0) {
      // The first piece carries the stream's header; the second is the one that repeats.
      repeated = deflatePiece(kPiece, Z_FULL_FLUSH);
      --first;
    }
    out.insert(out.end(), repeated.begin(), repeated.end());
    adler = static_cast<uint32_t>(adler32(adler, zeros.data(), kPiece));
  }
  std::vector<uint8_t> last = deflatePiece(static_cast<size_t>(left), Z_FINISH);
  deflateEnd(&z);
  adler = static_cast<uint32_t>(adler32(adler, zeros.data(), static_cast<uInt>(left)));
  last.resize(last.size() - 4);  // zlib's checksum of only the pieces it saw
  out.insert(out.end(), last.begin(), last.end());
  PutBE(out, adler);
  return out;
}

// Bits written from the least significant one up, as a lossless WebP bitstream holds them.
class LsbBits {
 public:
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i, ++bits_) {
      if (bits_ % 8 == 0) bytes_.push_back(0);
      bytes_.back() |= static_cast<uint8_t>(((value >> i) & 1) << (bits_ % 8));
    }
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int bits_ = 0;
};

}  // namespace

int PngChannels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

void AppendPngRow(PngPicture& picture, const std::vector<uint32_t>& samples) {
  constexpr uint32_t kWideDepth = 16;
  constexpr uint32_t kByteBits = 8;
  const auto depth = static_cast<uint32_t>(picture.bitDepth);
  uint32_t bits = 0, filled = 0;
  for (const uint32_t sample : samples) {
    if (depth == kWideDepth) {
      picture.rows.insert(picture.rows.end(), {uint8_t(sample >> kByteBits), uint8_t(sample)});
      continue;
    }
    bits = bits << depth | sample;
    filled += depth;
    if (filled == kByteBits) {
      picture.rows.push_back(static_cast<uint8_t>(bits));
      bits = filled = 0;
    }
  }
  if (filled > 0) picture.rows.push_back(static_cast<uint8_t>(bits << (kByteBits - filled)));
}

std::vector<uint8_t> EncodePng(const PngPicture& picture) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const size_t rowBytes = PngRowBytes(picture);
  std::vector<png_bytep> rows(picture.height);
  for (uint32_t y = 0; y < picture.height; ++y) {
    rows[y] = const_cast<png_bytep>(picture.rows.data() + y * rowBytes);
  }
  std::vector<uint8_t> out;
  const bool written = WritePng(png, info, picture, rows.data(), &out);
  png_destroy_write_struct(&png, &info);
  if (!written) throw std::runtime_error("libpng could not write the picture");
  return out;
}

std::vector<uint8_t> PngClaimingSize(uint32_t width, uint32_t height) {
  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBE(header, width);
  PutBE(header, height);
  header.insert(header.end(), {8, PNG_COLOR_TYPE_RGB, 0, 0, 0});
  PutPngChunk(out, "IHDR", header);
  PutPngChunk(out, "IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00});
  PutPngChunk(out, "IEND", {});
  return out;
}

std::vector<uint8_t> PngOfZeros(uint32_t width, uint32_t height, int colorType, int bitDepth,
                                bool interlaced) {
  std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBE(header, width);
  PutBE(header, height);
  header.insert(header.end(), {static_cast<uint8_t>(bitDepth), static_cast<uint8_t>(colorType), 0,
                               0, static_cast<uint8_t>(interlaced ? 1 : 0)});
  PutPngChunk(out, "IHDR", header);
  PutPngChunk(out, "IDAT",
              DeflatedZeros(PngScanlineBytes(width, height, colorType, bitDepth, interlaced)));
  PutPngChunk(out, "IEND", {});
  return out;
}

std::vector<uint8_t> LosslessWebpOfOneColor(int width, int height, uint32_t argb, bool withAlpha) {
  constexpr uint32_t kSignature = 0x2F;
  LsbBits bits;
  bits.Put(kSignature, 8);
  bits.Put(static_cast<uint32_t>(width - 1), 14);
  bits.Put(static_cast<uint32_t>(height - 1), 14);
  bits.Put(withAlpha ? 1 : 0, 1);
  bits.Put(0, 3);  // version
  bits.Put(0, 1);  // no transform
  bits.Put(0, 1);  // no colour cache
  bits.Put(0, 1);  // one group of prefix codes for the whole picture
  // Green, red, blue and alpha: a simple code of one 8-bit symbol each, 0 bits a pixel.
  for (const int shift : {8, 16, 0, 24}) {
    bits.Put(1, 1);  // simple code
    bits.Put(0, 1);  // of one symbol
    bits.Put(1, 1);  // written in 8 bits
    bits.Put((argb >> shift) & 0xFF, 8);
  }
  bits.Put(0b0001, 4);  // distances: a simple code of the 1-bit symbol 0
  std::vector<uint8_t> body{'W', 'E', 'B', 'P'};
  PutChunk(body, "VP8L", bits.Bytes());
  std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
  PutLE(file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

std::vector<uint8_t> EncodeGif(int screenWidth, int screenHeight, const std::vector<Rgb>& colors,
                               const std::vector<GifFrame>& frames) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
  if (gif == nullptr) throw std::runtime_error("giflib: open");
  EGifSetGifVersion(gif, true);
  ColorMapObject* screenColors = colors.empty() ? nullptr : MakeColorMap(colors);
  CheckGif(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, screenColors), "screen");
  GifFreeMapObject(screenColors);
  for (const GifFrame& frame : frames) {
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 10, frame.transparentIndex};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    CheckGif(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
             "control");
    ColorMapObject* local = frame.localColors.empty() ? nullptr : MakeColorMap(frame.localColors);
    if (local == nullptr && gif->Image.ColorMap != nullptr) {
      // giflib forgets the previous frame's colours here instead of freeing them.
      GifFreeMapObject(gif->Image.ColorMap);
      gif->Image.ColorMap = nullptr;
    }
    CheckGif(EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height,
                              frame.interlaced, local),
             "image");
    GifFreeMapObject(local);
    for (const int row : GifRowOrder(frame)) {
      auto* line = const_cast<GifPixelType*>(frame.indices.data() + size_t(row) * frame.width);
      CheckGif(EGifPutLine(gif, line, frame.width), "line");
    }
  }
  CheckGif(EGifCloseFile(gif, &error), "close");
  return out;
}

std::vector<uint8_t> EncodeWebp(int width, int height, const std::vector<uint8_t>& rgba,
                                bool lossless, bool withAlpha, float quality) {
  uint8_t* output = nullptr;
  size_t size = 0;
  if (withAlpha) {
    size = lossless ? WebPEncodeLosslessRGBA(rgba.data(), width, height, width * 4, &output)
                    : WebPEncodeRGBA(rgba.data(), width, height, width * 4, quality, &output);
  } else {
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < rgba.size(); i += 4) rgb.insert(rgb.end(), &rgba[i], &rgba[i] + 3);
    size = lossless ? WebPEncodeLosslessRGB(rgb.data(), width, height, width * 3, &output)
                    : WebPEncodeRGB(rgb.data(), width, height, width * 3, quality, &output);
  }
  if (size == 0) throw std::runtime_error("libwebp could not write the picture");
  std::vector<uint8_t> bytes(output, output + size);
  WebPFree(output);
  return bytes;
}

std::vector<uint8_t> AnimatedWebp(int canvasWidth, int canvasHeight,
                                  const std::vector<WebpFrame>& frames) {
  constexpr uint32_t kAnimationFlag = 0x02, kAlphaFlag = 0x10;
  std::vector<uint8_t> vp8x;
  PutLE(vp8x, kAnimationFlag | kAlphaFlag, 4);
  PutLE(vp8x, static_cast<uint32_t>(canvasWidth - 1), 3);
  PutLE(vp8x, static_cast<uint32_t>(canvasHeight - 1), 3);
  std::vector<uint8_t> anim;
  PutLE(anim, 0xFF000000u, 4);  // background colour (not used by readers here), loop count 0
  PutLE(anim, 0, 2);
  std::vector<uint8_t> body{'W', 'E', 'B', 'P'};
  PutChunk(body, "VP8X", vp8x);
  PutChunk(body, "ANIM", anim);
  for (const WebpFrame& frame : frames) {
    std::vector<uint8_t> anmf;
    PutLE(anmf, static_cast<uint32_t>(frame.x / 2), 3);
    PutLE(anmf, static_cast<uint32_t>(frame.y / 2), 3);
    PutLE(anmf, static_cast<uint32_t>(frame.width - 1), 3);
    PutLE(anmf, static_cast<uint32_t>(frame.height - 1), 3);
    PutLE(anmf, 100, 3);  // duration
    anmf.push_back(0);    // alpha-blend, no disposal
    // The still file's chunks after its RIFF header: the lossless bitstream.
    anmf.insert(anmf.end(), frame.still.begin() + kRiffHeaderSize, frame.still.end());
    PutChunk(body, "ANMF", anmf);
  }
  std::vector<uint8_t> file{'R', 'I', 'F', 'F'};
  PutLE(file, static_cast<uint32_t>(body.size()), 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace pm::test
