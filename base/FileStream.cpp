#include "base/FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "base/Exceptions.h"

namespace pm {

namespace {

// The largest piece that one system call moves.
constexpr int64_t kMaxTransfer = 1 << 30;

// Opens a regular file without blocking on special files; -1 when that isn't possible.
int OpenRegularFile(const std::string& fileName, int flags, mode_t mode = 0) {
  const int descriptor = ::open(fileName.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode);
  if (descriptor < 0) return -1;
  struct stat status {};
  const int statusFlags = ::fcntl(descriptor, F_GETFL);
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || statusFlags < 0 ||
      ::fcntl(descriptor, F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
    ::close(descriptor);
    return -1;
  }
  return descriptor;
}

bool Lock(int descriptor, int operation) {
  while (::flock(descriptor, operation | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, FileAccess access) : fileName_(fileName) {
  switch (access) {
    case FileAccess::ReadExclusive:
    case FileAccess::ReadShared: {
      descriptor_ = OpenRegularFile(fileName, O_RDONLY);
      const int lock = access == FileAccess::ReadExclusive ? LOCK_EX : LOCK_SH;
      if (descriptor_ < 0 || !Lock(descriptor_, lock)) {
        if (descriptor_ >= 0) ::close(descriptor_);
        RaiseCannotOpenFile(fileName);
      }
      break;
    }
    case FileAccess::CreateExclusive: {
      // Lock before emptying, so that a file that another open holds is left untouched.
      descriptor_ = OpenRegularFile(fileName, O_RDWR | O_CREAT, 0666);
      if (descriptor_ < 0 || !Lock(descriptor_, LOCK_EX) || ::ftruncate(descriptor_, 0) != 0) {
        if (descriptor_ >= 0) ::close(descriptor_);
        RaiseCannotCreateFile(fileName);
      }
      break;
    }
  }
}

TFileStream::TFileStream(int descriptor, std::string fileName)
    : descriptor_(descriptor), fileName_(std::move(fileName)) {}

TFileStream::~TFileStream() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t moved = 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  while (moved < count) {
    const auto piece = static_cast<size_t>(std::min(count - moved, kMaxTransfer));
    const ssize_t result = ::read(descriptor_, bytes + moved, piece);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) break;
    moved += result;
  }
  return moved;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t moved = 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  while (moved < count) {
    const auto piece = static_cast<size_t>(std::min(count - moved, kMaxTransfer));
    const ssize_t result = ::write(descriptor_, bytes + moved, piece);
    if (result < 0 && errno == EINTR) continue;
    if (result <= 0) break;
    moved += result;
  }
  return moved;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  int whence = SEEK_SET;
  if (origin == SeekOrigin::Current) whence = SEEK_CUR;
  if (origin == SeekOrigin::End) whence = SEEK_END;
  const off_t position = ::lseek(descriptor_, static_cast<off_t>(offset), whence);
  // A seek before the start fails and leaves the position; the read that follows then fails.
  if (position < 0) return ::lseek(descriptor_, 0, SEEK_CUR);
  return position;
}

int64_t TFileStream::Size() {
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) return 0;
  return status.st_size;
}

void TFileStream::Flush() {
  if (::fsync(descriptor_) != 0) RaiseWriteError();
}

void TFileStream::Close() {
  if (descriptor_ < 0) return;
  const int result = ::close(descriptor_);
  descriptor_ = -1;
  if (result != 0 && errno != EINTR) RaiseWriteError();
}

}  // namespace pm
