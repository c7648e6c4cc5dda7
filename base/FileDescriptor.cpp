#include "base/FileDescriptor.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pm {

TFileDescriptor& TFileDescriptor::operator=(TFileDescriptor&& other) noexcept {
  if (this != &other) {
    Reset();
    descriptor_ = other.Release();
  }
  return *this;
}

int TFileDescriptor::Release() {
  const int descriptor = descriptor_;
  descriptor_ = -1;
  return descriptor;
}

bool TFileDescriptor::Close() {
  if (descriptor_ < 0) return true;
  // The descriptor is gone after close, whatever it returns; EINTR doesn't mean data was lost.
  const int result = ::close(Release());
  return result == 0 || errno == EINTR;
}

bool TFileDescriptor::TryLock(TFileLock lock) {
  const int operation = (lock == TFileLock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  while (::flock(descriptor_, operation) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool TFileDescriptor::IsNamedBy(const std::string& path) const {
  struct stat open {
  }, named{};
  if (descriptor_ < 0 || ::fstat(descriptor_, &open) != 0 || ::stat(path.c_str(), &named) != 0) {
    return false;
  }
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void TFileDescriptor::Reset() {
  if (descriptor_ >= 0) ::close(Release());
}

}  // namespace pm
