// What the benchmarks share: test pictures, the JPEG library used directly with the holder's
// parameters as the reference, and timing of interleaved runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace pm::bench {

// A 24-bit picture of smooth gradients with some grain, as a scanned or photographed picture
// has; each seed gives another one.
TBitmap MakePicture(int32_t width, int32_t height, uint32_t seed = 2024);

// Encodes the 24-bit bitmap's rows with the library directly: BGR input, defaults, the
// floating-point DCT, quality 90 with baseline tables, into memory.
std::vector<uint8_t> DirectEncode(const TBitmap& bitmap);
// Decodes to 24-bit BGR rows with the floating-point DCT; returns the width.
uint32_t DirectDecode(std::span<const uint8_t> jpeg);

// A temporary folder for a benchmark's files, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

double Seconds(const std::function<void()>& work);
double Median(std::vector<double> values);

// Times `rounds` interleaved pairs (reference, ours, reference, ours ...), so that both sides of
// each pair meet the same machine, and prints the median times and the median of the per-pair
// ratios with their least and greatest: "<what>: <name> <ms>, <referenceName> <ms>, pairs <min>
// to <max>, ratio <median>". Returns the median ratio.
double Compare(const std::string& what, const std::string& name, const std::function<void()>& work,
               const std::string& referenceName, const std::function<void()>& reference,
               int rounds);

}  // namespace pm::bench
