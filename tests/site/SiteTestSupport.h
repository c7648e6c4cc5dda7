// What the tests of the site library share: a small document in a temporary folder, and the
// reading of what a site wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "page/Document.h"
#include "site/SiteWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDocument.h"

namespace pm::test {

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

class SiteTest : public ::testing::Test {
 protected:
  std::string PageFile(int32_t number) const {
    return dir_.File("pages/p" + std::to_string(number) + ".pag");
  }
  std::string Pattern() const { return dir_.File("pages/p%d.pag"); }
  std::filesystem::path Out(const std::string& name = "site") const { return dir_.Path() / name; }

  // Page 1 leads to pages 2 and 3, showing slot 4 on the way to 2; page 2 leads back; pages 3 and
  // 4 have no links.
  void WriteDocument() {
    std::filesystem::create_directories(dir_.File("pages"));
    WriteTestPage(
        PageFile(1),
        {.slots = {4}, .links = {{0, Link(8, 6, 40, 30, 2, 4)}, {2, Link(1, 1, 9, 9, 3)}}});
    WriteTestPage(PageFile(2), {.links = {{1, Link(1, 1, 20, 20, 1)}}, .seed = 2});
    WriteTestPage(PageFile(3), {.seed = 3});
    WriteTestPage(PageFile(4), {.seed = 4});
  }

  // The site of the document as it is now, drawn without dot unless `drawMap`.
  site::TSiteReport Site(const std::filesystem::path& folder, site::TSiteOptions options = {}) {
    return site::WriteSite(TDocument(Pattern()), folder.string(), options);
  }

  TempDir dir_;
};

inline site::TSiteOptions Forced() { return {.force = true, .drawMap = false}; }
inline site::TSiteOptions Listed() { return {.drawMap = false}; }

}  // namespace pm::test
