// A stand-in for Graphviz's dot, first on the PATH while the object lives: a shell script that
// can be slow, greedy or meddlesome on purpose. The PATH keeps its other folders after it, so
// that the script finds the usual commands.
#pragma once

#include <string>

#include "tests/support/TempDir.h"

namespace pm::test {

class FakeDot {
 public:
  // `script` runs under /bin/sh with dot's arguments: $1 -Tsvg, $2 -o, $3 the SVG file, $4 the
  // graph file.
  explicit FakeDot(const std::string& script);
  ~FakeDot();
  FakeDot(const FakeDot&) = delete;
  FakeDot& operator=(const FakeDot&) = delete;

  // A file of the script's own folder, for what it reports (its process id, its limits).
  std::string File(const std::string& name) const { return dir_.File(name); }

 private:
  TempDir dir_;
  std::string previousPath_;
};

// What a fake dot writes for a drawn map.
inline constexpr const char* kFakeSvgScript =
    "printf '<svg xmlns=\"http://www.w3.org/2000/svg\"></svg>\\n' > \"$3\"\n";

}  // namespace pm::test
