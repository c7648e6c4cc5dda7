// Loading a large 24-bit BMP file into a bitmap, against reading the same file into memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/FileStream.h"
#include "bench/BenchSupport.h"
#include "imaging/Bitmap.h"

namespace {

constexpr int32_t kWidth = 4000;
constexpr int32_t kHeight = 3000;
constexpr int kRounds = 41;

// The picture file, written once and removed at the end.
class PictureFile {
 public:
  PictureFile() : name_(folder_.File("picture.bmp")) {
    pm::TBitmap bitmap;
    bitmap.SetPixelFormat(pm::TPixelFormat::pf24bit);
    bitmap.SetWidth(kWidth);
    bitmap.SetHeight(kHeight);
    pm::TFileStream file(name_, pm::FileAccess::CreateExclusive);
    bitmap.SaveToStream(file);
  }
  const std::string& Name() const { return name_; }

 private:
  pm::bench::TempFolder folder_;
  std::string name_;
};

void LoadFromFile(const std::string& name) {
  pm::TBitmap bitmap;
  bitmap.LoadFromFile(name);
  benchmark::DoNotOptimize(bitmap.ConstScanLine(0));
}

// The reference: open the file and read all of it into a buffer of its size.
void ReadIntoMemory(const std::string& name) {
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (descriptor < 0 || ::fstat(descriptor, &status) != 0) std::abort();
  const auto size = static_cast<size_t>(status.st_size);
  auto* buffer = static_cast<char*>(std::malloc(size));
  size_t moved = 0;
  while (moved < size) {
    const ssize_t result = ::read(descriptor, buffer + moved, size - moved);
    if (result <= 0) std::abort();
    moved += static_cast<size_t>(result);
  }
  ::close(descriptor);
  benchmark::DoNotOptimize(buffer);
  std::free(buffer);
}

}  // namespace

int main() {
  const PictureFile file;
  pm::bench::Compare(
      "load a 4000 x 3000 24-bit BMP file", "bitmap", [&] { LoadFromFile(file.Name()); },
      "reading the file into memory", [&] { ReadIntoMemory(file.Name()); }, kRounds);
  return 0;
}
