// Loading a large 24-bit BMP file into a bitmap, against reading the same file into memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "base/FileStream.h"
#include "imaging/Bitmap.h"

namespace {

constexpr int32_t kWidth = 4000;
constexpr int32_t kHeight = 3000;
constexpr const char* kLoadName = "LoadFromFile";
constexpr const char* kReadName = "ReadIntoMemory";

// The picture file, written once and removed at the end.
class PictureFile {
 public:
  PictureFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pagemaker-bench-XXXXXX").string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) std::abort();
    ::close(descriptor);
    name_ = pattern;
    pm::TBitmap bitmap;
    bitmap.SetPixelFormat(pm::TPixelFormat::pf24bit);
    bitmap.SetWidth(kWidth);
    bitmap.SetHeight(kHeight);
    pm::TFileStream file(name_, pm::FileAccess::CreateExclusive);
    bitmap.SaveToStream(file);
  }
  ~PictureFile() { std::filesystem::remove(name_); }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

void LoadFromFile(benchmark::State& state, const std::string& name) {
  for (auto _ : state) {
    pm::TBitmap bitmap;
    bitmap.LoadFromFile(name);
    benchmark::DoNotOptimize(bitmap.ConstScanLine(0));
  }
}

// The reference: open the file and read all of it into a buffer of its size.
void ReadIntoMemory(benchmark::State& state, const std::string& name) {
  for (auto _ : state) {
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
}

// Keeps the time of one iteration of each benchmark while printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0) times_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Time(const std::string& name) const { return times_.at(name); }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const PictureFile file;
  benchmark::RegisterBenchmark(kLoadName, LoadFromFile, file.Name())->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(kReadName, ReadIntoMemory, file.Name())
      ->Unit(benchmark::kMillisecond);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("Loading a %d x %d 24-bit BMP file against reading it into memory: ratio %.3f\n",
              kWidth, kHeight, reporter.Time(kLoadName) / reporter.Time(kReadName));
  benchmark::Shutdown();
  return 0;
}
