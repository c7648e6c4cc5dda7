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

fs::path ParentOf(const fs::path& folder) {
  return folder.has_parent_path() ? folder.parent_path() : fs::path(".");
}

// The name that the target's staging folders are named after.
std::string StagingBaseName(const fs::path& target) {
  const std::string base = target.filename().string();
  return base.empty() || base == "." || base == ".." ? "staged" : base;
}

// A staging folder inside the target is for this process alone.
constexpr mode_t kPrivateFolderMode = 0700;

// A new hidden folder named after `target` inside `within`, with these permission bits; empty
// when it can't be made.
fs::path MakeStagingFolder(const fs::path& within, const fs::path& target, mode_t mode) {
  std::string pattern = (within / HiddenTemporaryPattern(StagingBaseName(target))).string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  if (::chmod(pattern.c_str(), mode) != 0) {
    ::rmdir(pattern.c_str());
    return {};
  }
  return pattern;
}

}  // namespace

TStagedFolder::TStagedFolder(const std::string& target)
    : name_(target), target_(PlainFolderPath(target)) {
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  targetExisted_ = fs::exists(status);
  if (targetExisted_ && !fs::is_directory(status)) RaiseCannotCreateFile(name_);
  // A staging folder that becomes the target has a new folder's permissions.
  staging_ = MakeStagingFolder(targetExisted_ ? target_ : ParentOf(target_), target_,
                               targetExisted_ ? kPrivateFolderMode : NewFolderMode());
  if (staging_.empty()) RaiseCannotCreateFile(name_);
  removal_ = TRemovalOnSignal(staging_.string(), TRemovalOnSignal::Kind::Folder);
  lock_ = TFileDescriptor(::open(staging_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!lock_.IsOpen() || !lock_.TryLock(TFileLock::Exclusive)) {
    RemoveStaging();
    RaiseCannotCreateFile(name_);
  }
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

void TStagedFolder::Keep() {
  removal_ = TRemovalOnSignal();
  done_ = true;
}

fs::path PlainFolderPath(const std::string& name) {
  fs::path path = fs::path(name).lexically_normal();
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) {
    path = path.parent_path();
  }
  return path.empty() ? fs::path(".") : path;
}

bool IsStagingFolderNameOf(const std::string& name, const std::string& target) {
  return IsHiddenTemporaryNameOf(name, StagingBaseName(PlainFolderPath(target)));
}

std::vector<TAbandonedStagingFolder> AbandonedStagingFolders(const std::string& target) {
  const fs::path folder = PlainFolderPath(target);
  std::vector<TAbandonedStagingFolder> abandoned;
  for (const fs::path& within : {folder, ParentOf(folder)}) {
    std::error_code error;
    for (fs::directory_iterator entry(within, error), end; !error && entry != end;
         entry.increment(error)) {
      if (!IsStagingFolderNameOf(entry->path().filename().string(), target)) continue;
      const fs::path path = entry->path();
      TFileDescriptor lock(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      if (lock.IsOpen() && lock.TryLock(TFileLock::Exclusive) && lock.IsNamedBy(path)) {
        abandoned.push_back({path, std::move(lock)});
      }
    }
  }
  return abandoned;
}

}  // namespace pm
