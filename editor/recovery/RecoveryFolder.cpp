#include "editor/recovery/RecoveryFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/Exceptions.h"
#include "base/FileModes.h"
#include "base/FileReplacement.h"
#include "base/TemporaryNames.h"

namespace pm {

namespace {

constexpr const char* kProgramFolder = "mokepontasu-pagemaker";
constexpr const char* kRecoveryFolder = "recovery";
constexpr const char* kStateUnderHome = ".local/state";
constexpr const char* kStemPrefix = "recovery-";
constexpr int kStemNumbers = 3;  // process, milliseconds, counter
constexpr size_t kLongestStemNumber = 20;
constexpr const char* kPageExtension = ".pag";
constexpr const char* kRecordExtension = ".json";
constexpr const char* kLockExtension = ".lock";
constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kPrivateFileMode = 0600;
constexpr mode_t kOthersBits = 0077;
// Stems tried for a new copy before giving up; another one exists only after a clash of
// process numbers within the same millisecond.
constexpr int kNewStemAttempts = 16;

std::atomic<uint64_t> copyCounter{0};

int64_t NowMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::string NewStem() {
  return kStemPrefix + std::to_string(::getpid()) + "-" + std::to_string(NowMilliseconds()) + "-" +
         std::to_string(copyCounter++);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Opens a file of the folder without following a symbolic link or waiting on a pipe; only a
// regular file is kept.
TFileDescriptor OpenRegularFile(const std::string& path, int flags, mode_t mode = 0) {
  TFileDescriptor file(::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, mode));
  struct stat status {};
  if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return file;
}

// The lock of a copy, taken without waiting: an open descriptor when this editor holds it now.
TFileDescriptor TakeLock(const std::string& path, int createFlags) {
  TFileDescriptor lock = OpenRegularFile(path, O_RDWR | createFlags, kPrivateFileMode);
  if (!lock.IsOpen() || !lock.TryLock(TFileLock::Exclusive) || !lock.IsNamedBy(path)) return {};
  return lock;
}

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Makes one folder with permissions 0700 unless it exists.
void MakePrivateFolder(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0) return;
  if (::mkdir(path.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
    RaiseCannotCreateFile(path);
  }
}

// The names of the folder's entries; none when it can't be read.
std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  return names;
}

// The folder is a real folder of this user, open to no one else.
void KeepPrivate(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
      status.st_uid != ::getuid()) {
    RaiseCannotCreateFile(path);
  }
  if ((status.st_mode & kOthersBits) != 0 &&
      ::chmod(path.c_str(), status.st_mode & kPrivateFolderMode) != 0) {
    RaiseCannotCreateFile(path);
  }
}

struct FoundRecord {
  std::string stem;
  TRecoveryRecord record;
};

}  // namespace

std::string RecoveryFolderPath() {
  std::filesystem::path state;
  const char* stateHome = std::getenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  if (stateHome != nullptr && stateHome[0] == '/') {
    state = stateHome;
  } else if (home != nullptr && home[0] == '/') {
    state = std::filesystem::path(home) / kStateUnderHome;
  } else {
    return {};
  }
  return (state / kProgramFolder / kRecoveryFolder).string();
}

std::string TRecoveryFolder::PageFile(const std::string& stem) const {
  return path_ + "/" + stem + kPageExtension;
}

std::string TRecoveryFolder::RecordFile(const std::string& stem) const {
  return path_ + "/" + stem + kRecordExtension;
}

std::string TRecoveryFolder::LockFile(const std::string& stem) const {
  return path_ + "/" + stem + kLockExtension;
}

bool TRecoveryFolder::IsStem(const std::string& text) {
  const std::string prefix = kStemPrefix;
  if (!text.starts_with(prefix)) return false;
  int numbers = 0;
  size_t digits = 0;
  for (size_t i = prefix.size(); i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '-') {
      if (digits == 0) return false;
      ++numbers;
      digits = 0;
    } else if (text[i] >= '0' && text[i] <= '9' && digits < kLongestStemNumber) {
      ++digits;
    } else {
      return false;
    }
  }
  return numbers == kStemNumbers;
}

void TRecoveryFolder::Create() const {
  if (path_.empty() || path_.front() != '/') RaiseCannotCreateFile(path_);
  // Every missing folder on the way is made private to the user.
  std::filesystem::path partial;
  for (const auto& part : std::filesystem::path(path_)) {
    partial /= part;
    if (partial.string() != "/") MakePrivateFolder(partial.string());
  }
  KeepPrivate(path_);
}

TRecoveryCopy TRecoveryFolder::NewCopy() const {
  for (int attempt = 0; attempt < kNewStemAttempts; ++attempt) {
    TRecoveryCopy copy{.stem = NewStem(), .record = {}, .lock = {}};
    copy.lock = TakeLock(LockFile(copy.stem), O_CREAT | O_EXCL);
    if (copy.lock.IsOpen()) return copy;
    if (errno != EEXIST) break;
  }
  RaiseCannotCreateFile(path_);
}

std::vector<TRecoveryCopy> TRecoveryFolder::TakeUnheldCopies() const {
  std::vector<FoundRecord> found;
  for (const std::string& name : NamesIn(path_)) {
    if (!EndsWith(name, kRecordExtension)) continue;
    const std::string stem = name.substr(0, name.size() - std::string(kRecordExtension).size());
    if (!IsStem(stem)) continue;
    if (auto record = ReadRecord(stem)) found.push_back({stem, std::move(*record)});
  }
  std::sort(found.begin(), found.end(), [](const FoundRecord& a, const FoundRecord& b) {
    return a.record.writtenAt > b.record.writtenAt;
  });

  std::vector<TRecoveryCopy> copies;
  for (FoundRecord& candidate : found) {
    if (copies.size() == kMostCopiesFound) break;
    TRecoveryCopy copy{
        .stem = candidate.stem, .record = {}, .lock = TakeLock(LockFile(candidate.stem), O_CREAT)};
    if (!copy.lock.IsOpen()) continue;  // a running editor holds it
    // Read again now that it is held: the editor that held it may have rewritten or removed it.
    std::optional<TRecoveryRecord> record = ReadRecord(copy.stem);
    if (!IsRegularFile(PageFile(copy.stem))) {
      Remove(copy.stem);
      continue;
    }
    if (!record) continue;
    copy.record = std::move(*record);
    copies.push_back(std::move(copy));
  }
  return copies;
}

void TRecoveryFolder::WriteRecord(const TRecoveryCopy& copy) const {
  const QByteArray bytes = EncodeRecoveryRecord(copy.record);
  TFileReplacement replacement(RecordFile(copy.stem));
  replacement.Stream().WriteBuffer(bytes.constData(), bytes.size());
  replacement.Commit();
}

std::optional<TRecoveryRecord> TRecoveryFolder::ReadRecord(const std::string& stem) const {
  const TFileDescriptor file = OpenRegularFile(RecordFile(stem), O_RDONLY);
  if (!file.IsOpen()) return std::nullopt;
  // One byte more than a record may have tells a larger file.
  QByteArray bytes(kLargestRecoveryRecord + 1, '\0');
  qsizetype filled = 0;
  while (filled < bytes.size()) {
    const ssize_t count = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    if (count == 0) break;
    filled += count;
  }
  if (filled > kLargestRecoveryRecord) return std::nullopt;
  bytes.truncate(filled);
  return DecodeRecoveryRecord(bytes);
}

void TRecoveryFolder::Remove(const std::string& stem) const {
  const std::string pageName = stem + kPageExtension;
  const std::string recordName = stem + kRecordExtension;
  ::unlink(PageFile(stem).c_str());
  ::unlink(RecordFile(stem).c_str());
  for (const std::string& name : NamesIn(path_)) {
    if (IsHiddenTemporaryNameOf(name, pageName) || IsHiddenTemporaryNameOf(name, recordName)) {
      ::unlink((path_ + "/" + name).c_str());
    }
  }
  ::unlink(LockFile(stem).c_str());
  SyncFolder(path_.c_str());
}

}  // namespace pm
