// The safe replacement of a file on save: the new content is written to a file beside the target
// and put in the target's place only when it is complete, so that a failed save leaves the
// target as it was and nothing behind.
//
// Where the file system allows, the new file has no name until the end (O_TMPFILE): a save that
// is ended at any moment, even by SIGKILL, leaves nothing behind, but for the instant between
// naming the new file and renaming it over an existing target. Elsewhere it is a hidden file with
// a temporary name, removed by every failure, and by SIGINT, SIGTERM and SIGHUP too. What a
// SIGKILL leaves of either is removed by the next save of the same target.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "base/FileDescriptor.h"
#include "base/FileStream.h"
#include "base/RemovalOnSignal.h"

namespace pm {

class TFileReplacement {
 public:
  enum class Temporary {
    Unnamed,  // without a name until the end where the file system allows, else Named
    Named,    // a hidden file with a temporary name from the start
  };

  // Fails with EFCreateError "ファイル %s を作成できません", the name as passed, when the target
  // can't be written: a read-only file, something other than a file, a file that someone else
  // holds, a missing or read-only folder, a loop of symbolic links. A symbolic link is followed
  // to the file it names, which is created when it doesn't exist.
  //
  // `heldLock`, when open, is a descriptor of the target that the caller has locked
  // exclusively (it read the file it now replaces): the replacement keeps that lock instead of
  // taking one of its own, so that no one else gets hold of the file between the caller's
  // reading and the end of the replacement. A descriptor of another file is just closed.
  //
  // Whatever a failure here has taken (descriptors, locks, the temporary file) is given back
  // before the failure leaves.
  explicit TFileReplacement(const std::string& fileName, TFileDescriptor heldLock = {},
                            Temporary temporary = Temporary::Unnamed);
  // Removes the temporary file unless the replacement was committed.
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // The new file, open for reading and writing and held exclusively.
  TFileStream& Stream() { return *temporary_; }
  // Pushes the content to the device, gives it the target's permission bits (a new file those
  // that the process's file mode mask allows) and puts it in the target's place. The lock on the
  // new file is kept until the object goes.
  void Commit();

  // The file that gets the new content: the name as passed, or where its symbolic links lead.
  const std::string& TargetPath() const { return targetPath_; }
  // The new file has no name (until Commit).
  bool IsUnnamed() const { return !temporaryName_.Listed(); }

 private:
  // A named file that is removed again when the object goes, unless it has been kept; listed
  // for removal on SIGINT, SIGTERM and SIGHUP meanwhile.
  class TemporaryName {
   public:
    TemporaryName() = default;
    // Takes the path over, listed by `removal`; nothing here can fail, so that a file that has
    // just been given the name is always owned.
    TemporaryName(std::string&& path, TRemovalOnSignal&& removal) noexcept;
    ~TemporaryName();
    TemporaryName(TemporaryName&& other) noexcept;
    TemporaryName& operator=(TemporaryName&& other) noexcept;
    const std::string& Path() const { return path_; }
    bool Listed() const { return !path_.empty(); }
    void Keep();

   private:
    std::string path_;
    TRemovalOnSignal removal_;
  };

  struct TargetStatus {
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
  };

  void LockExistingTarget(TFileDescriptor heldLock);
  void RemoveStaleTemporaryFiles() const noexcept;
  bool CreateUnnamedFile();
  void CreateNamedFile();
  void GiveTargetsPermissions(int descriptor);
  void NameUnnamedFile(int descriptor);
  void PutNamedFileInPlace();

  std::string fileName_;    // as passed, for messages
  std::string targetPath_;  // where the content goes: a symbolic link's target is replaced
  std::string folder_;      // the target's folder, where the new file lies too
  std::optional<TargetStatus> existingTarget_;
  TFileDescriptor targetLock_;  // holds an existing target exclusively until the end
  TemporaryName temporaryName_;
  std::optional<TFileStream> temporary_;
};

}  // namespace pm
