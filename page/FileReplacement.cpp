#include "page/FileReplacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/Exceptions.h"

namespace pm {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0666;

mode_t CurrentFileModeMask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
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

void SyncFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

TFileReplacement::TFileReplacement(const std::string& fileName)
    : fileName_(fileName), targetPath_(ResolveTarget(fileName)) {
  if (fileName.empty()) RaiseCannotCreateFile(fileName_);
  struct stat status {};
  if (::stat(targetPath_.c_str(), &status) == 0) {
    targetExisted_ = true;
    targetMode_ = status.st_mode & 07777;
    targetOwner_ = status.st_uid;
    targetGroup_ = status.st_gid;
    if (!S_ISREG(status.st_mode) || (status.st_mode & kAnyWriteBit) == 0 ||
        ::access(targetPath_.c_str(), W_OK) != 0) {
      RaiseCannotCreateFile(fileName_);
    }
    targetLock_ = ::open(targetPath_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (targetLock_ < 0 || ::flock(targetLock_, LOCK_EX | LOCK_NB) != 0) {
      if (targetLock_ >= 0) ::close(targetLock_);
      RaiseCannotCreateFile(fileName_);
    }
  }
  const std::string base = std::filesystem::path(targetPath_).filename().string();
  std::string pattern =
      (std::filesystem::path(FolderOf(targetPath_)) / ("." + base + ".XXXXXX")).string();
  const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor < 0 || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (descriptor >= 0) {
      ::close(descriptor);
      ::unlink(pattern.c_str());
    }
    if (targetLock_ >= 0) ::close(targetLock_);
    RaiseCannotCreateFile(fileName_);
  }
  temporaryPath_ = pattern;
  temporary_ = std::make_unique<TFileStream>(descriptor, fileName_);
}

TFileReplacement::~TFileReplacement() {
  if (!committed_) ::unlink(temporaryPath_.c_str());
  temporary_.reset();
  if (targetLock_ >= 0) ::close(targetLock_);
}

void TFileReplacement::Commit() {
  temporary_->Flush();
  const int descriptor = temporary_->Descriptor();
  if (targetExisted_) {
    // Best effort: only a privileged process may give the file away.
    [[maybe_unused]] const int ignored = ::fchown(descriptor, targetOwner_, targetGroup_);
    if (::fchmod(descriptor, targetMode_) != 0) RaiseWriteError();
  } else if (::fchmod(descriptor, kNewFileMode & ~CurrentFileModeMask()) != 0) {
    RaiseWriteError();
  }
  if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) RaiseCannotCreateFile(fileName_);
  committed_ = true;
  SyncFolder(FolderOf(targetPath_));
}

}  // namespace pm
