#include "site/SiteFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "base/Exceptions.h"
#include "base/FileDescriptor.h"
#include "base/FileModes.h"

namespace pm::site {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarkerFirstLine = "pagetool site";
// A marker larger than this is none of ours: no site lists that many names.
constexpr uintmax_t kMaxMarkerSize = 64 << 20;
constexpr mode_t kNewFileMode = 0666;

// The names that the marker file of an earlier site lists; none when there is no such file.
std::set<std::string> ReadMarker(const fs::path& folder) {
  const fs::path marker = folder / kSiteMarkerName;
  std::error_code error;
  if (!fs::is_regular_file(marker, error) || fs::file_size(marker, error) > kMaxMarkerSize) {
    return {};
  }
  std::ifstream in(marker);
  std::string line;
  if (!std::getline(in, line) || line != kMarkerFirstLine) return {};
  std::set<std::string> names;
  while (std::getline(in, line)) {
    if (!line.empty()) names.insert(line);
  }
  return names;
}

// The names in the folder that aren't those of an earlier site, at most a few for a message.
std::vector<std::string> ForeignNames(const fs::path& folder, const std::set<std::string>& site,
                                      const std::string& name) {
  std::vector<std::string> foreign;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string file = entry->path().filename().string();
    if (file != kSiteMarkerName && !site.contains(file)) foreign.push_back(file);
  }
  if (error) RaiseCannotCreateFile(name);
  std::sort(foreign.begin(), foreign.end());
  return foreign;
}

std::string ListForMessage(const std::vector<std::string>& names) {
  constexpr size_t kNamesShown = 3;
  std::string list;
  for (size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    list += (i == 0 ? "" : ", ") + names[i];
  }
  if (names.size() > kNamesShown) list += ", ...";
  return list;
}

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

TSiteFolder::Survey TSiteFolder::SurveyFolder(const std::string& name, const fs::path& folder,
                                              const fs::path& documentFolder, bool force) {
  Survey survey;
  std::error_code error;
  if (!fs::is_directory(folder, error)) return survey;
  if (fs::equivalent(folder, documentFolder, error)) {
    throw Exception(name +
                    " is the folder of the document's pages: the site needs a folder of "
                    "its own");
  }
  survey.earlierSite = ReadMarker(folder);
  const auto foreign = ForeignNames(folder, survey.earlierSite, name);
  if (foreign.empty()) return survey;
  if (!force) {
    throw Exception(name + " holds files that pagetool site didn't write (" +
                    ListForMessage(foreign) + "); --force writes the site beside them");
  }
  survey.keepOthers = true;
  return survey;
}

TSiteFolder::TSiteFolder(const std::string& folder, const fs::path& documentFolder, bool force)
    : name_(folder),
      folder_(fs::path(folder).lexically_normal()),
      survey_(SurveyFolder(folder, folder_, documentFolder, force)),
      staged_(folder) {}

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
  std::string marker = std::string(kMarkerFirstLine) + "\n";
  for (const std::string& name : written_) marker += name + "\n";
  Write(kSiteMarkerName, marker);

  MakeDurable(PathOf("."));
  if (survey_.keepOthers) {
    staged_.MoveFilesIntoTarget();
    RemoveStaleFiles();
  } else {
    staged_.ReplaceTarget();
  }
  const fs::path parent = folder_.has_parent_path() ? folder_.parent_path() : fs::path(".");
  SyncFolder((survey_.keepOthers ? folder_ : parent).c_str());
}

void TSiteFolder::RemoveStaleFiles() {
  const std::set<std::string> current(written_.begin(), written_.end());
  for (const std::string& name : survey_.earlierSite) {
    const bool plainName = name != "." && name != ".." && name.find('/') == std::string::npos;
    if (current.contains(name) || !plainName) continue;
    std::error_code ignored;
    fs::remove(folder_ / name, ignored);
  }
}

}  // namespace pm::site
