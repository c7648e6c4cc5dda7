#include "site/SiteFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/DeferredSignals.h"
#include "base/Exceptions.h"
#include "base/FileDescriptor.h"
#include "site/SiteMarker.h"
#include "site/SiteSurvey.h"
#include "site/SiteSwap.h"

namespace pm::site {

namespace fs = std::filesystem;

namespace {

constexpr mode_t kNewFileMode = 0666;

void WriteAll(int descriptor, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) RaiseWriteError();
    bytes += written;
    size -= static_cast<size_t>(written);
  }
}

// Pushes everything written on the folder's file system to the device at once: one call
// instead of one per file.
void MakeDurable(const fs::path& folder) {
  TFileDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!descriptor.IsOpen() || ::syncfs(descriptor.Get()) != 0) RaiseWriteError();
}

}  // namespace

TSiteFolder::TSiteFolder(const std::string& folder, const TDocument& document, bool force)
    : name_(folder), folder_(PlainFolderPath(folder)) {
  // Held until the staging folder is made and locked, so that no other site takes it for
  // abandoned.
  const TSiteFolderLock lock(folder_, name_);
  RecoverAbandonedSites(folder_, lock);
  const TSiteFolderSurvey survey = SurveyHeldSiteFolder(document, name_, folder_);
  if (!survey.foreignFiles.empty() && !force) RefuseForeignFiles(name_, survey.foreignFiles);
  staged_.emplace(folder);
}

void TSiteFolder::Write(const std::string& name, std::span<const uint8_t> bytes) {
  const fs::path path = PathOf(name);
  TFileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
  if (!file.IsOpen()) RaiseCannotCreateFile(path.string());
  WriteAll(file.Get(), bytes.data(), bytes.size());
  if (!file.Close()) RaiseWriteError();
  written_.push_back(name);
}

void TSiteFolder::Write(const std::string& name, std::string_view text) {
  Write(name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void TSiteFolder::Publish() {
  std::sort(written_.begin(), written_.end());
  Write(kSiteMarkerName, SiteMarkerText(written_));
  MakeDurable(staged_->Staging());
  if (!staged_->TargetExisted() && MoveStagingIntoPlace(staged_->Staging(), folder_, name_)) {
    staged_->Keep();
    return;
  }
  const TSiteFolderLock lock(folder_, name_);
  const TDeferredSignals deferred;
  staged_->Keep();
  SwapSiteInPlace(staged_->Staging(), folder_, name_, lock);
}

}  // namespace pm::site
