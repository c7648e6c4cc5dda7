#include "base/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Exceptions.h"

namespace pm {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
constexpr const char* kTemporarySuffix = ".XXXXXX";
constexpr std::string_view kMaskField = "Umask:";

// The process's file mode mask, read once. The kernel tells it without changing it; only where
// it doesn't is the mask set and put back, once.
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

// A symbolic link is followed, so that the file it names gets the new content.
std::string ResolveTarget(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_symlink(fileName, error)) return fileName;
  const auto resolved = std::filesystem::weakly_canonical(fileName, error);
  return error ? fileName : resolved.string();
}

std::string FolderOf(const std::string& path) {
  const auto parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

void SyncFolder(const std::string& folder) noexcept {
  TFileDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.IsOpen()) ::fsync(descriptor.Get());
}

}  // namespace

TFileReplacement::TemporaryName::~TemporaryName() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

TFileReplacement::TemporaryName::TemporaryName(TemporaryName&& other) noexcept
    : path_(std::move(other.path_)) {
  other.path_.clear();
}

TFileReplacement::TemporaryName& TFileReplacement::TemporaryName::operator=(
    TemporaryName&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

TFileReplacement::TFileReplacement(const std::string& fileName)
    : fileName_(fileName), targetPath_(ResolveTarget(fileName)), folder_(FolderOf(targetPath_)) {
  if (fileName.empty()) RaiseCannotCreateFile(fileName_);
  LockExistingTarget();
  CreateTemporaryFile();
}

TFileReplacement::~TFileReplacement() = default;

// An existing target must be a writable regular file that no one else holds; it stays locked
// until the replacement ends, so that no other save of this program writes it meanwhile.
void TFileReplacement::LockExistingTarget() {
  struct stat status {};
  if (::stat(targetPath_.c_str(), &status) != 0) return;
  existingTarget_ = TargetStatus{status.st_mode & kPermissionBits, status.st_uid, status.st_gid};
  if (!S_ISREG(status.st_mode) || (status.st_mode & kAnyWriteBit) == 0 ||
      ::access(targetPath_.c_str(), W_OK) != 0) {
    RaiseCannotCreateFile(fileName_);
  }
  targetLock_ = TFileDescriptor(::open(targetPath_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!targetLock_.IsOpen() || !targetLock_.TryLock(TFileLock::Exclusive)) {
    RaiseCannotCreateFile(fileName_);
  }
}

// A hidden file beside the target, held exclusively; each piece is owned the moment it exists.
void TFileReplacement::CreateTemporaryFile() {
  const std::string base = std::filesystem::path(targetPath_).filename().string();
  std::string pattern = (std::filesystem::path(folder_) / ("." + base + kTemporarySuffix)).string();
  TFileDescriptor descriptor(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!descriptor.IsOpen()) RaiseCannotCreateFile(fileName_);
  temporaryName_ = TemporaryName(std::move(pattern));
  if (!descriptor.TryLock(TFileLock::Exclusive)) RaiseCannotCreateFile(fileName_);
  temporary_.emplace(std::move(descriptor), fileName_);
}

void TFileReplacement::Commit() {
  temporary_->Flush();
  const int descriptor = temporary_->Descriptor();
  if (existingTarget_) {
    // Best effort: only a privileged process may give the file away.
    [[maybe_unused]] const int ignored =
        ::fchown(descriptor, existingTarget_->owner, existingTarget_->group);
    if (::fchmod(descriptor, existingTarget_->mode) != 0) RaiseWriteError();
  } else if (::fchmod(descriptor, kNewFileMode & ~FileModeMask()) != 0) {
    RaiseWriteError();
  }
  if (::rename(temporaryName_.Path().c_str(), targetPath_.c_str()) != 0) {
    RaiseCannotCreateFile(fileName_);
  }
  // Nothing after the rename may fail: the new content is in place.
  temporaryName_.Keep();
  SyncFolder(folder_);
}

}  // namespace pm
