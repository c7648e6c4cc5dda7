#include "base/FileReplacement.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "base/Exceptions.h"
#include "base/FileModes.h"
#include "base/TemporaryNames.h"

namespace pm {

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0666;
// A named temporary file is its owner's alone until it takes the target's place.
constexpr mode_t kPrivateFileMode = 0600;
// Symbolic links followed from the name to the file, as the system follows them; a longer chain
// is a loop.
constexpr int kMaxSymbolicLinks = 40;
// Random names tried for the temporary name before giving up.
constexpr int kNameAttempts = 16;
constexpr const char* kOpenDescriptorFolder = "/proc/self/fd/";

std::string FolderOf(const std::string& path) {
  const auto parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// Where the name's symbolic links lead, link after link, also to a file that doesn't exist yet
// (a dangling link's target is created). Nothing when the chain doesn't end: a loop.
std::optional<std::string> FollowSymbolicLinks(const std::string& fileName) {
  std::string path = fileName;
  for (int hop = 0; hop <= kMaxSymbolicLinks; ++hop) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::vector<char> target(PATH_MAX);
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size()) return std::nullopt;
    const std::filesystem::path next(std::string(target.data(), static_cast<size_t>(length)));
    path = next.is_absolute() ? next.string()
                              : (std::filesystem::path(FolderOf(path)) / next).string();
  }
  return std::nullopt;
}

// Gives the unnamed open file the name; false, with errno, when that isn't possible.
bool LinkUnnamedFile(int descriptor, const std::string& name) {
  const std::string openFile = kOpenDescriptorFolder + std::to_string(descriptor);
  if (::linkat(AT_FDCWD, openFile.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return true;
  }
  if (errno != ENOENT) return false;
  // Without /proc: by the descriptor itself, which a privileged process may do.
  return ::linkat(descriptor, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

}  // namespace

TFileReplacement::TemporaryName::TemporaryName(std::string&& path,
                                               TRemovalOnSignal&& removal) noexcept
    : path_(std::move(path)), removal_(std::move(removal)) {}

TFileReplacement::TemporaryName::~TemporaryName() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

TFileReplacement::TemporaryName::TemporaryName(TemporaryName&& other) noexcept
    : path_(std::move(other.path_)), removal_(std::move(other.removal_)) {
  other.path_.clear();
}

TFileReplacement::TemporaryName& TFileReplacement::TemporaryName::operator=(
    TemporaryName&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_ = std::move(other.path_);
    removal_ = std::move(other.removal_);
    other.path_.clear();
  }
  return *this;
}

void TFileReplacement::TemporaryName::Keep() {
  path_.clear();
  removal_ = TRemovalOnSignal();
}

TFileReplacement::TFileReplacement(const std::string& fileName, TFileDescriptor heldLock,
                                   Temporary temporary)
    : fileName_(fileName) {
  if (fileName.empty()) RaiseCannotCreateFile(fileName_);
  const std::optional<std::string> target = FollowSymbolicLinks(fileName);
  if (!target) RaiseCannotCreateFile(fileName_);
  targetPath_ = *target;
  folder_ = FolderOf(targetPath_);
  LockExistingTarget(std::move(heldLock));
  if (existingTarget_) RemoveStaleTemporaryFiles();
  if (temporary == Temporary::Named || !CreateUnnamedFile()) CreateNamedFile();
}

TFileReplacement::~TFileReplacement() = default;

// An existing target must be a writable regular file that no one else holds; it stays locked
// until the replacement ends, so that no other save of this program writes it meanwhile.
void TFileReplacement::LockExistingTarget(TFileDescriptor heldLock) {
  struct stat status {};
  if (::stat(targetPath_.c_str(), &status) != 0) return;
  existingTarget_ = TargetStatus{status.st_mode & kPermissionBits, status.st_uid, status.st_gid};
  if (!S_ISREG(status.st_mode) || (status.st_mode & kAnyWriteBit) == 0 ||
      ::access(targetPath_.c_str(), W_OK) != 0) {
    RaiseCannotCreateFile(fileName_);
  }
  if (heldLock.IsOpen() && heldLock.IsNamedBy(targetPath_)) {
    targetLock_ = std::move(heldLock);
    return;
  }
  heldLock = TFileDescriptor();
  targetLock_ = TFileDescriptor(::open(targetPath_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!targetLock_.IsOpen() || !targetLock_.TryLock(TFileLock::Exclusive) ||
      !targetLock_.IsNamedBy(targetPath_)) {
    RaiseCannotCreateFile(fileName_);
  }
}

// Temporary files of this target that an earlier save, ended by SIGKILL, left behind. With the
// target locked no other save of it is under way; a temporary file that is still locked belongs
// to a process that lives on all the same, and stays.
void TFileReplacement::RemoveStaleTemporaryFiles() const noexcept {
  try {
    const std::string base = std::filesystem::path(targetPath_).filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder_, error), end; !error && entry != end;
         entry.increment(error)) {
      if (!IsHiddenTemporaryNameOf(entry->path().filename().string(), base)) continue;
      const std::string path = entry->path().string();
      TFileDescriptor stale(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
      struct stat status {};
      if (stale.IsOpen() && ::fstat(stale.Get(), &status) == 0 && S_ISREG(status.st_mode) &&
          stale.TryLock(TFileLock::Exclusive) && stale.IsNamedBy(path)) {
        ::unlink(path.c_str());
      }
    }
  } catch (...) {
    // Only a tidying up: a save doesn't fail for it.
  }
}

// A file without a name in the target's folder, held exclusively; false where the file system
// has no such files.
bool TFileReplacement::CreateUnnamedFile() {
  TFileDescriptor descriptor(::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode));
  if (!descriptor.IsOpen()) return false;
  if (!descriptor.TryLock(TFileLock::Exclusive)) RaiseCannotCreateFile(fileName_);
  temporary_.emplace(std::move(descriptor), fileName_);
  return true;
}

// A hidden file beside the target, held exclusively; each piece is owned the moment it exists.
// The name is listed for removal on a signal before the file is made under it.
void TFileReplacement::CreateNamedFile() {
  const std::string base = std::filesystem::path(targetPath_).filename().string();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = (std::filesystem::path(folder_) / HiddenTemporaryName(base)).string();
    TRemovalOnSignal removal(name, TRemovalOnSignal::Kind::File);
    TFileDescriptor descriptor(
        ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kPrivateFileMode));
    if (!descriptor.IsOpen()) {
      if (errno == EEXIST) continue;
      RaiseCannotCreateFile(fileName_);
    }
    temporaryName_ = TemporaryName(std::move(name), std::move(removal));
    if (!descriptor.TryLock(TFileLock::Exclusive)) RaiseCannotCreateFile(fileName_);
    temporary_.emplace(std::move(descriptor), fileName_);
    return;
  }
  RaiseCannotCreateFile(fileName_);
}

void TFileReplacement::Commit() {
  temporary_->Flush();
  const int descriptor = temporary_->Descriptor();
  GiveTargetsPermissions(descriptor);
  if (temporaryName_.Listed()) {
    PutNamedFileInPlace();
  } else {
    NameUnnamedFile(descriptor);
  }
  // Nothing after this may fail: the new content is in place.
  SyncFolder(folder_.c_str());
}

void TFileReplacement::GiveTargetsPermissions(int descriptor) {
  if (existingTarget_) {
    // Best effort: only a privileged process may give the file away.
    [[maybe_unused]] const int ignored =
        ::fchown(descriptor, existingTarget_->owner, existingTarget_->group);
    if (::fchmod(descriptor, existingTarget_->mode) != 0) RaiseWriteError();
  } else if (::fchmod(descriptor, NewFileMode()) != 0) {
    RaiseWriteError();
  }
}

// A new target gets the file's name at once, complete. An existing one can't be replaced by a
// link: the file gets a temporary name first, listed for removal on a signal before it exists,
// and is renamed over the target right after.
void TFileReplacement::NameUnnamedFile(int descriptor) {
  if (!existingTarget_) {
    if (LinkUnnamedFile(descriptor, targetPath_)) return;
    // A target that appeared meanwhile is replaced like one that was there from the start.
    if (errno != EEXIST) RaiseCannotCreateFile(fileName_);
  }
  const std::string base = std::filesystem::path(targetPath_).filename().string();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = (std::filesystem::path(folder_) / HiddenTemporaryName(base)).string();
    TRemovalOnSignal removal(name, TRemovalOnSignal::Kind::File);
    if (LinkUnnamedFile(descriptor, name)) {
      temporaryName_ = TemporaryName(std::move(name), std::move(removal));
      PutNamedFileInPlace();
      return;
    }
    if (errno != EEXIST) RaiseCannotCreateFile(fileName_);
  }
  RaiseCannotCreateFile(fileName_);
}

void TFileReplacement::PutNamedFileInPlace() {
  if (::rename(temporaryName_.Path().c_str(), targetPath_.c_str()) != 0) {
    RaiseCannotCreateFile(fileName_);
  }
  temporaryName_.Keep();
}

}  // namespace pm
