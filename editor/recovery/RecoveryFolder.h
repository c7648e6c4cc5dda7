// The folder where editors keep recovery copies of pages with unsaved changes:
// $XDG_STATE_HOME/mokepontasu-pagemaker/recovery, private to the user. Each copy is three files
// named by one stem, "recovery-<process>-<milliseconds>-<counter>": the page file "<stem>.pag",
// its record "<stem>.json" (RecoveryRecord.h) and its lock "<stem>.lock". The editor that keeps a
// copy holds its lock for as long as it runs; a copy whose lock no one holds was left by an
// editor that ended, and the next start offers it.
//
// Only files of that naming inside the folder are ever removed; what a record says is never
// taken for a path to remove.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/FileDescriptor.h"
#include "editor/recovery/RecoveryRecord.h"

namespace pm {

// $XDG_STATE_HOME/mokepontasu-pagemaker/recovery, or $HOME/.local/state/... when XDG_STATE_HOME
// is unset, empty or not absolute; empty when HOME isn't absolute either.
std::string RecoveryFolderPath();

// One copy: its stem, its record and, while this editor holds it, its lock.
struct TRecoveryCopy {
  std::string stem;
  TRecoveryRecord record;
  TFileDescriptor lock;
};

class TRecoveryFolder {
 public:
  explicit TRecoveryFolder(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  std::string PageFile(const std::string& stem) const;
  std::string RecordFile(const std::string& stem) const;
  std::string LockFile(const std::string& stem) const;

  // Creates the folder, and its missing parents, with permissions 0700; an existing folder keeps
  // only its owner's permissions. Fails with EFCreateError naming the folder when it can't be
  // made, or when it is something other than a folder of this user.
  void Create() const;

  // A copy of a stem that no other copy has, created and held; the caller writes its files.
  TRecoveryCopy NewCopy() const;
  // The copies that no running editor holds, newest first, each held now; at most
  // kMostCopiesFound. A record that can't be used is passed over and its files stay; a copy whose
  // page file is gone (its removal was cut off) is removed.
  std::vector<TRecoveryCopy> TakeUnheldCopies() const;

  // Writes the copy's record through the safe replacement.
  void WriteRecord(const TRecoveryCopy& copy) const;
  // The record of the stem, or nothing when it is missing, too large, not a regular file or not
  // a record as this editor writes it.
  std::optional<TRecoveryRecord> ReadRecord(const std::string& stem) const;

  // Removes the copy's page file, its record, what a cut-off write of either left behind, and
  // then its lock file, which the caller holds until it closes the descriptor.
  void Remove(const std::string& stem) const;

  static bool IsStem(const std::string& text);

 private:
  std::string path_;
};

inline constexpr size_t kMostCopiesFound = 100;

}  // namespace pm
