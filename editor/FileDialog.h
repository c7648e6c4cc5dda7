// The file dialogs of the window. Each keeps the full path and the filter entry of its last
// confirmed choice and opens with them the next time; cancelling changes neither. They don't
// ask before overwriting, don't require the file or its folder to exist and append no
// extension: the name is used exactly as returned. A folder dialog shows folders only and
// returns an existing folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace pm {

enum class TFileDialogKind { Open, Save, Folder };

// What a dialog asks the person: its filter entries (description and pattern, as in
// "*.bmp|*.bmp|*.*|*.*"), the name and the filter entry (counted from 1) it opens with. A folder
// dialog has no filters; its name is the folder that it offers.
struct TFileDialogRequest {
  TFileDialogKind kind = TFileDialogKind::Open;
  std::vector<std::pair<std::string, std::string>> filters;
  std::string fileName;
  int filterIndex = 1;
};

struct TFileDialogAnswer {
  std::string fileName;  // a full path: of a file, or of the folder chosen
  int filterIndex = 1;
};

// The seam through which the dialogs reach the person; tests answer with paths of real files.
class FileDialogProvider {
 public:
  virtual ~FileDialogProvider() = default;
  // Nothing when the person cancels.
  virtual std::optional<TFileDialogAnswer> Ask(const TFileDialogRequest& request) = 0;

  // The instance in use: Qt's file dialog unless another one has been installed.
  static FileDialogProvider& Current();
  // Makes `provider` current (nullptr puts Qt's back) and returns the one it replaces. The caller
  // keeps ownership.
  static FileDialogProvider* Install(FileDialogProvider* provider);
};

class TFileDialog {
 public:
  // `filter` as "description|pattern|description|pattern".
  TFileDialog(TFileDialogKind kind, const std::string& filter);

  // Asks; true when a name was chosen, which FileName() then gives.
  bool Execute();
  const std::string& FileName() const { return fileName_; }
  int FilterIndex() const { return filterIndex_; }

 private:
  TFileDialogRequest Request() const;

  TFileDialogKind kind_;
  std::vector<std::pair<std::string, std::string>> filters_;
  std::string fileName_;
  int filterIndex_ = 1;
};

}  // namespace pm
