// The safe replacement of a file on save: the new content is written to a temporary file beside
// the target and put in the target's place only when it is complete, so that a failed save
// leaves the target as it was and no temporary file behind.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "base/FileDescriptor.h"
#include "base/FileStream.h"

namespace pm {

class TFileReplacement {
 public:
  // Fails with EFCreateError "ファイル %s を作成できません", the name as passed, when the target
  // can't be written: a read-only file, something other than a file, a file that this program
  // holds open, a missing or read-only folder. Whatever a failure here has taken (descriptors,
  // locks, the temporary file) is given back before the failure leaves.
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
  // A named file that is removed again when the object goes, unless it has been kept.
  class TemporaryName {
   public:
    TemporaryName() = default;
    explicit TemporaryName(std::string path) : path_(std::move(path)) {}
    ~TemporaryName();
    TemporaryName(TemporaryName&& other) noexcept;
    TemporaryName& operator=(TemporaryName&& other) noexcept;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

   private:
    std::string path_;
  };

  struct TargetStatus {
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
  };

  void LockExistingTarget();
  void CreateTemporaryFile();

  std::string fileName_;    // as passed, for messages
  std::string targetPath_;  // where the content goes: a symbolic link's target is replaced
  std::string folder_;      // the target's folder, where the temporary file lies too
  std::optional<TargetStatus> existingTarget_;
  TFileDescriptor targetLock_;  // holds an existing target exclusively until the end
  TemporaryName temporaryName_;
  std::optional<TFileStream> temporary_;
};

}  // namespace pm
