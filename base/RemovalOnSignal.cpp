#include "base/RemovalOnSignal.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <mutex>

namespace pm {

namespace {

constexpr int kSignalCount = std::size(kRemovalSignals);
// Paths listed at once: a save lists one temporary file, a staged folder one folder and the
// file being written into it.
constexpr int kEntryCount = 64;
// Passes over a folder's entries; a pass that removes nothing ends the removal.
constexpr int kMaxFolderPasses = 16;
constexpr size_t kDirectoryBufferSize = 4096;

enum EntryState : int { kFree, kWriting, kListed };

struct Entry {
  std::atomic<int> state{kFree};
  TRemovalOnSignal::Kind kind = TRemovalOnSignal::Kind::File;
  char path[PATH_MAX] = {};
};

Entry gEntries[kEntryCount];
struct sigaction gPreviousActions[kSignalCount];
std::once_flag gHandlersInstalled;

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes the files in the open folder, by system calls alone.
void RemoveFolderContents(int folder) {
  alignas(dirent64) char buffer[kDirectoryBufferSize];
  for (int pass = 0; pass < kMaxFolderPasses; ++pass) {
    bool removed = false;
    ::lseek(folder, 0, SEEK_SET);
    ssize_t length = 0;
    while ((length = ::getdents64(folder, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < length;) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
        if (!IsDotOrDotDot(entry->d_name) && ::unlinkat(folder, entry->d_name, 0) == 0) {
          removed = true;
        }
        at += entry->d_reclen;
      }
    }
    if (!removed) return;
  }
}

void RemoveListedPaths(TRemovalOnSignal::Kind kind) {
  for (Entry& entry : gEntries) {
    if (entry.state.load(std::memory_order_acquire) != kListed || entry.kind != kind) continue;
    if (kind == TRemovalOnSignal::Kind::File) {
      ::unlink(entry.path);
      continue;
    }
    const int folder = ::open(entry.path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) continue;
    RemoveFolderContents(folder);
    ::close(folder);
    ::rmdir(entry.path);
  }
}

int SignalIndex(int signal) {
  for (int i = 0; i < kSignalCount; ++i) {
    if (kRemovalSignals[i] == signal) return i;
  }
  return -1;
}

void RemoveAndPassOn(int signal, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  RemoveListedPaths(TRemovalOnSignal::Kind::File);
  RemoveListedPaths(TRemovalOnSignal::Kind::Folder);
  const int index = SignalIndex(signal);
  const struct sigaction& previous = gPreviousActions[index < 0 ? 0 : index];
  if (index >= 0 && (previous.sa_flags & SA_SIGINFO) != 0) {
    previous.sa_sigaction(signal, info, context);
  } else if (index >= 0 && previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
  } else {
    // The signal is blocked while its handler runs: raised again under the default action, it
    // ends the process as soon as the handler returns.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    ::sigemptyset(&defaultAction.sa_mask);
    ::sigaction(signal, &defaultAction, nullptr);
    ::raise(signal);
  }
  errno = savedErrno;
}

void InstallHandlers() {
  for (int i = 0; i < kSignalCount; ++i) {
    if (::sigaction(kRemovalSignals[i], nullptr, &gPreviousActions[i]) != 0) continue;
    if ((gPreviousActions[i].sa_flags & SA_SIGINFO) == 0 &&
        gPreviousActions[i].sa_handler == SIG_IGN) {
      continue;
    }
    struct sigaction action {};
    action.sa_sigaction = RemoveAndPassOn;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    ::sigfillset(&action.sa_mask);
    ::sigaction(kRemovalSignals[i], &action, nullptr);
  }
}

}  // namespace

TRemovalOnSignal::TRemovalOnSignal(const std::string& path, Kind kind) noexcept {
  if (path.empty() || path.size() >= PATH_MAX) return;
  try {
    std::call_once(gHandlersInstalled, InstallHandlers);
  } catch (...) {
    return;  // the threads library refused: nothing is listed
  }
  for (int i = 0; i < kEntryCount; ++i) {
    int expected = kFree;
    if (!gEntries[i].state.compare_exchange_strong(expected, kWriting)) continue;
    std::memcpy(gEntries[i].path, path.c_str(), path.size() + 1);
    gEntries[i].kind = kind;
    gEntries[i].state.store(kListed, std::memory_order_release);
    entry_ = i;
    return;
  }
}

TRemovalOnSignal::~TRemovalOnSignal() { Unlist(); }

TRemovalOnSignal::TRemovalOnSignal(TRemovalOnSignal&& other) noexcept : entry_(other.entry_) {
  other.entry_ = -1;
}

TRemovalOnSignal& TRemovalOnSignal::operator=(TRemovalOnSignal&& other) noexcept {
  if (this != &other) {
    Unlist();
    entry_ = other.entry_;
    other.entry_ = -1;
  }
  return *this;
}

void TRemovalOnSignal::Unlist() noexcept {
  if (entry_ < 0) return;
  gEntries[entry_].state.store(kFree, std::memory_order_release);
  entry_ = -1;
}

}  // namespace pm
