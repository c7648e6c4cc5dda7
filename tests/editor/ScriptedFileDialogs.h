// File dialogs that answer from a script instead of asking a person, installed for the lifetime
// of the object. Every request is recorded as the dialog made it; each is answered with the next
// queued answer: the path of a real file with a filter entry, or a cancel.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/FileDialog.h"

namespace pm::test {

class ScriptedFileDialogs : public FileDialogProvider {
 public:
  // What one dialog asked with; `filter` joined back as "description|pattern|...".
  struct Request {
    TFileDialogKind kind = TFileDialogKind::Open;
    std::string filter;
    std::string fileName;
    int filterIndex = 0;
    friend bool operator==(const Request&, const Request&) = default;
  };

  ScriptedFileDialogs() : previous_(FileDialogProvider::Install(this)) {}
  ~ScriptedFileDialogs() override {
    FileDialogProvider::Install(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answers were never asked for";
  }
  ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
  ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

  // The next dialog confirms `fileName` with the filter entry `filterIndex` (counted from 1).
  void Answer(const std::string& fileName, int filterIndex = 1) {
    answers_.push_back(TFileDialogAnswer{fileName, filterIndex});
  }
  // The next dialog is cancelled.
  void Cancel() { answers_.push_back(std::nullopt); }

  std::optional<TFileDialogAnswer> Ask(const TFileDialogRequest& request) override {
    requests.push_back(
        Request{request.kind, JoinedFilter(request), request.fileName, request.filterIndex});
    if (answers_.empty()) {
      ADD_FAILURE() << "a file dialog was opened with no answer scripted";
      return std::nullopt;
    }
    const std::optional<TFileDialogAnswer> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<Request> requests;

 private:
  static std::string JoinedFilter(const TFileDialogRequest& request) {
    std::string joined;
    for (const auto& [description, pattern] : request.filters) {
      if (!joined.empty()) joined += '|';
      joined += description + '|' + pattern;
    }
    return joined;
  }

  std::deque<std::optional<TFileDialogAnswer>> answers_;
  FileDialogProvider* previous_;
};

inline void PrintTo(const ScriptedFileDialogs::Request& request, std::ostream* out) {
  constexpr const char* kKindNames[] = {"Open", "Save", "Folder"};
  *out << "{" << kKindNames[static_cast<int>(request.kind)] << ", \"" << request.filter << "\", \""
       << request.fileName << "\", " << request.filterIndex << "}";
}

}  // namespace pm::test
