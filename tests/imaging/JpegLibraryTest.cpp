// The glue to the JPEG library: message numbers, the in-memory source, the header reader.
#include "imaging/JpegLibrary.h"

#include <gtest/gtest.h>

#include <jerror.h>

#include "JpegTestSupport.h"
#include "base/Exceptions.h"
#include "imaging/JpegHeader.h"
#include "imaging/JpegMessageCodes.h"

namespace pm::test {
namespace {

// The linked library numbers its codes differently from the release users see: it inserts
// codes of its own, which keep their numbers.
TEST(JpegMessageCodesTest, CodesAreShownWithTheNumbersOfRelease61) {
  EXPECT_EQ(ReleaseMessageNumber(JMSG_NOMESSAGE), 0);
  EXPECT_EQ(ReleaseMessageNumber(JERR_ARITH_NOTIMPL), 1);
  EXPECT_EQ(ReleaseMessageNumber(JERR_BAD_BUFFER_MODE), 3);
  EXPECT_EQ(ReleaseMessageNumber(JERR_CONVERSION_NOTIMPL), 26);
  EXPECT_EQ(ReleaseMessageNumber(JERR_INPUT_EMPTY), 41);
  EXPECT_EQ(ReleaseMessageNumber(JERR_NO_SOI), 52);
  EXPECT_EQ(ReleaseMessageNumber(JERR_OUT_OF_MEMORY), 53);
  EXPECT_EQ(ReleaseMessageNumber(JERR_SOF_DUPLICATE), 57);
  EXPECT_EQ(ReleaseMessageNumber(JERR_XMS_WRITE), 71);
  EXPECT_EQ(ReleaseMessageNumber(JMSG_COPYRIGHT), 72);
  EXPECT_EQ(ReleaseMessageNumber(JWRN_JPEG_EOF), 119);
  EXPECT_EQ(ReleaseMessageNumber(JWRN_TOO_MUCH_DATA), 122);

  EXPECT_EQ(ReleaseMessageNumber(JERR_BAD_ALLOC_CHUNK), JERR_BAD_ALLOC_CHUNK);
  EXPECT_EQ(ReleaseMessageNumber(JMSG_LASTMSGCODE), JMSG_LASTMSGCODE);
  EXPECT_EQ(ReleaseMessageNumber(-1), -1);
  EXPECT_EQ(ReleaseMessageNumber(5000), 5000);
}

// The pieces that the source hands over, read inside the library's error handling.
std::vector<size_t> SourcePieces(std::span<const uint8_t> bytes, int& lastMessage) {
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct& info = decompressor.Info();
  std::vector<size_t> sizes(8);
  size_t* out = sizes.data();
  std::vector<uint8_t> seen(bytes.size() + 4);
  uint8_t* copy = seen.data();
  decompressor.Run([&] {
    info.src->init_source(&info);
    for (int i = 0; i < 8; ++i) {
      info.src->fill_input_buffer(&info);
      out[i] = info.src->bytes_in_buffer;
      if (info.src->next_input_byte[0] != 0xFF || out[i] != 2) {
        std::copy(info.src->next_input_byte, info.src->next_input_byte + out[i], copy);
        copy += out[i];
      }
    }
    lastMessage = info.err->msg_code;
  });
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), seen.begin()));
  return sizes;
}

TEST(JpegLibraryTest, TheSourceHandsOverTheWholeStreamThenAnEndOfImage) {
  std::vector<uint8_t> bytes(2 * kJpegBufferSize + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 % 251);
  int lastMessage = 0;
  const auto sizes = SourcePieces(bytes, lastMessage);
  EXPECT_EQ(sizes, (std::vector<size_t>{bytes.size(), 2, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(lastMessage, JWRN_JPEG_EOF);

  try {
    SourcePieces({}, lastMessage);
    ADD_FAILURE() << "no EJPEG";
  } catch (const EJPEG& error) {
    EXPECT_EQ(error.Message(), "JPEG エラー #41");
  }
}

// Skipping runs to the end and on into the made-up end-of-image marker.
TEST(JpegLibraryTest, SkippingRunsIntoTheEndOfImage) {
  std::vector<uint8_t> bytes(kJpegBufferSize + 10);
  bytes[kJpegBufferSize + 5] = 0x5A;
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct& info = decompressor.Info();
  uint8_t afterSkip = 0, afterEnd[2] = {};
  decompressor.Run([&] {
    info.src->init_source(&info);
    info.src->fill_input_buffer(&info);
    info.src->skip_input_data(&info, static_cast<long>(kJpegBufferSize + 5));
    afterSkip = info.src->next_input_byte[0];
    info.src->skip_input_data(&info, 5);
    info.src->fill_input_buffer(&info);
    afterEnd[0] = info.src->next_input_byte[0];
    afterEnd[1] = info.src->next_input_byte[1];
  });
  EXPECT_EQ(afterSkip, 0x5A);
  EXPECT_EQ(afterEnd[0], 0xFF);
  EXPECT_EQ(afterEnd[1], 0xD9);
}

TEST(JpegHeaderTest, ReadsSizeComponentsAndScans) {
  const auto baseline = EncodeWithHolder(GradientBitmap(33, 21));
  TJPEGHeaderInfo header = ReadJpegHeader(baseline);
  EXPECT_EQ(header.width, 33);
  EXPECT_EQ(header.height, 21);
  EXPECT_EQ(header.components, 3);
  EXPECT_FALSE(header.progressive);

  TJPEGSettings settings;
  settings.GrayMode = true;
  settings.ProgressiveEncode = true;
  header = ReadJpegHeader(EncodeWithHolder(GradientBitmap(7, 5), settings));
  EXPECT_EQ(header.width, 7);
  EXPECT_EQ(header.height, 5);
  EXPECT_EQ(header.components, 1);
  EXPECT_TRUE(header.progressive);

  const std::vector<uint8_t> notJpeg = {0x00, 0xD8, 0xFF};
  EXPECT_THROW(ReadJpegHeader(notJpeg), EJPEG);
  EXPECT_THROW(ReadJpegHeader({}), EJPEG);
  // Cut inside the header: the library meets the end of the data before a frame.
  const std::vector<uint8_t> cut(baseline.begin(), baseline.begin() + 30);
  EXPECT_THROW(ReadJpegHeader(cut), EJPEG);
}

}  // namespace
}  // namespace pm::test
