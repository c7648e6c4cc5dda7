#include "base/FileStream.h"

#include <fcntl.h>
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

// Opens a regular file without blocking on special files (a pipe without a writer, a device);
// a closed descriptor when the name gives no regular file. O_NONBLOCK stays: reads and writes of
// a regular file never wait in its sense, so it changes nothing once the file is known to be one.
TFileDescriptor OpenRegularFile(const std::string& fileName, int flags, mode_t mode = 0) {
  TFileDescriptor descriptor(::open(fileName.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode));
  if (!descriptor.IsOpen()) return descriptor;
  struct stat status {};
  if (::fstat(descriptor.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return TFileDescriptor();
  }
  return descriptor;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, FileAccess access) : fileName_(fileName) {
  switch (access) {
    case FileAccess::ReadExclusive:
    case FileAccess::ReadShared: {
      descriptor_ = OpenRegularFile(fileName, O_RDONLY);
      const bool exclusive = access == FileAccess::ReadExclusive;
      if (!descriptor_.IsOpen() ||
          !descriptor_.TryLock(exclusive ? TFileLock::Exclusive : TFileLock::Shared)) {
        RaiseCannotOpenFile(fileName);
      }
      // An exclusive lock may go on to guard the file's replacement (an edit of the file in
      // place), so it must hold the file that the name gives now, not one renamed away. A shared
      // reader that took a file just replaced reads its complete earlier content: no check.
      if (exclusive && !descriptor_.IsNamedBy(fileName)) RaiseCannotOpenFile(fileName);
      break;
    }
    case FileAccess::CreateExclusive: {
      // Lock before emptying, so that a file that another open holds is left untouched.
      descriptor_ = OpenRegularFile(fileName, O_RDWR | O_CREAT, 0666);
      if (!descriptor_.IsOpen() || !descriptor_.TryLock(TFileLock::Exclusive) ||
          !descriptor_.IsNamedBy(fileName) || ::ftruncate(descriptor_.Get(), 0) != 0) {
        RaiseCannotCreateFile(fileName);
      }
      break;
    }
  }
}

TFileStream::TFileStream(TFileDescriptor descriptor, std::string fileName)
    : descriptor_(std::move(descriptor)), fileName_(std::move(fileName)) {}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t moved = 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  while (moved < count) {
    const auto piece = static_cast<size_t>(std::min(count - moved, kMaxTransfer));
    const ssize_t result = ::read(descriptor_.Get(), bytes + moved, piece);
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
    const ssize_t result = ::write(descriptor_.Get(), bytes + moved, piece);
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
  const off_t position = ::lseek(descriptor_.Get(), static_cast<off_t>(offset), whence);
  // A seek before the start fails and leaves the position; the read that follows then fails.
  if (position < 0) return ::lseek(descriptor_.Get(), 0, SEEK_CUR);
  return position;
}

int64_t TFileStream::Size() {
  struct stat status {};
  if (::fstat(descriptor_.Get(), &status) != 0) return 0;
  return status.st_size;
}

TFileDescriptor TFileStream::TakeDescriptor() { return std::move(descriptor_); }

void TFileStream::Flush() {
  if (::fsync(descriptor_.Get()) != 0) RaiseWriteError();
}

void TFileStream::Close() {
  if (!descriptor_.Close()) RaiseWriteError();
}

}  // namespace pm
