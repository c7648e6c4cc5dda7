#include "tool/OutputFile.h"

#include "base/FileReplacement.h"

namespace pm::tool {

void WriteOutputFile(const std::string& fileName, const std::function<void(TStream&)>& write) {
  TFileReplacement replacement(fileName);
  write(replacement.Stream());
  replacement.Commit();
}

}  // namespace pm::tool
