// The safe replacement of a file on save: the new content is written to a temporary file beside
// the target and put in the target's place only when it is complete, so that a failed save
// leaves the target as it was and no temporary file behind.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include "base/FileStream.h"

namespace pm {

class TFileReplacement {
 public:
  // Fails with EFCreateError "ファイル %s を作成できません", the name as passed, when the target
  // can't be written: a read-only file, something other than a file, a file that this program
  // holds open, a missing or read-only folder.
  explicit TFileReplacement(const std::string& fileName);
  // Removes the temporary file unless the replacement was committed.
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // The temporary file, open for reading and writing and held exclusively.
  TFileStream& Stream() { return *temporary_; }
  // Pushes the content to the device, gives it the target's permission bits (a new file those
  // that the process's file mode mask allows) and puts it in the target's place.
  void Commit();

 private:
  std::string fileName_;    // as passed, for messages
  std::string targetPath_;  // where the content goes: a symbolic link's target is replaced
  std::string temporaryPath_;
  std::unique_ptr<TFileStream> temporary_;
  int targetLock_ = -1;  // holds an existing target exclusively until the end
  bool targetExisted_ = false;
  mode_t targetMode_ = 0;
  uid_t targetOwner_ = 0;
  gid_t targetGroup_ = 0;
  bool committed_ = false;
};

}  // namespace pm
