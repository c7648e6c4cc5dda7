#include "base/TemporaryNames.h"

#include <limits.h>
#include <sys/random.h>
#include <time.h>

#include <array>
#include <cstdint>

namespace pm {

namespace {

constexpr std::string_view kPrefix = ".";
constexpr std::string_view kRandomPart = ".XXXXXX";
// Room left for a suffix that a fallback may add (see StagedFolder's ".old").
constexpr size_t kSpareCharacters = 8;
constexpr size_t kLongestTargetPart =
    NAME_MAX - kPrefix.size() - kRandomPart.size() - kSpareCharacters;
constexpr std::string_view kRandomCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string ShortenedName(const std::string& name) {
  if (name.size() <= kLongestTargetPart) return name;
  size_t length = kLongestTargetPart;
  while (length > 0 && IsContinuationByte(name[length])) --length;
  return name.substr(0, length);
}

}  // namespace

std::string HiddenTemporaryPattern(const std::string& targetName) {
  return std::string(kPrefix) + ShortenedName(targetName) + std::string(kRandomPart);
}

std::string HiddenTemporaryName(const std::string& targetName) {
  std::string name = HiddenTemporaryPattern(targetName);
  std::array<uint8_t, 6> random{};
  if (::getrandom(random.data(), random.size(), GRND_NONBLOCK) !=
      static_cast<ssize_t>(random.size())) {
    // Without the system's randomness, the clock: a name that exists is tried again anyway.
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    uint64_t seed = static_cast<uint64_t>(now.tv_nsec) ^ static_cast<uint64_t>(now.tv_sec) << 30;
    for (uint8_t& byte : random) byte = static_cast<uint8_t>(seed >>= 5);
  }
  const size_t first = name.size() - random.size();
  for (size_t i = 0; i < random.size(); ++i) {
    name[first + i] = kRandomCharacters[random[i] % kRandomCharacters.size()];
  }
  return name;
}

bool IsHiddenTemporaryNameOf(const std::string& name, const std::string& targetName) {
  const std::string pattern = HiddenTemporaryPattern(targetName);
  const size_t random = pattern.size() - kRandomPart.size() + 1;  // after the last "."
  if (name.size() != pattern.size() || name.compare(0, random, pattern, 0, random) != 0) {
    return false;
  }
  return name.find_first_not_of(kRandomCharacters, random) == std::string::npos;
}

}  // namespace pm
