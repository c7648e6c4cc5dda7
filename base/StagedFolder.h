// A folder's worth of new files that appear all at once or not at all. The files are written into
// a new hidden staging folder on the target's file system and put in place only at the end;
// until then, and after any failure, the target folder and every file in it are as they were,
// and the staging folder goes with whatever it holds.
//
// The staging folder is locked while its object lives, so that a staging folder that no one
// holds is known to be left by a process that ended without removing it (SIGKILL).
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/FileDescriptor.h"
#include "base/RemovalOnSignal.h"
#include "base/Stream.h"

namespace pm {

class TStagedFolder {
 public:
  // Makes the staging folder: inside the target folder when it exists, beside it when it
  // doesn't. EFCreateError "ファイル %s を作成できません", with the target's name as passed,
  // when that isn't possible or the target is something other than a folder.
  explicit TStagedFolder(const std::string& target);
  // Removes the staging folder and everything in it, unless its content was put in place or
  // kept.
  ~TStagedFolder();
  TStagedFolder(const TStagedFolder&) = delete;
  TStagedFolder& operator=(const TStagedFolder&) = delete;

  // Where a staged file or folder of that name lies.
  std::filesystem::path PathOf(const std::string& name) const { return staging_ / name; }
  const std::filesystem::path& Staging() const { return staging_; }
  // The target was a folder when the staging folder was made inside it.
  bool TargetExisted() const { return targetExisted_; }
  // Writes one staged file whole (see TFileReplacement).
  void Write(const std::string& name, const std::function<void(TStream&)>& write);

  // Moves every staged file into the target folder, replacing files of the same names; the other
  // files of the folder stay. A target that didn't exist becomes the staging folder itself.
  void MoveFilesIntoTarget();
  // Hands the staging folder over to the caller, who puts its files in place: from now on it is
  // removed neither on a signal nor when the object goes. It stays locked while the object lives.
  void Keep();

 private:
  void RemoveStaging() noexcept;
  void BecomeTarget();

  std::string name_;  // as passed, for messages
  std::filesystem::path target_;
  std::filesystem::path staging_;
  bool targetExisted_ = false;
  bool done_ = false;
  TFileDescriptor lock_;      // held while the object lives
  TRemovalOnSignal removal_;  // the staging folder goes with a process ended by a signal
};

// A staging folder of a target that no process holds any more, locked now by its finder.
struct TAbandonedStagingFolder {
  std::filesystem::path path;
  TFileDescriptor lock;
};

// The folder as a plain path: a trailing separator and "." steps go.
std::filesystem::path PlainFolderPath(const std::string& name);

// True for the name of a staging folder of the target, whether or not anyone holds it.
bool IsStagingFolderNameOf(const std::string& name, const std::string& target);

// The staging folders of the target, inside it and beside it, that processes ended without
// removing them; those that a living process holds are not among them.
std::vector<TAbandonedStagingFolder> AbandonedStagingFolders(const std::string& target);

}  // namespace pm
