#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "tool/Pagetool.h"

int main(int argc, char** argv) {
  // A write past a file size limit fails with an error instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return pm::tool::RunPagetool(arguments, std::cout, std::cerr);
}
