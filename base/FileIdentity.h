// What tells one state of a file on disk from another: the file itself (device and inode), its
// size and the time its content last changed. A file that another program rewrote, replaced or
// touched since has another identity.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pm {

struct TFileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedSeconds = 0;
  int64_t modifiedNanoseconds = 0;

  friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

// The identity of the file that the path names now (symbolic links followed), or nothing when
// no such file can be looked at.
std::optional<TFileIdentity> FileIdentityOf(const std::string& path);
// The identity of an open file.
std::optional<TFileIdentity> FileIdentityOf(int descriptor);

}  // namespace pm
