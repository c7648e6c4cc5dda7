// The image holder's encoding and decoding against the same work done directly with the JPEG
// library, on a 640 × 480 picture. Prints one line a comparison, ending in "ratio <holder ÷
// direct>", from the medians of many interleaved runs.
#include <benchmark/benchmark.h>

#include "base/MemoryStream.h"
#include "bench/BenchSupport.h"
#include "imaging/JPEGImage.h"

namespace {

using namespace pm;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int kRounds = 301;

size_t HolderEncode(const TBitmap& picture) {
  TJPEGImage holder;
  holder.AssignBitmap(picture);
  TMemoryStream stream;
  holder.SaveJpeg(stream);
  return static_cast<size_t>(stream.Size());
}

int32_t HolderDecode(TMemoryStream& stream) {
  stream.SetPosition(0);
  TJPEGImage holder;
  holder.LoadJpeg(stream);
  TBitmap bitmap;
  holder.CopyToBitmap(bitmap);
  return bitmap.Width();
}

}  // namespace

int main() {
  const TBitmap picture = bench::MakePicture(kWidth, kHeight);
  const std::vector<uint8_t> jpeg = bench::DirectEncode(picture);
  TMemoryStream stream;
  stream.WriteBuffer(jpeg.data(), static_cast<int64_t>(jpeg.size()));

  bench::Compare(
      "encode 640x480", "holder", [&] { benchmark::DoNotOptimize(HolderEncode(picture)); },
      "libjpeg directly", [&] { benchmark::DoNotOptimize(bench::DirectEncode(picture)); }, kRounds);
  bench::Compare(
      "decode 640x480", "holder", [&] { benchmark::DoNotOptimize(HolderDecode(stream)); },
      "libjpeg directly", [&] { benchmark::DoNotOptimize(bench::DirectDecode(jpeg)); }, kRounds);
  return 0;
}
