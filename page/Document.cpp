#include "page/Document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "page/DocumentErrors.h"

namespace pm {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void RaiseUnreadableFolder(const fs::path& folder, const std::error_code& error) {
  throw EInvalidDocument("the folder " + folder.string() + " can't be read: " + error.message());
}

// A page is a file, or a symbolic link to one; a folder or a device of a page's name is none.
bool IsFile(const fs::directory_entry& entry) {
  std::error_code ignored;
  return entry.is_regular_file(ignored);
}

}  // namespace

TDocument::TDocument(const std::string& pattern, std::optional<int32_t> start) : pattern_(pattern) {
  const fs::path folder = pattern_.Folder();
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) RaiseUnreadableFolder(folder, error);
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    if (error) RaiseUnreadableFolder(folder, error);
    if (!IsFile(*entries)) continue;
    const auto number = pattern_.PageNumber(entries->path().filename().string());
    if (number) pages_.push_back({*number, pattern_.FileName(*number)});
  }
  if (error) RaiseUnreadableFolder(folder, error);
  if (pages_.empty()) {
    throw EInvalidDocument("no page file matches " + pattern_.Text());
  }
  std::sort(
      pages_.begin(), pages_.end(),
      [](const TDocumentPageFile& a, const TDocumentPageFile& b) { return a.number < b.number; });
  start_ = start.value_or(pages_.front().number);
  if (!HasPage(start_)) {
    std::string message = "the start page " + std::to_string(start_) + " has no file";
    if (start_ >= 0) message += " (" + pattern_.FileName(start_) + ")";
    throw EInvalidDocument(message);
  }
}

const TDocumentPageFile* TDocument::Find(int32_t number) const {
  const auto found = std::lower_bound(
      pages_.begin(), pages_.end(), number,
      [](const TDocumentPageFile& page, int32_t wanted) { return page.number < wanted; });
  return found != pages_.end() && found->number == number ? &*found : nullptr;
}

}  // namespace pm
