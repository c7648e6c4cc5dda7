#include "base/FileModes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "base/FileDescriptor.h"

namespace pm {

namespace {

constexpr mode_t kNewFileBits = 0666;
constexpr mode_t kNewFolderBits = 0777;
constexpr std::string_view kMaskField = "Umask:";

}  // namespace

mode_t FileModeMask() {
  static const mode_t mask = [] {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.starts_with(kMaskField)) {
        return static_cast<mode_t>(std::strtoul(line.c_str() + kMaskField.size(), nullptr, 8));
      }
    }
    const mode_t current = ::umask(0);
    ::umask(current);
    return current;
  }();
  return mask;
}

mode_t NewFileMode() { return kNewFileBits & ~FileModeMask(); }

mode_t NewFolderMode() { return kNewFolderBits & ~FileModeMask(); }

void SyncFolder(const char* folder) noexcept {
  TFileDescriptor descriptor(::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.IsOpen()) ::fsync(descriptor.Get());
}

}  // namespace pm
