#include "tool/OutputFile.h"

#include "base/Exceptions.h"
#include "base/FileReplacement.h"

namespace pm::tool {

void WriteOutputFile(const std::string& fileName, const std::function<void(TStream&)>& write) {
  TFileReplacement replacement(fileName);
  write(replacement.Stream());
  replacement.Commit();
}

OutputFolder::OutputFolder(const std::string& folder) : folder_(folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder_, error)) {
    created_ = std::filesystem::create_directories(folder_, error);
    if (error || !created_) RaiseCannotCreateFile(folder);
  }
}

OutputFolder::~OutputFolder() {
  if (keep_) return;
  std::error_code ignored;
  for (const auto& file : written_) std::filesystem::remove(file, ignored);
  if (created_) std::filesystem::remove(folder_, ignored);
}

void OutputFolder::Write(const std::string& name, const std::function<void(TStream&)>& write) {
  const std::filesystem::path file = folder_ / name;
  WriteOutputFile(file.string(), write);
  written_.push_back(file);
}

}  // namespace pm::tool
