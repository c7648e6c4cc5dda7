// Output files that appear whole or not at all.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Stream.h"

namespace pm::tool {

// Writes the file through a temporary file beside it; a failure leaves no file behind and an
// earlier file of that name as it was.
void WriteOutputFile(const std::string& fileName, const std::function<void(TStream&)>& write);

// Files written one after the other into a folder; unless Keep() is called, the destructor
// removes them again, and the folder when it was made for them.
class OutputFolder {
 public:
  explicit OutputFolder(const std::string& folder);
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  void Write(const std::string& name, const std::function<void(TStream&)>& write);
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path folder_;
  bool created_ = false;
  bool keep_ = false;
  std::vector<std::filesystem::path> written_;
};

}  // namespace pm::tool
