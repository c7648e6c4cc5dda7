// Small files that claim much more than they hold: every command stays within 1 GiB of address
// space and 10 s of processor time, and refuses what it can't show with the editor's message.
// Each command runs as a child process under those bounds (setrlimit); going past one fails
// the test. This is a check for faults, not a measurement of speed.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <png.h>

#include "tests/support/HostileFiles.h"
#include "tests/support/PictureEncoders.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

constexpr ProcessLimits kBounds{.addressSpaceBytes = int64_t{1} << 30, .cpuSeconds = 10};
constexpr int32_t kLargestSquareSide = 11585;  // 11585² is just below 2^27 pixels
const std::string kMemoryMessage = "システムエラー。コード：12.\r\nメモリを確保できません.\n";

class HostileFileTest : public PagetoolTest {
 protected:
  void SetUp() override {
    // AddressSanitizer reserves terabytes of address space, which RLIMIT_AS can't tell from use.
    if (kUnderAddressSanitizer) {
      GTEST_SKIP() << "address space bounds can't be checked under AddressSanitizer";
    }
  }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string fileName = dir_.File(name);
    WriteFileBytes(fileName, bytes);
    return fileName;
  }

  // Runs the command within the bounds: a child that goes past them ends by a signal or fails
  // to allocate, and the test fails.
  ProcessResult Bounded(const std::vector<std::string>& arguments) {
    const ProcessResult result = RunPagetool(arguments, kBounds);
    EXPECT_LT(result.exitCode, 128) << "ended by a signal: past the time bound";
    EXPECT_EQ(result.err.find("メモリストリーム"), std::string::npos) << result.err;
    return result;
  }
};

TEST_F(HostileFileTest, PicturesBeyondTheLimitFailBeforeAnythingLargeIsAllocated) {
  // 65500 × 10900 pixels in a 10 KB page file, progressive and cut off.
  const std::string page = Write("claims.pag", PageFileOf(CutOffJpeg(65500, 10900, true)));
  const auto check = Bounded({"check", page});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("the editor can't load it: システムエラー。コード：12."),
            std::string::npos)
      << check.out;
  const std::string rendered = dir_.File("rendered.bmp");
  const auto render = Bounded({"render", page, rendered});
  EXPECT_EQ(render.exitCode, 1);
  EXPECT_EQ(render.err, kMemoryMessage);
  EXPECT_FALSE(std::filesystem::exists(rendered));

  // One pixel row beyond the limit, in a 62-byte BMP file; and a run-length one of 1 KB.
  const std::string output = dir_.File("out.pag");
  for (const auto& bmp : {Write("over.bmp", BmpClaiming(kLargestSquareSide, 11586, 24)),
                          Write("wide.bmp", BmpClaiming(26000, 27000, 24)),
                          Write("rle.bmp", BmpClaiming(40000, 13000, 8, true))}) {
    SCOPED_TRACE(bmp);
    const auto imported = Bounded({"new", output, "--background", bmp});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_EQ(imported.err, kMemoryMessage);
    EXPECT_EQ(Bounded({"bmp", bmp, dir_.File("out.bmp")}).err, kMemoryMessage);
  }
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("out.bmp")));
}

TEST_F(HostileFileTest, PicturesAtTheLimitAreShownWithinTheBounds) {
  // The editor's reading decodes the background and slot 0: two colour pictures at the limit,
  // 384 MiB each.
  const std::vector<uint8_t> picture = CutOffJpeg(kLargestSquareSide, kLargestSquareSide, false);
  const std::string page = Write("limit.pag", PageFileOf(picture, {{0, picture}}));
  const auto check = Bounded({"check", page});
  EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
  EXPECT_EQ(check.out, "no problems found\n");

  // The written picture is no larger than the limit allows: 24 bits, rows padded to 4 bytes.
  const std::string rendered = dir_.File("rendered.bmp");
  const auto render = Bounded({"render", page, rendered});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  const int64_t stride = (kLargestSquareSide * 3 + 3) / 4 * 4;
  EXPECT_EQ(std::filesystem::file_size(rendered), 54 + stride * kLargestSquareSide);
  std::filesystem::remove(rendered);

  // A BMP at the limit with 32 bits a pixel, 54 bytes of file, is imported and encoded.
  const std::string bmp =
      Write("limit.bmp", BmpClaiming(kLargestSquareSide, kLargestSquareSide, 32));
  const auto imported = Bounded({"new", dir_.File("out.pag"), "--background", bmp});
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
}

TEST_F(HostileFileTest, PicturesWithinTheLimitImportWithinOneGibibyteAndWiderOnesFailAtOnce) {
  // What the process holds resident counts here, as for a person watching it: the picture and
  // libwebp's memory are allocated whole, but only the rows written so far take up memory.
  constexpr int64_t kGibibyte = int64_t{1} << 30;
  constexpr ProcessLimits kTime{.cpuSeconds = 10};
  const std::string output = dir_.File("out.pag");

  // 134217728 × 1 pixels of 16-bit grey and alpha in 522 KB: no JPEG stream can be that wide.
  const std::string wide =
      Write("wide.png", PngOfZeros(1u << 27, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false));
  const auto refused = RunPagetool({"new", output, "--background", wide}, kTime);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "JPEG エラー #40.\n");
  EXPECT_LT(refused.peakResidentBytes, kGibibyte / 16);
  EXPECT_FALSE(std::filesystem::exists(output));

  // At the limit: a 32-byte lossless WebP with alpha, an 88-byte animation of one such frame, and
  // a 1 MB interlaced PNG of 16-bit colour and alpha, 65500 × 2049 pixels.
  const std::vector<uint8_t> still =
      LosslessWebpOfOneColor(kLargestSquareSide, kLargestSquareSide, 0x80FF0000, true);
  const std::string pictures[] = {
      Write("alpha.webp", still),
      Write("animation.webp",
            AnimatedWebp(kLargestSquareSide, kLargestSquareSide,
                         {{0, 0, kLargestSquareSide, kLargestSquareSide, still}})),
      Write("interlaced.png", PngOfZeros(65500, 2049, PNG_COLOR_TYPE_RGB_ALPHA, 16, true))};
  for (const std::string& picture : pictures) {
    SCOPED_TRACE(picture);
    const auto imported = RunPagetool({"new", output, "--background", picture}, kTime);
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_LT(imported.peakResidentBytes, kGibibyte);
    std::filesystem::remove(output);
  }
}

TEST_F(HostileFileTest, StreamsInManyScansOrBeyondTheLibrarysMemoryFailWithItsError) {
  // A progressive picture at the limit keeps more coefficients than the library may hold.
  const std::string coefficients = Write(
      "coefficients.pag", PageFileOf(CutOffJpeg(kLargestSquareSide, kLargestSquareSide, true)));
  const auto memory = Bounded({"check", coefficients});
  EXPECT_EQ(memory.exitCode, 1);
  EXPECT_NE(memory.out.find("the editor can't load it: JPEG エラー #48."), std::string::npos)
      << memory.out;

  // 10,000 scans of 8000 × 8000 pixels in 110 KB: refused long before the last one.
  const std::string scans = Write("scans.pag", PageFileOf(JpegOfEmptyScans(8000, 8000, 10000)));
  const auto many = Bounded({"check", scans});
  EXPECT_EQ(many.exitCode, 1);
  EXPECT_NE(many.out.find("the editor can't load it: JPEG エラー #15."), std::string::npos)
      << many.out;

  // 500 scans of a smaller picture are allowed, 501 are not.
  const auto allowed =
      Bounded({"check", Write("500.pag", PageFileOf(JpegOfEmptyScans(2000, 2000, 500)))});
  EXPECT_EQ(allowed.out, "no problems found\n");
  const auto refused =
      Bounded({"check", Write("501.pag", PageFileOf(JpegOfEmptyScans(2000, 2000, 501)))});
  EXPECT_NE(refused.out.find("JPEG エラー #15."), std::string::npos) << refused.out;
}

TEST_F(HostileFileTest, EntriesNamingOneStreamAreReadOnceAndReportedAsOneGroup) {
  // 257 entries of one 6 MB stream: 1.5 GB if each were held on its own.
  std::vector<uint8_t> stream = CutOffJpeg(64, 64, false);
  stream.resize(6'000'000, 0);
  const std::string page = Write("same.pag", PageFileNamingOneStream(stream));
  const auto check = Bounded({"check", page});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_EQ(check.out, "background and slots 0 to 255 overlap (bytes 2064 to 6002064)\n");
  const auto info = Bounded({"info", page});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  const auto decoded = Bounded({"decode", page, "255", dir_.File("255.bmp")});
  EXPECT_EQ(decoded.exitCode, 0) << decoded.err;
}

TEST_F(HostileFileTest, ALargeSparseFileIsReadEntryByEntry) {
  // A small page followed by 3 GB of nothing.
  const std::string page = Write("sparse.pag", PageFileOf(CutOffJpeg(64, 64, false)));
  const int64_t smallSize = static_cast<int64_t>(std::filesystem::file_size(page));
  std::filesystem::resize_file(page, int64_t{3} << 30);
  const auto info = Bounded({"info", page});
  EXPECT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("file size: 3221225472"), std::string::npos) << info.out;
  const auto check = Bounded({"check", page});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_EQ(check.out,
            std::to_string((int64_t{3} << 30) - smallSize) + " bytes after the link table\n");
}

}  // namespace
}  // namespace pm::test
