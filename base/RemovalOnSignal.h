// Temporary files and folders that go with the process when SIGINT, SIGTERM or SIGHUP ends it
// (Ctrl-C, a plain kill, a closed terminal). While an object of this class lives, its path is
// listed; the handler removes every listed path, a folder with the files in it, and then lets
// the signal take its course: a handler that was there before runs, otherwise the default
// action ends the process. A signal that was ignored when the first path was listed stays
// ignored. The handler does only what is safe inside a signal handler: system calls on paths
// written down beforehand.
//
// Nothing can remove a file when SIGKILL ends the process; what must not stay behind even then
// is best never named at all (see TFileReplacement).
#pragma once

#include <csignal>
#include <string>

namespace pm {

// The signals on which the listed paths are removed.
inline constexpr int kRemovalSignals[] = {SIGINT, SIGTERM, SIGHUP};

class TRemovalOnSignal {
 public:
  enum class Kind {
    File,
    Folder,  // with the files in it; folders within it are left
  };

  TRemovalOnSignal() = default;
  // Lists the path. A path longer than PATH_MAX, or more paths at once than the list holds,
  // are not listed: the object then does nothing.
  TRemovalOnSignal(const std::string& path, Kind kind) noexcept;
  // Takes the path off the list; it is not removed.
  ~TRemovalOnSignal();
  TRemovalOnSignal(TRemovalOnSignal&& other) noexcept;
  TRemovalOnSignal& operator=(TRemovalOnSignal&& other) noexcept;
  TRemovalOnSignal(const TRemovalOnSignal&) = delete;
  TRemovalOnSignal& operator=(const TRemovalOnSignal&) = delete;

  bool Listed() const { return entry_ >= 0; }

 private:
  void Unlist() noexcept;

  int entry_ = -1;
};

}  // namespace pm
