// pagetool: page files from the command line, through the editor's own paths.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace pm::tool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs the command that the arguments (without the program's name) give. A failure prints the
// text that the editor's error box would show on `err` and gives 1; a usage error prints the
// usage and gives 2.
int RunPagetool(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace pm::tool
