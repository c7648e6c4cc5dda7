#include "base/FileIdentity.h"

#include <sys/stat.h>

namespace pm {

namespace {

TFileIdentity IdentityOf(const struct stat& status) {
  return TFileIdentity{.device = static_cast<uint64_t>(status.st_dev),
                       .inode = static_cast<uint64_t>(status.st_ino),
                       .size = static_cast<int64_t>(status.st_size),
                       .modifiedSeconds = static_cast<int64_t>(status.st_mtim.tv_sec),
                       .modifiedNanoseconds = static_cast<int64_t>(status.st_mtim.tv_nsec)};
}

}  // namespace

std::optional<TFileIdentity> FileIdentityOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

std::optional<TFileIdentity> FileIdentityOf(int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

}  // namespace pm
