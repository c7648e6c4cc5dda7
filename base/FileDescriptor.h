// An open file descriptor that one object owns: closing it also releases every lock that was
// taken through it, so whoever holds the object holds the lock, and every path out of a failed
// operation gives both back.
#pragma once

#include <string>

namespace pm {

enum class TFileLock {
  Shared,     // others may read beside us, no one may hold it exclusively
  Exclusive,  // no one else may hold any lock on the file
};

class TFileDescriptor {
 public:
  TFileDescriptor() = default;
  explicit TFileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~TFileDescriptor() { Reset(); }
  TFileDescriptor(TFileDescriptor&& other) noexcept : descriptor_(other.Release()) {}
  TFileDescriptor& operator=(TFileDescriptor&& other) noexcept;
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  int Get() const { return descriptor_; }
  // Gives up ownership without closing.
  int Release();
  // Closes now; false when the system reports that written data was lost.
  bool Close();
  // Takes the lock without waiting; false when another holder is in the way.
  bool TryLock(TFileLock lock);
  // True while `path` names the file that is open here (the same device and inode). A lock is
  // only worth what this says after it was taken: a file renamed over the path meanwhile is
  // another file, and the lock protects nothing there.
  bool IsNamedBy(const std::string& path) const;

 private:
  void Reset();

  int descriptor_ = -1;
};

}  // namespace pm
