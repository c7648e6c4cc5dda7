// A folder's worth of new files that appear all at once or not at all. The files are written into
// a new hidden staging folder on the target's file system and put in place only at the end;
// until then, and after any failure, the target folder and every file in it are as they were,
// and the staging folder goes with whatever it holds. A staging folder that a process ended by
// SIGKILL left is removed by the next staging of the same target.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

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
  // Removes the staging folder and everything in it, unless its content was put in place.
  ~TStagedFolder();
  TStagedFolder(const TStagedFolder&) = delete;
  TStagedFolder& operator=(const TStagedFolder&) = delete;

  // Where a staged file or folder of that name lies.
  std::filesystem::path PathOf(const std::string& name) const { return staging_ / name; }
  // Writes one staged file whole (see TFileReplacement).
  void Write(const std::string& name, const std::function<void(TStream&)>& write);

  // Moves every staged file into the target folder, replacing files of the same names; the other
  // files of the folder stay. A target that didn't exist becomes the staging folder itself.
  void MoveFilesIntoTarget();
  // Puts the staging folder in the target's place as a whole: a previous target folder and
  // everything in it go.
  void ReplaceTarget();

 private:
  void RemoveStaging() noexcept;
  void HoldStaging();
  void BecomeTarget();

  std::string name_;  // as passed, for messages
  std::filesystem::path target_;
  std::filesystem::path staging_;
  mode_t mode_ = 0;  // the permission bits of the folder that takes the target's place
  bool targetExisted_ = false;
  bool stagedInsideTarget_ = false;
  bool done_ = false;
  TRemovalOnSignal removal_;  // the staging folder goes with a process ended by a signal
  TFileDescriptor held_;      // the staging folder, locked while it is staged
};

}  // namespace pm
