// Runs the built pagetool as a process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace pm::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

ProcessResult RunPagetool(const std::vector<std::string>& arguments);

}  // namespace pm::test
