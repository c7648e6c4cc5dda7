#include "tests/support/FakeDot.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace pm::test {

FakeDot::FakeDot(const std::string& script) {
  const std::string program = dir_.File("dot");
  std::ofstream(program) << "#!/bin/sh\n" << script;
  if (::chmod(program.c_str(), 0755) != 0) throw std::runtime_error("cannot make " + program);
  const char* path = std::getenv("PATH");
  previousPath_ = path ? path : "";
  ::setenv("PATH", (dir_.Path().string() + ":" + previousPath_).c_str(), 1);
}

FakeDot::~FakeDot() { ::setenv("PATH", previousPath_.c_str(), 1); }

}  // namespace pm::test
