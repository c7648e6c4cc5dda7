// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace pm::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::vector<uint8_t> ReadFileBytes(const std::string& fileName);
// The names of the entries of a folder, in no particular order.
std::set<std::string> NamesIn(const std::filesystem::path& folder);
void WriteFileBytes(const std::string& fileName, const std::vector<uint8_t>& bytes);

}  // namespace pm::test
