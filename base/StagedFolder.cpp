#include "base/StagedFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "base/Exceptions.h"
#include "base/FileModes.h"
#include "base/FileReplacement.h"
#include "base/TemporaryNames.h"

namespace pm {

namespace fs = std::filesystem;

namespace {

// The folder as a plain path: a trailing separator and "." steps go.
fs::path FolderPath(const std::string& name) {
  fs::path path = fs::path(name).lexically_normal();
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) {
    path = path.parent_path();
  }
  return path.empty() ? fs::path(".") : path;
}

// The name that the target's staging folders are named after.
std::string StagingBaseName(const fs::path& target) {
  std::string base = target.filename().string();
  if (base.empty() || base == "." || base == "..") base = "staged";
  return base;
}

// A new hidden folder named after `target` inside `within`, with the permission bits that it
// gets when it takes the target's place; empty when it can't be made.
fs::path MakeStagingFolder(const fs::path& within, const fs::path& target, mode_t mode) {
  std::string pattern = (within / HiddenTemporaryPattern(StagingBaseName(target))).string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  if (::chmod(pattern.c_str(), mode) != 0) {
    ::rmdir(pattern.c_str());
    return {};
  }
  return pattern;
}

// The two folders trade places at once. Where the file system can't do that, the target first
// moves aside to `a`'s name and `a` then takes its place; a failure puts the target back.
bool ExchangeFolders(const fs::path& a, const fs::path& b) {
  if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  const fs::path aside = a.string() + ".old";
  if (::rename(b.c_str(), aside.c_str()) != 0) return false;
  if (::rename(a.c_str(), b.c_str()) != 0) {
    ::rename(aside.c_str(), b.c_str());
    return false;
  }
  return ::rename(aside.c_str(), a.c_str()) == 0;
}

// Holds the staging folder exclusively for as long as it is staged; an unheld one was left by a
// process that ended without removing it. Nothing when it can't be held.
TFileDescriptor HoldFolder(const fs::path& folder) {
  TFileDescriptor held(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!held.IsOpen() || !held.TryLock(TFileLock::Exclusive) || !held.IsNamedBy(folder.string())) {
    return {};
  }
  return held;
}

// Staging folders of the target in `within` that a process ended by SIGKILL left behind, with
// whatever they hold. A folder that another staging still holds stays.
void RemoveLeftStagingFolders(const fs::path& within, const fs::path& target) noexcept {
  try {
    const std::string base = StagingBaseName(target);
    std::error_code error;
    for (fs::directory_iterator entry(within, error), end; !error && entry != end;
         entry.increment(error)) {
      if (!IsHiddenTemporaryNameOf(entry->path().filename().string(), base)) continue;
      if (!entry->is_directory(error) || entry->is_symlink(error)) continue;
      const TFileDescriptor left = HoldFolder(entry->path());
      std::error_code ignored;
      if (left.IsOpen()) fs::remove_all(entry->path(), ignored);
    }
  } catch (...) {
    // Only a tidying up: a staging doesn't fail for it.
  }
}

}  // namespace

TStagedFolder::TStagedFolder(const std::string& target)
    : name_(target), target_(FolderPath(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  targetExisted_ = fs::exists(status);
  if (targetExisted_ && !fs::is_directory(status)) RaiseCannotCreateFile(name_);
  // The folder that takes the target's place keeps the target's permissions, or a new folder's.
  struct stat targetStatus {};
  mode_ = targetExisted_ && ::stat(target_.c_str(), &targetStatus) == 0
              ? targetStatus.st_mode & kPermissionBits
              : NewFolderMode();
  stagedInsideTarget_ = targetExisted_;
  const fs::path parent = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
  RemoveLeftStagingFolders(parent, target_);
  if (targetExisted_) RemoveLeftStagingFolders(target_, target_);
  staging_ = MakeStagingFolder(targetExisted_ ? target_ : parent, target_, mode_);
  if (staging_.empty()) RaiseCannotCreateFile(name_);
  removal_ = TRemovalOnSignal(staging_.string(), TRemovalOnSignal::Kind::Folder);
  HoldStaging();
}

// The staging folder is held from just after it was made, so that another staging of the same
// target tells it from one left behind.
void TStagedFolder::HoldStaging() {
  held_ = HoldFolder(staging_);
  if (!held_.IsOpen()) RaiseCannotCreateFile(name_);
}

TStagedFolder::~TStagedFolder() {
  if (!done_) RemoveStaging();
}

void TStagedFolder::RemoveStaging() noexcept {
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
}

void TStagedFolder::Write(const std::string& name, const std::function<void(TStream&)>& write) {
  TFileReplacement file(PathOf(name).string());
  write(file.Stream());
  file.Commit();
}

// The staging folder takes the name of the target that didn't exist. Once renamed it is no
// longer removed on a signal: it is the output.
void TStagedFolder::BecomeTarget() {
  if (::rename(staging_.c_str(), target_.c_str()) != 0) RaiseCannotCreateFile(name_);
  removal_ = TRemovalOnSignal();
  done_ = true;
}

void TStagedFolder::MoveFilesIntoTarget() {
  if (!targetExisted_) {
    BecomeTarget();
    return;
  }
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(staging_, error)) {
    const fs::path destination = target_ / entry.path().filename();
    if (::rename(entry.path().c_str(), destination.c_str()) != 0) RaiseCannotCreateFile(name_);
  }
  if (error) RaiseCannotCreateFile(name_);
  RemoveStaging();
  done_ = true;
}

void TStagedFolder::ReplaceTarget() {
  if (stagedInsideTarget_) {
    // The staging folder must leave the target before it can take its place: beside it.
    const fs::path parent = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    const fs::path beside = MakeStagingFolder(parent, target_, mode_);
    if (beside.empty() || ::rename(staging_.c_str(), beside.c_str()) != 0) {
      std::error_code ignored;
      if (!beside.empty()) fs::remove(beside, ignored);
      RaiseCannotCreateFile(name_);
    }
    staging_ = beside;
    removal_ = TRemovalOnSignal(staging_.string(), TRemovalOnSignal::Kind::Folder);
    stagedInsideTarget_ = false;  // still held: the lock went with the folder
  }
  if (!targetExisted_) {
    BecomeTarget();
    return;
  }
  // The old content then lies where the staging was, and goes with it.
  if (!ExchangeFolders(staging_, target_)) RaiseCannotCreateFile(name_);
  RemoveStaging();
  done_ = true;
}

}  // namespace pm
