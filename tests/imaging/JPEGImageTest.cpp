// The image holder: its states, loading and saving of JPEG bytes, decoding and its failures.
#include "imaging/JPEGImage.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "JpegTestSupport.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"

namespace pm::test {
namespace {

const std::vector<uint8_t> kNotJpeg = {'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0};

std::string JpegErrorText(int number) { return "JPEG エラー #" + std::to_string(number); }

// Runs `action`, which must fail with EJPEG carrying the given number.
template <typename Action>
void ExpectJpegError(int number, Action&& action) {
  try {
    action();
    ADD_FAILURE() << "no EJPEG";
  } catch (const EJPEG& error) {
    EXPECT_EQ(error.Message(), JpegErrorText(number));
  }
}

std::vector<uint8_t> ProgressiveBytes(const TBitmap& bitmap) {
  TJPEGSettings settings;
  settings.ProgressiveEncode = true;
  return EncodeWithHolder(bitmap, settings);
}

bool FrameIsProgressive(const std::vector<uint8_t>& bytes) {
  const auto segments = ReadSegments(bytes);
  EXPECT_NE(FindMarker(segments, kSOF0) != nullptr, FindMarker(segments, kSOF2) != nullptr);
  return FindMarker(segments, kSOF2) != nullptr;
}

std::vector<uint8_t> Saved(TJPEGImage& holder) { return SavedBytes(holder); }

// --- states ---------------------------------------------------------------------------------

TEST(JPEGImageTest, ANewHolderIsEmptyWithTheDefaultSettings) {
  TJPEGImage holder;
  EXPECT_TRUE(holder.IsEmpty());
  EXPECT_TRUE(holder.Empty());
  EXPECT_EQ(holder.Width(), 0);
  EXPECT_EQ(holder.Height(), 0);
  EXPECT_FALSE(holder.Data().HasBytes());
  EXPECT_EQ(holder.HeldBitmap(), nullptr);
  EXPECT_EQ(holder.Settings().EncodeQuality, 90);
  EXPECT_TRUE(holder.Settings().BlockSmoothing);
  EXPECT_FALSE(holder.Settings().ProgressiveEncode);

  // Nothing to decode: the target becomes empty and the holder stays empty.
  TBitmap target = SolidBitmap(4, 4, clWhite);
  holder.CopyToBitmap(target);
  EXPECT_TRUE(target.Empty());
  EXPECT_TRUE(holder.IsEmpty());
}

TEST(JPEGImageTest, AssignBitmapKeepsASharedCopyAndEncodesNothing) {
  TBitmap bitmap = GradientBitmap(640, 480);
  TJPEGImage holder;
  holder.AssignBitmap(bitmap);
  EXPECT_FALSE(holder.IsEmpty());
  EXPECT_EQ(holder.Width(), 640);
  EXPECT_EQ(holder.Height(), 480);
  EXPECT_FALSE(holder.Data().HasBytes());
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(holder.HeldBitmap()->SharesStoreWith(bitmap));

  // Changing the original afterwards leaves the holder's picture alone.
  const TColor before = holder.HeldBitmap()->Pixel(0, 0);
  bitmap.ScanLine(0)[0] ^= 0xFF;
  EXPECT_EQ(holder.HeldBitmap()->Pixel(0, 0), before);
}

TEST(JPEGImageTest, AssignBitmapDropsTheJpegBytesAndReplacesTheBitmap) {
  TJPEGImage holder;
  LoadBytes(holder, EncodeWithHolder(GradientBitmap(32, 32)));
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  ASSERT_TRUE(holder.Data().HasBytes());

  const TBitmap replacement = SolidBitmap(8, 6, TColor{1, 2, 3});
  holder.AssignBitmap(replacement);
  EXPECT_FALSE(holder.Data().HasBytes());
  EXPECT_EQ(holder.Data().Width, 0);
  EXPECT_EQ(holder.Width(), 8);
  TBitmap copy;
  holder.CopyToBitmap(copy);
  EXPECT_TRUE(copy.SharesStoreWith(replacement));

  // Its own bitmap may be assigned again.
  holder.AssignBitmap(*holder.HeldBitmap());
  EXPECT_EQ(holder.Width(), 8);
  EXPECT_TRUE(holder.HeldBitmap()->SharesStoreWith(replacement));
}

TEST(JPEGImageTest, BitmapsWithoutPixelsGiveZeroJpegBytes) {
  for (const auto& [width, height] : {std::pair{0, 0}, {640, 0}, {0, 480}}) {
    TBitmap bitmap;
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    TJPEGImage holder;
    holder.AssignBitmap(bitmap);
    EXPECT_TRUE(holder.IsEmpty()) << "the bitmap's own emptiness";
    EXPECT_TRUE(Saved(holder).empty());
    EXPECT_TRUE(holder.Data().HasBytes());
    EXPECT_EQ(holder.Data().Bytes().size(), 0u);
    EXPECT_FALSE(holder.IsEmpty()) << "JPEG bytes of length 0 count";
  }
  TJPEGImage empty;
  EXPECT_TRUE(Saved(empty).empty());
  EXPECT_FALSE(empty.IsEmpty());
}

TEST(JPEGImageTest, SavingAgainWritesTheSameBytesWithoutEncoding) {
  const TBitmap bitmap = GradientBitmap(100, 60);
  TJPEGImage holder;
  holder.AssignBitmap(bitmap);
  TMemoryStream stream;
  const uint8_t prefix[] = {1, 2, 3};
  stream.WriteBuffer(prefix, sizeof prefix);
  holder.SaveJpeg(stream);
  const auto first = std::vector<uint8_t>(stream.Bytes().begin() + 3, stream.Bytes().end());
  EXPECT_EQ(stream.Bytes()[0], 1) << "written at the stream's position";
  EXPECT_EQ(first[0], 0xFF);
  EXPECT_EQ(first[1], 0xD8);
  EXPECT_EQ(holder.Data().Width, 100);
  EXPECT_EQ(holder.Data().Height, 60);

  holder.Settings().EncodeQuality = 10;  // an encoding now would give other bytes
  EXPECT_EQ(Saved(holder), first);

  // The bitmap stays: copies give the assigned pixels, not decoded ones.
  TBitmap copy;
  holder.CopyToBitmap(copy);
  EXPECT_TRUE(SamePixels(copy, bitmap));
  EXPECT_TRUE(copy.SharesStoreWith(bitmap));
}

// --- loading --------------------------------------------------------------------------------

TEST(JPEGImageTest, LoadedBytesAreWrittenBackUnchangedTrailingBytesIncluded) {
  auto bytes = EncodeWithHolder(GradientBitmap(50, 30));
  bytes.insert(bytes.end(), {0x00, 0x11, 0xFF, 0xD9, 'x'});
  TJPEGImage holder;
  holder.AssignBitmap(GradientBitmap(8, 8));
  LoadBytes(holder, bytes);
  EXPECT_EQ(holder.HeldBitmap(), nullptr);
  EXPECT_FALSE(holder.IsEmpty());
  EXPECT_EQ(holder.Width(), 50);
  EXPECT_EQ(holder.Height(), 30);
  EXPECT_EQ(Saved(holder), bytes);

  // Decoding keeps the bytes too.
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  EXPECT_EQ(Saved(holder), bytes);
}

TEST(JPEGImageTest, LoadTakesTheBytesFromThePositionToTheEnd) {
  const auto jpeg = EncodeWithHolder(GradientBitmap(20, 10));
  TMemoryStream stream;
  const std::vector<uint8_t> before(37, 0xAB);
  stream.WriteBuffer(before.data(), static_cast<int64_t>(before.size()));
  stream.WriteBuffer(jpeg.data(), static_cast<int64_t>(jpeg.size()));
  stream.SetPosition(37);
  TJPEGImage holder;
  holder.LoadJpeg(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  const auto held = holder.Data().Bytes();
  EXPECT_EQ(std::vector<uint8_t>(held.begin(), held.end()), jpeg);
  EXPECT_EQ(holder.Width(), 20);
}

TEST(JPEGImageTest, NoBytesLoadWithoutErrorAndFailToDecodeWith41) {
  TMemoryStream stream;
  const uint8_t some[] = {9, 9};
  stream.WriteBuffer(some, sizeof some);  // positioned at its end
  TJPEGImage holder;
  holder.Settings().ProgressiveEncode = true;
  holder.LoadJpeg(stream);
  EXPECT_FALSE(holder.IsEmpty());
  EXPECT_EQ(holder.Width(), 0);
  EXPECT_EQ(holder.Height(), 0);
  EXPECT_TRUE(holder.Settings().ProgressiveEncode);
  EXPECT_TRUE(Saved(holder).empty());

  TBitmap target;
  ExpectJpegError(41, [&] { holder.CopyToBitmap(target); });
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(holder.HeldBitmap()->Empty());
  // The bitmap made by the failed decoding is what later copies give, without an error.
  holder.CopyToBitmap(target);
  EXPECT_TRUE(target.Empty());
}

TEST(JPEGImageTest, BytesThatAreNoJpegFailWith52AndAreKept) {
  TJPEGImage holder;
  holder.Settings().ProgressiveEncode = true;
  ExpectJpegError(52, [&] { LoadBytes(holder, kNotJpeg); });
  EXPECT_FALSE(holder.IsEmpty());
  EXPECT_EQ(holder.Width(), 0);
  EXPECT_EQ(holder.Height(), 0);
  EXPECT_EQ(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(holder.Settings().ProgressiveEncode) << "unchanged by a rejected header";
  EXPECT_EQ(Saved(holder), kNotJpeg);

  TBitmap target;
  ExpectJpegError(52, [&] { holder.CopyToBitmap(target); });
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(holder.HeldBitmap()->Empty());
  EXPECT_EQ(Saved(holder), kNotJpeg);
}

// A read that fails leaves the holder as it was.
TEST(JPEGImageTest, AFailedReadChangesNothing) {
  class ShortStream : public TMemoryStream {
   public:
    int64_t Read(void* buffer, int64_t count) override {
      return TMemoryStream::Read(buffer, count / 2);
    }
  } stream;
  const auto bytes = EncodeWithHolder(GradientBitmap(16, 16));
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  const TBitmap bitmap = GradientBitmap(9, 9);
  TJPEGImage holder;
  holder.AssignBitmap(bitmap);
  EXPECT_THROW(holder.LoadJpeg(stream), EReadError);
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(holder.HeldBitmap()->SharesStoreWith(bitmap));
  EXPECT_FALSE(holder.Data().HasBytes());
}

// --- decoding -------------------------------------------------------------------------------

TEST(JPEGImageTest, DecodingHappensOnceAndTheResultIsKept) {
  const TBitmap original = GradientBitmap(64, 40);
  TJPEGImage holder;
  LoadBytes(holder, EncodeWithHolder(original));
  TBitmap first;
  holder.CopyToBitmap(first);
  EXPECT_EQ(first.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(first.Width(), 64);
  EXPECT_EQ(first.Height(), 40);
  EXPECT_LT(CompareColors(first, original).mean, 1.5);
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  EXPECT_TRUE(first.SharesStoreWith(*holder.HeldBitmap()));

  holder.Settings().ScaleShift = 2;  // a second decoding would give another size
  TBitmap second;
  holder.CopyToBitmap(second);
  EXPECT_TRUE(second.SharesStoreWith(first));
  EXPECT_EQ(holder.Width(), 64);
}

// Warnings are dropped silently, and the missing part of the picture is made up.
TEST(JPEGImageTest, AStreamCutInTheMiddleOfItsScanDecodesToFullSize) {
  const auto bytes = EncodeWithHolder(GradientBitmap(128, 96, 5));
  const size_t scan = ScanDataOffset(bytes);
  const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + scan + (bytes.size() - scan) / 2);

  TJPEGImage holder;
  LoadBytes(holder, cut);
  TBitmap decoded;
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  holder.CopyToBitmap(decoded);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(decoded.Width(), 128);
  ASSERT_EQ(decoded.Height(), 96);

  // The rows that the cut stream still holds are those of the whole stream.
  const TBitmap whole = DecodeWithHolder(bytes);
  for (int32_t y = 0; y < 16; ++y) {
    ASSERT_TRUE(std::equal(decoded.ConstScanLine(y), decoded.ConstScanLine(y) + 3 * 128,
                           whole.ConstScanLine(y)))
        << "row " << y;
  }

  // Cut right after the header: still a picture of full size.
  const std::vector<uint8_t> headerOnly(bytes.begin(), bytes.begin() + scan);
  const TBitmap blank = DecodeWithHolder(headerOnly);
  EXPECT_EQ(blank.Width(), 128);
  EXPECT_EQ(blank.Height(), 96);
}

// A fatal error after the rows were read: the holder keeps the filled picture.
TEST(JPEGImageTest, AFailureAfterTheRowsKeepsTheFilledBitmap) {
  const auto bytes = EncodeWithHolder(GradientBitmap(48, 32));
  const auto segments = ReadSegments(bytes);
  const TJpegSegment* frame = FindMarker(segments, kSOF0);
  ASSERT_NE(frame, nullptr);
  // A second frame header after the scan, where the end-of-image marker was.
  std::vector<uint8_t> damaged(bytes.begin(), bytes.end() - 2);
  damaged.insert(damaged.end(), {0xFF, kSOF0, 0, static_cast<uint8_t>(frame->payload.size() + 2)});
  damaged.insert(damaged.end(), frame->payload.begin(), frame->payload.end());
  damaged.insert(damaged.end(), {0xFF, kEOI});

  TJPEGImage holder;
  LoadBytes(holder, damaged);
  TBitmap target;
  ExpectJpegError(57, [&] { holder.CopyToBitmap(target); });
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  const TBitmap whole = DecodeWithHolder(bytes);
  EXPECT_TRUE(SamePixels(*holder.HeldBitmap(), whole));
  holder.CopyToBitmap(target);
  EXPECT_TRUE(SamePixels(target, whole));
}

// A fatal error before any row was read, once the picture is sized: a white picture stays.
TEST(JPEGImageTest, AFailureBeforeTheRowsKeepsASizedWhiteBitmap) {
  auto bytes = ProgressiveBytes(GradientBitmap(40, 24));
  // The second scan gets a spectral band that ends before it starts.
  size_t scans = 0;
  for (size_t i = 2; i + 3 < bytes.size(); ++i) {
    if (bytes[i] != 0xFF || bytes[i + 1] != kSOS || ++scans < 2) continue;
    const size_t components = bytes[i + 4];
    const size_t spectralStart = i + 5 + 2 * components;
    ASSERT_GT(bytes[spectralStart + 1], 0) << "an AC scan";
    bytes[spectralStart] = bytes[spectralStart + 1] + 1;
    break;
  }
  ASSERT_EQ(scans, 2u);

  TJPEGImage holder;
  LoadBytes(holder, bytes);
  TBitmap target;
  ExpectJpegError(15, [&] { holder.CopyToBitmap(target); });
  ASSERT_NE(holder.HeldBitmap(), nullptr);
  const TBitmap& kept = *holder.HeldBitmap();
  ASSERT_EQ(kept.Width(), 40);
  ASSERT_EQ(kept.Height(), 24);
  EXPECT_TRUE(SamePixels(kept, SolidBitmap(40, 24, clWhite)));
  holder.CopyToBitmap(target);
  EXPECT_TRUE(target.SharesStoreWith(kept));
}

TEST(JPEGImageTest, GrayscaleDataDecodesToAPaletteOfGrays) {
  const TBitmap original = GradientBitmap(80, 60, 11);
  TJPEGSettings gray;
  gray.GrayMode = true;
  const auto bytes = EncodeWithHolder(original, gray);

  TJPEGImage holder;
  LoadBytes(holder, bytes);
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf8bit);
  const auto& table = decoded.Info().colorTable;
  EXPECT_GT(table.size(), 1u);
  EXPECT_LE(table.size(), 236u);
  for (const TRGBQuad& entry : table) {
    EXPECT_TRUE(entry.rgbRed == entry.rgbGreen && entry.rgbGreen == entry.rgbBlue);
  }
  const TRgbPicture reference = DecodeDirectRgb(bytes);
  for (int32_t y = 0; y < 60; y += 7) {
    for (int32_t x = 0; x < 80; x += 9) {
      EXPECT_NEAR(decoded.Pixel(x, y).red, reference.At(x, y).red, 3) << x << "," << y;
    }
  }

  // The holder encodes the next bitmap in colour again.
  holder.AssignBitmap(original);
  const auto segments = ReadSegments(Saved(holder));
  const TJpegSegment* frame = FindMarker(segments, kSOF0);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->payload[5], 3);
}

TEST(JPEGImageTest, GrayModeDecodesColourDataToGrays) {
  const auto bytes = EncodeWithHolder(GradientBitmap(40, 30));
  TJPEGSettings gray;
  gray.GrayMode = true;
  const TBitmap decoded = DecodeWithHolder(bytes, gray);
  EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_LE(decoded.Info().colorTable.size(), 236u);
  for (const TRGBQuad& entry : decoded.Info().colorTable) {
    EXPECT_TRUE(entry.rgbRed == entry.rgbGreen && entry.rgbGreen == entry.rgbBlue);
  }
}

TEST(JPEGImageTest, PaletteOutputGivesAtMost236Colours) {
  const TBitmap original = GradientBitmap(120, 90, 2);
  const auto bytes = EncodeWithHolder(original);
  for (const auto speed : {TJPEGPerformance::jpBestQuality, TJPEGPerformance::jpBestSpeed}) {
    TJPEGSettings settings;
    settings.PaletteOutput = true;
    settings.SpeedMode = speed;
    const TBitmap decoded = DecodeWithHolder(bytes, settings);
    EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf8bit);
    const size_t colours = decoded.Info().colorTable.size();
    EXPECT_GT(colours, 16u);
    EXPECT_LE(colours, 236u);
    const TPixelDifference difference = CompareBlockColors(decoded, original);
    EXPECT_LT(difference.mean, 3) << static_cast<int>(speed);
    EXPECT_LT(difference.largest, 16) << static_cast<int>(speed);
  }
}

TEST(JPEGImageTest, BestSpeedDecodesCloseToBestQuality) {
  const auto bytes = EncodeWithHolder(GradientBitmap(64, 64, 4));
  TJPEGSettings fast;
  fast.SpeedMode = TJPEGPerformance::jpBestSpeed;
  fast.BlockSmoothing = false;
  const TPixelDifference difference =
      CompareColors(DecodeWithHolder(bytes, fast), DecodeWithHolder(bytes));
  EXPECT_LT(difference.mean, 1.5);
}

// ProgressiveEncode follows the data last loaded, and AssignBitmap keeps it.
TEST(JPEGImageTest, ProgressiveEncodeFollowsTheLoadedData) {
  const TBitmap original = GradientBitmap(64, 48);
  const auto progressive = ProgressiveBytes(original);
  ASSERT_TRUE(FrameIsProgressive(progressive));

  TJPEGImage holder;
  LoadBytes(holder, progressive);
  EXPECT_TRUE(holder.Settings().ProgressiveEncode);
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  EXPECT_LT(CompareColors(decoded, original).mean, 1.5);

  holder.AssignBitmap(GradientBitmap(30, 20));
  EXPECT_TRUE(FrameIsProgressive(Saved(holder)));

  LoadBytes(holder, EncodeWithHolder(original));
  EXPECT_FALSE(holder.Settings().ProgressiveEncode);
  holder.AssignBitmap(GradientBitmap(30, 20));
  EXPECT_FALSE(FrameIsProgressive(Saved(holder)));
}

TEST(JPEGImageTest, SequentialDataInSeveralScansCountsAsMultiScan) {
  const TBitmap original = GradientBitmap(32, 24);
  std::vector<uint8_t> samples;
  for (int32_t y = 0; y < 24; ++y) {
    samples.insert(samples.end(), original.ConstScanLine(y), original.ConstScanLine(y) + 96);
  }
  // One sequential scan a component.
  static const jpeg_scan_info kScans[] = {
      {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
  const auto bytes = EncodeDirect(32, 24, JCS_EXT_BGR, 3, samples, [](jpeg_compress_struct& info) {
    info.scan_info = kScans;
    info.num_scans = 3;
  });
  const auto segments = ReadSegments(bytes);
  ASSERT_NE(FindMarker(segments, kSOF0), nullptr);
  ASSERT_EQ(CountMarkers(segments, kSOS), 3);

  TJPEGImage holder;
  LoadBytes(holder, bytes);
  EXPECT_TRUE(holder.Settings().ProgressiveEncode);
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  EXPECT_LT(CompareColors(decoded, original).mean, 3);
}

TEST(JPEGImageTest, ScaleShiftGivesTheLibrarysScaledSize) {
  TJPEGImage holder;
  LoadBytes(holder, EncodeWithHolder(GradientBitmap(101, 75)));
  const std::pair<int, int> expected[] = {{101, 75}, {51, 38}, {26, 19}, {13, 10}, {13, 10}};
  for (int shift = 0; shift <= 4; ++shift) {
    holder.Settings().ScaleShift = shift;
    EXPECT_EQ(holder.Width(), expected[shift].first) << shift;
    EXPECT_EQ(holder.Height(), expected[shift].second) << shift;
  }
  holder.Settings().ScaleShift = 1;
  TBitmap decoded;
  holder.CopyToBitmap(decoded);
  EXPECT_EQ(decoded.Width(), 51);
  EXPECT_EQ(decoded.Height(), 38);
  holder.Settings().ScaleShift = 3;
  EXPECT_EQ(holder.Width(), 51) << "the decoded picture's size once there is one";

  TJPEGImage broken;
  LoadBytes(broken, std::vector<uint8_t>{});
  broken.Settings().ScaleShift = 1;
  ExpectJpegError(41, [&] { (void)broken.Width(); });
}

// Scan-by-scan decoding ends with the same picture as decoding in one pass.
TEST(JPEGImageTest, ScanDisplayEndsWithThePictureOfTheNormalDecoding) {
  const auto bytes = ProgressiveBytes(GradientBitmap(72, 56, 9));
  TJPEGSettings gray;
  gray.GrayMode = true;
  const auto grayBytes = EncodeWithHolder(GradientBitmap(72, 56, 9), [] {
    TJPEGSettings s;
    s.GrayMode = true;
    s.ProgressiveEncode = true;
    return s;
  }());
  TJPEGSettings palette;
  palette.PaletteOutput = true;
  TJPEGSettings fastPalette = palette;
  fastPalette.SpeedMode = TJPEGPerformance::jpBestSpeed;

  const std::pair<const std::vector<uint8_t>*, TJPEGSettings> cases[] = {
      {&bytes, TJPEGSettings{}},
      {&bytes, palette},
      {&bytes, fastPalette},
      {&grayBytes, gray},
      {&grayBytes, TJPEGSettings{}}};
  for (const auto& [data, settings] : cases) {
    TJPEGSettings scanByScan = settings;
    scanByScan.ScanDisplay = true;
    const TBitmap normal = DecodeWithHolder(*data, settings);
    const TBitmap passes = DecodeWithHolder(*data, scanByScan);
    EXPECT_TRUE(SamePixels(normal, passes))
        << "palette " << settings.PaletteOutput << " gray " << settings.GrayMode;
  }
}

TEST(JPEGImageTest, SizeCannotBeSet) {
  TJPEGImage holder;
  holder.AssignBitmap(GradientBitmap(10, 10));
  for (const bool width : {true, false}) {
    try {
      width ? holder.SetWidth(20) : holder.SetHeight(20);
      ADD_FAILURE() << "no failure";
    } catch (const EInvalidGraphicOperation& error) {
      EXPECT_EQ(error.Message(), kJpegSizeMessage);
    }
  }
  EXPECT_EQ(holder.Width(), 10);
  EXPECT_EQ(holder.Height(), 10);
}

// A header that claims a huge picture is refused by the bitmap's store before the library
// makes buffers for it.
TEST(JPEGImageTest, AHugeClaimedSizeFailsBeforeAnythingLargeIsAllocated) {
  const TBitmap small = GradientBitmap(16, 16);
  for (const bool progressive : {false, true}) {
    for (const bool paletteOutput : {false, true}) {
      auto bytes = progressive ? ProgressiveBytes(small) : EncodeWithHolder(small);
      const uint8_t frameMarker = progressive ? kSOF2 : kSOF0;
      for (size_t i = 2; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == frameMarker) {
          const uint8_t huge[] = {0xEA, 0x60};  // 60000
          std::copy(huge, huge + 2, bytes.begin() + i + 5);
          std::copy(huge, huge + 2, bytes.begin() + i + 7);
          break;
        }
      }
      TJPEGImage holder;
      holder.Settings().PaletteOutput = paletteOutput;
      LoadBytes(holder, bytes);
      EXPECT_EQ(holder.Width(), 60000);
      EXPECT_EQ(holder.Height(), 60000);
      TBitmap target;
      EXPECT_THROW(holder.CopyToBitmap(target), EOSError) << progressive << paletteOutput;
      ASSERT_NE(holder.HeldBitmap(), nullptr);
      EXPECT_TRUE(holder.HeldBitmap()->Empty());
    }
  }
}

// Four-component data (which only page files written elsewhere hold) is shown in colour.
TEST(JPEGImageTest, CmykAndYcckDataDecodeToColours) {
  // Red, green, blue, white and black blocks of 16 × 16, as inverted CMYK samples.
  const TColor colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}};
  const int32_t width = 80, height = 16;
  std::vector<uint8_t> samples;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const TColor c = colours[x / 16];
      const uint8_t black = std::max({c.red, c.green, c.blue});
      auto ink = [black](uint8_t v) -> uint8_t {
        return black ? static_cast<uint8_t>(v * 255 / black) : 0;
      };
      samples.insert(samples.end(), {ink(c.red), ink(c.green), ink(c.blue), black});
    }
  }
  const auto cmyk = EncodeDirect(width, height, JCS_CMYK, 4, samples, nullptr);
  const auto ycck =
      EncodeDirect(width, height, JCS_CMYK, 4, samples,
                   [](jpeg_compress_struct& info) { jpeg_set_colorspace(&info, JCS_YCCK); });
  for (const auto* bytes : {&cmyk, &ycck}) {
    for (const bool paletteOutput : {false, true}) {
      TJPEGSettings settings;
      settings.PaletteOutput = paletteOutput;
      const TBitmap decoded = DecodeWithHolder(*bytes, settings);
      EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::pf24bit);
      ASSERT_EQ(decoded.Width(), width);
      for (int block = 0; block < 5; ++block) {
        const TColor seen = decoded.Pixel(16 * block + 8, 8);
        EXPECT_NEAR(seen.red, colours[block].red, 6) << block;
        EXPECT_NEAR(seen.green, colours[block].green, 6) << block;
        EXPECT_NEAR(seen.blue, colours[block].blue, 6) << block;
      }
    }
  }
}

}  // namespace
}  // namespace pm::test
