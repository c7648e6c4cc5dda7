#include "site/SiteSwap.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include "base/Exceptions.h"
#include "base/FileModes.h"
#include "base/StagedFolder.h"
#include "site/SiteErrors.h"
#include "site/SiteMarker.h"
#include "site/SiteSurvey.h"

namespace pm::site {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReplacedFolder = ".replaced";
constexpr mode_t kReplacedFolderMode = 0700;
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr auto kLockPoll = std::chrono::milliseconds(5);

bool Exists(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

bool IsPlainFile(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Renames unless something has the new name already (errno EEXIST then).
bool RenameNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that kind of rename: look first.
  if (Exists(to)) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  return names;
}

// Removes the plain files of the folder, then the folder; anything else in it keeps it.
void RemoveFolderOfFiles(const fs::path& folder) {
  for (const std::string& name : NamesIn(folder)) {
    if (IsPlainFile(folder / name)) ::unlink((folder / name).c_str());
  }
  ::rmdir(folder.c_str());
}

class SiteSwap {
 public:
  SiteSwap(const fs::path& staging, const fs::path& folder)
      : staging_(staging), folder_(folder), replaced_(staging / kReplacedFolder) {}

  bool Begun() const { return Exists(replaced_); }
  bool Begin() const { return ::mkdir(replaced_.c_str(), kReplacedFolderMode) == 0; }

  // The names of both sites, read before anything moves, or where a begun swap left the markers;
  // false when the new site's marker is nowhere.
  bool ReadNames() {
    const fs::path stagedMarker = staging_ / kSiteMarkerName;
    const fs::path placedMarker = folder_ / kSiteMarkerName;
    const fs::path replacedMarker = replaced_ / kSiteMarkerName;
    const bool markerStaged = Exists(stagedMarker);
    const auto fresh = ReadSiteMarker(markerStaged ? stagedMarker : placedMarker);
    if (!fresh) return false;
    names_ = {kSiteMarkerName};
    names_.insert(names_.end(), fresh->begin(), fresh->end());
    std::optional<std::set<std::string>> earlier;
    if (Exists(replacedMarker)) {
      earlier = ReadSiteMarker(replacedMarker);
    } else if (markerStaged) {
      earlier = ReadSiteMarker(placedMarker);
    }
    hasEarlierMarker_ = earlier.has_value();
    earlier_ = earlier.value_or(std::set<std::string>());
    return true;
  }

  // The first file of the folder that the new site would write over and that isn't the earlier
  // site's.
  std::optional<std::string> FileInTheWay() const {
    for (const std::string& name : names_) {
      if (Exists(staging_ / name) && Exists(folder_ / name) && !IsEarlierSites(name)) return name;
    }
    return std::nullopt;
  }

  // Moves the new site in; false where something stops it (see Stop).
  bool MoveIn() {
    for (const std::string& name : names_) {
      if (!Exists(staging_ / name)) continue;  // moved in before
      const fs::path placed = folder_ / name;
      if (Exists(placed)) {
        if (!IsEarlierSites(name)) return Stop(name, true);
        if (!RenameNoReplace(placed, replaced_ / name)) return Stop(name, false);
      }
      if (!RenameNoReplace(staging_ / name, placed)) return Stop(name, errno == EEXIST);
    }
    const std::set<std::string> fresh(names_.begin(), names_.end());
    for (const std::string& name : earlier_) {
      if (!fresh.contains(name) && IsPlainFile(folder_ / name)) {
        RenameNoReplace(folder_ / name, replaced_ / name);
      }
    }
    return true;
  }

  // Puts back what MoveIn moved: the new files into the staging folder, the earlier site's into
  // the folder. A file of someone else's that took an earlier file's place meanwhile stays, and
  // the earlier file goes. False when something couldn't move back.
  bool MoveBack() const {
    bool whole = true;
    for (auto name = names_.rbegin(); name != names_.rend(); ++name) {
      if (!Exists(staging_ / *name) && Exists(folder_ / *name)) {
        whole = RenameNoReplace(folder_ / *name, staging_ / *name) && whole;
      }
    }
    for (const std::string& name : NamesIn(replaced_)) {
      if (RenameNoReplace(replaced_ / name, folder_ / name)) continue;
      if (errno == EEXIST) {
        ::unlink((replaced_ / name).c_str());
      } else {
        whole = false;
      }
    }
    return whole && ::rmdir(replaced_.c_str()) == 0;
  }

  void RemoveStaging() const {
    RemoveFolderOfFiles(replaced_);
    RemoveFolderOfFiles(staging_);
  }

  const std::string& StoppedAt() const { return stoppedAt_; }
  bool StoppedByAFileInTheWay() const { return inTheWay_; }

 private:
  // A plain file that the earlier site's marker lists, or that marker itself.
  bool IsEarlierSites(const std::string& name) const {
    return IsPlainFile(folder_ / name) &&
           (name == kSiteMarkerName ? hasEarlierMarker_ : earlier_.contains(name));
  }

  bool Stop(const std::string& name, bool inTheWay) {
    stoppedAt_ = name;
    inTheWay_ = inTheWay;
    return false;
  }

  fs::path staging_;
  fs::path folder_;
  fs::path replaced_;
  std::vector<std::string> names_;  // the new site's, its marker first
  std::set<std::string> earlier_;
  bool hasEarlierMarker_ = false;
  std::string stoppedAt_;
  bool inTheWay_ = false;
};

}  // namespace

TSiteFolderLock::TSiteFolderLock(const fs::path& folder, const std::string& name)
    : descriptor_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (!descriptor_.IsOpen()) return;
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
  while (!descriptor_.TryLock(TFileLock::Exclusive)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      throw ESiteFolderBusy(name + " is being written by another site");
    }
    std::this_thread::sleep_for(kLockPoll);
  }
}

void RecoverAbandonedSites(const fs::path& folder, const TSiteFolderLock& /*held*/) {
  for (const TAbandonedStagingFolder& abandoned : AbandonedStagingFolders(folder.string())) {
    SiteSwap swap(abandoned.path, folder);
    if (swap.Begun()) {
      const bool finished = swap.ReadNames() && swap.MoveIn();
      if (!finished && !swap.MoveBack()) continue;  // left for a later site
      SyncFolder(folder.c_str());
    }
    swap.RemoveStaging();
  }
}

bool MoveStagingIntoPlace(const fs::path& staging, const fs::path& folder,
                          const std::string& name) {
  if (!RenameNoReplace(staging, folder)) {
    if (errno == EEXIST) return false;
    RaiseCannotCreateFile(name);
  }
  SyncFolder(folder.has_parent_path() ? folder.parent_path().c_str() : ".");
  return true;
}

void SwapSiteInPlace(const fs::path& staging, const fs::path& folder, const std::string& name,
                     const TSiteFolderLock& /*held*/) {
  SiteSwap swap(staging, folder);
  if (!swap.ReadNames()) {
    swap.RemoveStaging();
    RaiseCannotCreateFile(name);
  }
  if (const std::optional<std::string> file = swap.FileInTheWay()) {
    swap.RemoveStaging();
    RefuseFileInTheWay(name, *file);
  }
  if (!swap.Begin()) {
    swap.RemoveStaging();
    RaiseCannotCreateFile(name);
  }
  if (!swap.MoveIn()) {
    if (swap.MoveBack()) swap.RemoveStaging();
    if (swap.StoppedByAFileInTheWay()) RefuseFileInTheWay(name, swap.StoppedAt());
    RaiseCannotCreateFile(name);
  }
  SyncFolder(folder.c_str());
  swap.RemoveStaging();
}

}  // namespace pm::site
