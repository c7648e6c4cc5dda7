#include "site/SiteMarker.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "base/FileDescriptor.h"
#include "site/SiteLayout.h"

namespace pm::site {

namespace {

constexpr const char* kMarkerFirstLine = "pagetool site";
// A marker larger than this is none of ours: no site lists that many names.
constexpr off_t kMaxMarkerSize = 64 << 20;

// The whole content of a regular file of at most that size, which no symbolic link leads to.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file) {
  TFileDescriptor descriptor(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  if (!descriptor.IsOpen() || ::fstat(descriptor.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > kMaxMarkerSize) {
    return std::nullopt;
  }
  std::string content(static_cast<size_t>(status.st_size), '\0');
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t read = ::read(descriptor.Get(), content.data() + done, content.size() - done);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) break;
    done += static_cast<size_t>(read);
  }
  content.resize(done);
  return content;
}

}  // namespace

std::optional<std::set<std::string>> ReadSiteMarker(const std::filesystem::path& file) {
  const std::optional<std::string> content = ReadSmallFile(file);
  if (!content) return std::nullopt;
  std::istringstream in(*content);
  std::string line;
  if (!std::getline(in, line) || line != kMarkerFirstLine) return std::nullopt;
  std::set<std::string> names;
  while (std::getline(in, line)) {
    if (IsSiteFileName(line)) names.insert(line);
  }
  return names;
}

std::string SiteMarkerText(const std::vector<std::string>& names) {
  std::string text = std::string(kMarkerFirstLine) + "\n";
  for (const std::string& name : names) text += name + "\n";
  return text;
}

}  // namespace pm::site
