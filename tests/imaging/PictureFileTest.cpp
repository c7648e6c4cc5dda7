#include "imaging/PictureFile.h"

#include <gtest/gtest.h>
#include <png.h>
#include <webp/decode.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/JpegImport.h"
#include "tests/imaging/JpegTestSupport.h"
#include "tests/support/PictureEncoders.h"
#include "tests/support/TempDir.h"

namespace pm {
namespace {

using test::Rgb;

const std::string kInvalid = "invalid: ビットマップイメージが不正です";
const std::string kReadError = "read: ストリームからの読み込みエラー";
const std::string kOutOfMemory = "store: 12";

TImportedPicture Read(const std::vector<uint8_t>& file) {
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  return ReadPicture(stream);
}

// The class and message of the failure that reading `file` raises, or "read".
std::string Failure(const std::vector<uint8_t>& file) {
  try {
    Read(file);
  } catch (const EReadError& e) {
    return "read: " + e.Message();
  } catch (const EJPEG& e) {
    return "jpeg: " + e.Message();
  } catch (const EInvalidGraphic& e) {
    return "invalid: " + e.Message();
  } catch (const EOSError& e) {
    return "store: " + std::to_string(e.Code());
  }
  return "read";
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

// A picture's pixels as red, green, blue bytes, rows from the top.
std::vector<uint8_t> RgbOf(const TBitmap& bitmap) {
  std::vector<uint8_t> rgb;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);
      rgb.insert(rgb.end(), {c.red, c.green, c.blue});
    }
  }
  return rgb;
}

// Red, green, blue, alpha bytes composed over white, worked out in floating point.
std::vector<uint8_t> OverWhite(const std::vector<uint8_t>& rgba) {
  std::vector<uint8_t> rgb;
  for (size_t i = 0; i < rgba.size(); i += 4) {
    const double alpha = rgba[i + 3] / 255.0;
    for (size_t c = 0; c < 3; ++c) {
      rgb.push_back(static_cast<uint8_t>(std::lround(rgba[i + c] * alpha + 255 * (1 - alpha))));
    }
  }
  return rgb;
}

// Some red, green, blue, alpha pixels with every alpha from transparent to opaque.
std::vector<uint8_t> RgbaPattern(int width, int height) {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgba.insert(rgba.end(), {static_cast<uint8_t>(x * 37 + y * 11), static_cast<uint8_t>(y * 53),
                               static_cast<uint8_t>(255 - x * 19),
                               static_cast<uint8_t>((x * 7 + y * 29) * 3 % 256)});
    }
  }
  return rgba;
}

TEST(PictureFileTest,
     TheContentNotTheNameChoosesTheReaderAndAnythingElseGetsTheBmpReadersMessages) {
  const auto bytes = [](std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
  };
  EXPECT_EQ(RecognisePictureFormat(bytes("BM")), TPictureFormat::Bmp);
  EXPECT_EQ(RecognisePictureFormat(bytes("\x89PNG\r\n\x1a\n")), TPictureFormat::Png);
  EXPECT_EQ(RecognisePictureFormat(bytes("\xff\xd8\xff")), TPictureFormat::Jpeg);
  EXPECT_EQ(RecognisePictureFormat(bytes("GIF87a")), TPictureFormat::Gif);
  EXPECT_EQ(RecognisePictureFormat(bytes("GIF89a")), TPictureFormat::Gif);
  EXPECT_EQ(RecognisePictureFormat(bytes(std::string_view("RIFF\x10\0\0\0WEBP", 12))),
            TPictureFormat::Webp);
  EXPECT_EQ(RecognisePictureFormat(bytes(std::string_view("RIFF\x10\0\0\0WAVE", 12))),
            TPictureFormat::Other);
  EXPECT_EQ(RecognisePictureFormat(bytes("GIF88a")), TPictureFormat::Other);
  EXPECT_EQ(RecognisePictureFormat(bytes("\xff\xd8\xfe")), TPictureFormat::Other);

  // A PNG file named .bmp is read as the PNG it is.
  test::TempDir dir;
  test::PngPicture twoPixels;
  twoPixels.width = 2;
  twoPixels.height = 1;
  twoPixels.rows = {1, 2, 3, 4, 5, 6};
  const std::vector<uint8_t> png = test::EncodePng(twoPixels);
  test::WriteFileBytes(dir.File("picture.bmp"), png);
  EXPECT_EQ(RgbOf(ReadPictureFile(dir.File("picture.bmp")).picture),
            (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));

  // What none of the formats is keeps the BMP reader's results: a text file is no bitmap, and
  // 1 to 13 bytes a stream that ends early.
  EXPECT_EQ(Failure(bytes("hello, world! This is text.")), kInvalid);
  EXPECT_EQ(Failure(bytes("x")), kReadError);
  EXPECT_EQ(Failure(bytes("BM34567890123")), kReadError);
}

TEST(PictureFileTest, AFileOfNoBytesOrOnlyAFormatsFirstBytesIsADamagedPictureOfItsFormat) {
  const auto bytes = [](std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
  };
  // No bytes at all is no picture, although the BMP reader alone makes it an empty one.
  EXPECT_EQ(Failure({}), kInvalid);
  // A signature and little more fails as any other damaged PNG, GIF or WebP file does.
  test::PngPicture twoPixels;
  twoPixels.width = 2;
  twoPixels.height = 1;
  twoPixels.rows = {1, 2, 3, 4, 5, 6};
  const std::vector<uint8_t> png = test::EncodePng(twoPixels);
  EXPECT_EQ(Failure(Cut(png, 8)), kInvalid);
  EXPECT_EQ(Failure(Cut(png, 13)), kInvalid);
  EXPECT_EQ(Failure(bytes("GIF87a")), kInvalid);
  EXPECT_EQ(Failure(bytes(std::string_view("GIF89a\x01\0\x01\0\0\0\0", 13))), kInvalid);
  EXPECT_EQ(Failure(bytes(std::string_view("RIFF\x04\0\0\0WEBP", 12))), kInvalid);
  // And a JPEG's first bytes as a damaged JPEG stream: the library's error.
  EXPECT_EQ(Failure({0xFF, 0xD8, 0xFF}).rfind("jpeg: JPEG エラー #", 0), 0u);
}

// --- PNG ---------------------------------------------------------------------------------

constexpr uint32_t kPngWidth = 13, kPngHeight = 11;

// A picture of every sample value the depth allows, packed as the file lays it out; palette
// pictures get a palette of their depth's size, part of it transparent.
test::PngPicture PngOf(int colorType, int bitDepth, bool interlaced) {
  test::PngPicture picture;
  picture.width = kPngWidth;
  picture.height = kPngHeight;
  picture.colorType = colorType;
  picture.bitDepth = bitDepth;
  picture.interlaced = interlaced;
  const int channels = test::PngChannels(colorType);
  const uint32_t maxSample = (1u << bitDepth) - 1;
  for (uint32_t y = 0; y < kPngHeight; ++y) {
    std::vector<uint32_t> samples;
    for (uint32_t x = 0; x < kPngWidth; ++x) {
      for (int c = 0; c < channels; ++c)
        samples.push_back((x * 7 + y * 13 + c * 5) * 977 % (maxSample + 1));
    }
    test::AppendPngRow(picture, samples);
  }
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    for (uint32_t i = 0; i <= maxSample; ++i) {
      picture.palette.push_back(Rgb{uint8_t(i * 71), uint8_t(255 - i * 3), uint8_t(i * 150 / 7)});
      if (i < 3) picture.paletteAlpha.push_back(static_cast<uint8_t>(i * 100));
    }
  }
  return picture;
}

// What libpng's own simplified reader makes of the file, as red, green, blue, alpha.
std::vector<uint8_t> LibpngRgba(const std::vector<uint8_t>& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_NE(png_image_begin_read_from_memory(&image, file.data(), file.size()), 0);
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
  EXPECT_NE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr), 0);
  return rgba;
}

TEST(PictureFileTest, PngOfEveryColourTypeAndDepthIsWhatLibpngDecodesOverWhite) {
  const std::pair<int, std::vector<int>> kinds[] = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8}},
                                                    {PNG_COLOR_TYPE_RGB, {8}},
                                                    {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},
                                                    {PNG_COLOR_TYPE_GRAY_ALPHA, {8}},
                                                    {PNG_COLOR_TYPE_RGB_ALPHA, {8}}};
  for (const auto& [colorType, depths] : kinds) {
    for (const int depth : depths) {
      for (const bool interlaced : {false, true}) {
        SCOPED_TRACE("colour type " + std::to_string(colorType) + ", depth " +
                     std::to_string(depth) + (interlaced ? ", interlaced" : ""));
        const std::vector<uint8_t> file = test::EncodePng(PngOf(colorType, depth, interlaced));
        const TImportedPicture imported = Read(file);
        EXPECT_EQ(imported.holder, nullptr);
        EXPECT_EQ(imported.picture.Width(), int32_t{kPngWidth});
        EXPECT_EQ(imported.picture.PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_EQ(RgbOf(imported.picture), OverWhite(LibpngRgba(file)));
      }
    }
  }
}

TEST(PictureFileTest, PngSixteenBitChannelsAndTransparentColoursComeOutAsTheirEightBitTwins) {
  // Sixteen-bit samples of v × 257 are exactly the eight-bit sample v.
  for (const int colorType : {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_GRAY_ALPHA,
                              PNG_COLOR_TYPE_RGB_ALPHA}) {
    for (const bool interlaced : {false, true}) {
      SCOPED_TRACE("colour type " + std::to_string(colorType));
      const test::PngPicture eight = PngOf(colorType, 8, interlaced);
      test::PngPicture sixteen = eight;
      sixteen.bitDepth = 16;
      sixteen.rows.clear();
      for (const uint8_t v : eight.rows) sixteen.rows.insert(sixteen.rows.end(), {v, v});
      EXPECT_EQ(RgbOf(Read(test::EncodePng(sixteen)).picture),
                RgbOf(Read(test::EncodePng(eight)).picture));
    }
  }

  // A transparent grey or colour shows white; every other pixel keeps its colour.
  test::PngPicture grey = PngOf(PNG_COLOR_TYPE_GRAY, 8, false);
  grey.transparentColor = std::array<uint16_t, 3>{grey.rows[0], 0, 0};
  const std::vector<uint8_t> greyRgb = RgbOf(Read(test::EncodePng(grey)).picture);
  EXPECT_EQ(greyRgb, OverWhite(LibpngRgba(test::EncodePng(grey))));
  EXPECT_EQ((std::vector<uint8_t>(greyRgb.begin(), greyRgb.begin() + 3)),
            (std::vector<uint8_t>{255, 255, 255}));
  test::PngPicture colour = PngOf(PNG_COLOR_TYPE_RGB, 16, true);
  colour.transparentColor = std::array<uint16_t, 3>{uint16_t(colour.rows[0] << 8 | colour.rows[1]),
                                                    uint16_t(colour.rows[2] << 8 | colour.rows[3]),
                                                    uint16_t(colour.rows[4] << 8 | colour.rows[5])};
  const std::vector<uint8_t> colourRgb = RgbOf(Read(test::EncodePng(colour)).picture);
  EXPECT_EQ((std::vector<uint8_t>(colourRgb.begin(), colourRgb.begin() + 3)),
            (std::vector<uint8_t>{255, 255, 255}));
  EXPECT_NE((std::vector<uint8_t>(colourRgb.begin() + 3, colourRgb.begin() + 6)),
            (std::vector<uint8_t>{255, 255, 255}));
}

TEST(PictureFileTest, DamagedPngFilesAreInvalidAndSizeBombsFailBeforeTheirPixelsExist) {
  const std::vector<uint8_t> file = test::EncodePng(PngOf(PNG_COLOR_TYPE_RGB, 8, false));
  EXPECT_EQ(Failure(Cut(file, 40)), kInvalid);                // inside the header chunk
  EXPECT_EQ(Failure(Cut(file, file.size() - 30)), kInvalid);  // inside the pixel data
  std::vector<uint8_t> badCrc = file;
  badCrc[29] ^= 0xFF;  // the header chunk's checksum
  EXPECT_EQ(Failure(badCrc), kInvalid);

  // A header that claims 100000 × 100000 pixels over a few bytes of data and a picture one pixel
  // wide beyond the limit: the memory failure, before the picture is made.
  EXPECT_EQ(Failure(test::PngClaimingSize(100000, 100000)), kOutOfMemory);
  EXPECT_EQ(Failure(test::PngClaimingSize(1, (1u << 27) + 1)), kOutOfMemory);
}

// --- GIF ---------------------------------------------------------------------------------

constexpr Rgb kWhiteRgb{255, 255, 255};
const std::vector<Rgb> kScreenColors{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};
const std::vector<Rgb> kFrameColors{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};

// The first frame: 4 × 5 pixels at (1, 1) of a 6 × 7 screen, with colours of its own, index 2
// transparent. Its pixel (x, y) has index (x + y) % 4.
test::GifFrame FirstFrame(bool interlaced) {
  test::GifFrame frame;
  frame.left = frame.top = 1;
  frame.width = 4;
  frame.height = 5;
  frame.interlaced = interlaced;
  frame.localColors = kFrameColors;
  frame.transparentIndex = 2;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x)
      frame.indices.push_back(static_cast<uint8_t>((x + y) % 4));
  }
  return frame;
}

// What the first frame shows: the screen white, the frame's colours, its transparent ones white.
std::vector<uint8_t> FirstFrameShown(int left, int top, int screenWidth, int screenHeight) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < screenHeight; ++y) {
    for (int x = 0; x < screenWidth; ++x) {
      Rgb color = kWhiteRgb;
      const int fx = x - left, fy = y - top;
      if (fx >= 0 && fx < 4 && fy >= 0 && fy < 5 && (fx + fy) % 4 != 2)
        color = kFrameColors[(fx + fy) % 4];
      rgb.insert(rgb.end(), color.begin(), color.end());
    }
  }
  return rgb;
}

TEST(PictureFileTest, GifShowsItsFirstFrameOnTheScreenWithTransparencyWhite) {
  // A second frame over the whole screen in the file's colours is never shown.
  test::GifFrame second;
  second.width = 6;
  second.height = 7;
  second.indices.assign(42, 1);
  for (const bool interlaced : {false, true}) {
    const std::vector<uint8_t> file =
        test::EncodeGif(6, 7, kScreenColors, {FirstFrame(interlaced), second});
    const TImportedPicture imported = Read(file);
    EXPECT_EQ(imported.holder, nullptr);
    EXPECT_EQ(imported.picture.Width(), 6);
    EXPECT_EQ(RgbOf(imported.picture), FirstFrameShown(1, 1, 6, 7)) << interlaced;
  }
  // A frame reaching beyond the screen is cut at its edge; with no screen the frame is the
  // picture.
  test::GifFrame outside = FirstFrame(false);
  outside.left = 4;
  outside.top = 3;
  EXPECT_EQ(RgbOf(Read(test::EncodeGif(6, 7, {}, {outside})).picture), FirstFrameShown(4, 3, 6, 7));
  EXPECT_EQ(RgbOf(Read(test::EncodeGif(0, 0, {}, {outside})).picture), FirstFrameShown(0, 0, 4, 5));
}

TEST(PictureFileTest, DamagedGifFilesAreInvalidAndOnlyTheFirstFramesSizeCounts) {
  const std::vector<uint8_t> file = test::EncodeGif(6, 7, kScreenColors, {FirstFrame(false)});
  EXPECT_EQ(Failure(Cut(file, file.size() - 6)), kInvalid);  // inside the pixel data
  EXPECT_EQ(Failure(Cut(file, 20)), kInvalid);               // inside the screen's colours
  // No frame at all, and a frame without any colours.
  EXPECT_EQ(Failure(test::EncodeGif(6, 7, kScreenColors, {})), kInvalid);
  test::GifFrame colourless = FirstFrame(false);
  colourless.localColors.clear();
  std::vector<uint8_t> noColours = test::EncodeGif(6, 7, kScreenColors, {colourless});
  noColours[10] &= 0x7F;  // the screen's colour table is gone
  noColours.erase(noColours.begin() + 13, noColours.begin() + 13 + 3 * 4);
  EXPECT_EQ(Failure(noColours), kInvalid);

  // A screen or a first frame of 65535 × 65535 pixels fails with the memory failure before
  // anything of that size is made or decoded; a huge second frame is never looked at.
  EXPECT_EQ(Failure(test::EncodeGif(65535, 65535, kScreenColors, {FirstFrame(false)})),
            kOutOfMemory);
  std::vector<uint8_t> hugeFirst = test::EncodeGif(6, 7, kScreenColors, {});
  std::vector<uint8_t> hugeSecond = test::EncodeGif(6, 7, kScreenColors, {FirstFrame(false)});
  for (std::vector<uint8_t>* gif : {&hugeFirst, &hugeSecond}) {
    // An image descriptor of that size with its colours and a few bytes of data, then the end.
    gif->pop_back();
    const std::vector<uint8_t> descriptor{',', 0, 0, 0, 0,    0xFF, 0xFF, 0xFF, 0xFF, 0x81,
                                          255, 0, 0, 0, 255,  0,    0,    0,    255,  9,
                                          9,   9, 2, 2, 0x4C, 0x01, 0,    ';'};
    gif->insert(gif->end(), descriptor.begin(), descriptor.end());
  }
  EXPECT_EQ(Failure(hugeFirst), kOutOfMemory);
  EXPECT_EQ(RgbOf(Read(hugeSecond).picture), FirstFrameShown(1, 1, 6, 7));
}

// --- WebP --------------------------------------------------------------------------------

TEST(PictureFileTest, WebpLossyAndLosslessAreWhatLibwebpDecodesWithAlphaOverWhite) {
  const std::vector<uint8_t> rgba = RgbaPattern(21, 9);
  const std::vector<uint8_t> lossy = test::EncodeWebp(21, 9, rgba, false, false);
  int width = 0, height = 0;
  uint8_t* reference = WebPDecodeRGB(lossy.data(), lossy.size(), &width, &height);
  ASSERT_NE(reference, nullptr);
  EXPECT_EQ(RgbOf(Read(lossy).picture), std::vector<uint8_t>(reference, reference + 21 * 9 * 3));
  WebPFree(reference);

  for (const bool lossless : {true, false}) {
    const std::vector<uint8_t> file = test::EncodeWebp(21, 9, rgba, lossless, true);
    reference = WebPDecodeRGBA(file.data(), file.size(), &width, &height);
    ASSERT_NE(reference, nullptr);
    const std::vector<uint8_t> decoded(reference, reference + 21 * 9 * 4);
    WebPFree(reference);
    EXPECT_EQ(RgbOf(Read(file).picture), OverWhite(decoded)) << lossless;
  }
}

TEST(PictureFileTest, AnimatedWebpShowsItsFirstFrameOnAWhiteCanvas) {
  const std::vector<uint8_t> rgba = RgbaPattern(4, 3);
  const std::vector<uint8_t> other(6 * 5 * 4, 0x80);
  const std::vector<uint8_t> file =
      test::AnimatedWebp(8, 6,
                         {{2, 2, 4, 3, test::EncodeWebp(4, 3, rgba, true, true)},
                          {0, 0, 6, 5, test::EncodeWebp(6, 5, other, true, true)}});
  const std::vector<uint8_t> frame = OverWhite(rgba);
  std::vector<uint8_t> expected;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
      const size_t at = static_cast<size_t>(((y - 2) * 4 + (x - 2)) * 3);
      for (int c = 0; c < 3; ++c) expected.push_back(inside ? frame[at + c] : 255);
    }
  }
  EXPECT_EQ(RgbOf(Read(file).picture), expected);
}

TEST(PictureFileTest, DamagedWebpFilesAreInvalidAndSizeBombsFailBeforeDecoding) {
  const std::vector<uint8_t> file = test::EncodeWebp(21, 9, RgbaPattern(21, 9), false, false);
  EXPECT_EQ(Failure(Cut(file, file.size() / 2)), kInvalid);
  EXPECT_EQ(Failure(Cut(file, 20)), kInvalid);
  // A lossless header claiming 16384 × 16384 pixels over a few bytes, and an animation canvas
  // of 16777216 × 16 with a small frame: the memory failure.
  std::vector<uint8_t> lossless = test::EncodeWebp(3, 3, RgbaPattern(3, 3), true, true);
  const uint32_t bits = 0x3FFF | 0x3FFF << 14 | 1u << 28;
  for (int i = 0; i < 4; ++i) lossless[21 + i] = static_cast<uint8_t>(bits >> (8 * i));
  EXPECT_EQ(Failure(lossless), kOutOfMemory);
  const std::vector<uint8_t> canvas = test::AnimatedWebp(
      1 << 24, 16, {{0, 0, 3, 3, test::EncodeWebp(3, 3, RgbaPattern(3, 3), true, true)}});
  EXPECT_EQ(Failure(canvas), kOutOfMemory);
}

// --- JPEG --------------------------------------------------------------------------------

std::vector<uint8_t> JpegOf(J_COLOR_SPACE space, int components,
                            void (*configure)(jpeg_compress_struct&)) {
  std::vector<uint8_t> samples;
  for (int i = 0; i < 24 * 16 * components; ++i)
    samples.push_back(static_cast<uint8_t>(i * 7 % 251));
  return test::EncodeDirect(24, 16, space, components, samples, configure);
}

TEST(PictureFileTest, JpegStreamsThatPageFilesHoldAreKeptByteForByteAndOthersDecoded) {
  const auto quality90 = [](jpeg_compress_struct& info) { jpeg_set_quality(&info, 90, TRUE); };
  const auto progressive = [](jpeg_compress_struct& info) { jpeg_simple_progression(&info); };
  const auto arithmetic = [](jpeg_compress_struct& info) { info.arith_code = TRUE; };
  // Quality 1 without baseline tables needs 16-bit tables: an extended sequential frame.
  const auto extended = [](jpeg_compress_struct& info) { jpeg_set_quality(&info, 1, FALSE); };
  const auto cmyk = [](jpeg_compress_struct& info) { jpeg_set_colorspace(&info, JCS_CMYK); };

  const std::vector<uint8_t> kept[] = {JpegOf(JCS_RGB, 3, quality90),
                                       JpegOf(JCS_GRAYSCALE, 1, nullptr),
                                       JpegOf(JCS_RGB, 3, progressive)};
  for (const std::vector<uint8_t>& file : kept) {
    TImportedPicture imported = Read(file);
    ASSERT_NE(imported.holder, nullptr);
    EXPECT_EQ(test::SavedBytes(*imported.holder), file);
    EXPECT_TRUE(imported.picture.SharesStoreWith(*imported.holder->HeldBitmap()));
    EXPECT_TRUE(test::SamePixels(imported.picture, test::DecodeWithHolder(file)));
  }

  const std::vector<uint8_t> decoded[] = {JpegOf(JCS_RGB, 3, arithmetic),
                                          JpegOf(JCS_RGB, 3, extended), JpegOf(JCS_CMYK, 4, cmyk)};
  for (const std::vector<uint8_t>& file : decoded) {
    const TImportedPicture imported = Read(file);
    EXPECT_EQ(imported.holder, nullptr);
    EXPECT_EQ(imported.picture.Width(), 24);
    EXPECT_TRUE(test::SamePixels(imported.picture, test::DecodeWithHolder(file)));
  }
  EXPECT_FALSE(IsKeptAsItIs(FindJpegFrame(decoded[1])));
  EXPECT_EQ(FindJpegFrame(decoded[1]).marker, 0xC1);
}

// Where the baseline frame header (SOF0) begins.
size_t FrameHeaderAt(const std::vector<uint8_t>& jpeg) {
  for (size_t i = 2; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == test::kSOF0) return i;
  }
  return 0;
}

TEST(PictureFileTest, DamagedJpegFilesGiveTheLibrarysErrorAndSizeBombsTheMemoryFailure) {
  const std::vector<uint8_t> file = JpegOf(JCS_RGB, 3, nullptr);
  const std::string notJpeg =
      Failure({0xFF, 0xD8, 0xFF, 0xE0, 0, 2, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(notJpeg.rfind("jpeg: JPEG エラー #", 0), 0u) << notJpeg;
  // Twelve-bit samples, which this library can't decode.
  std::vector<uint8_t> twelveBit = file;
  const size_t frame = FrameHeaderAt(file);
  ASSERT_GT(frame, 0u);
  twelveBit[frame + 4] = 12;
  EXPECT_EQ(Failure(twelveBit).rfind("jpeg: JPEG エラー #", 0), 0u);
  // A frame of 60000 × 60000 pixels.
  std::vector<uint8_t> bomb = file;
  bomb[frame + 5] = bomb[frame + 7] = 0xEA;
  bomb[frame + 6] = bomb[frame + 8] = 0x60;
  EXPECT_EQ(Failure(bomb), kOutOfMemory);
}

}  // namespace
}  // namespace pm
