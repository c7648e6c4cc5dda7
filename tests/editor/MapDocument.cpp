#include "tests/editor/MapDocument.h"

#include <memory>

#include "page/Page.h"
#include "page/PageFile.h"
#include "tests/support/TestDocument.h"
#include "tests/support/TestPictures.h"

namespace pm::test {

namespace {

constexpr uint8_t kQuantisationTables = 0xDB;

void WriteUndecodablePage(const std::string& fileName) {
  auto background = std::make_unique<TJPEGImage>();
  LoadBytes(*background,
            WithoutSegments(EncodeWithHolder(GradientBitmap(64, 48)), kQuantisationTables));
  TPage page;
  page.SetBackgroundHolder(std::move(background));
  WritePageFile(page, fileName);
}

}  // namespace

std::string WriteMapDocument(const TempDir& dir) {
  WriteTestPage(dir.File("p1.pag"), {.width = 256,
                                     .height = 192,
                                     .links = {{0, Link(10, 10, 60, 60, 2)},
                                               {1, Link(70, 10, 120, 60, 2)},
                                               {2, Link(10, 70, 60, 120, 9)}},
                                     .seed = 1});
  WriteTestPage(dir.File("p2.pag"),
                {.width = 400,
                 .height = 300,
                 .links = {{0, Link(10, 10, 60, 60, 1)}, {1, Link(-1, -1, -1, -1, 6)}},
                 .seed = 2});
  WriteTestPage(dir.File("p3.pag"), {.links = {{0, Link(1, 1, 20, 20, 1)}}, .seed = 3});
  WriteFileBytes(dir.File("p4.pag"), {1, 2, 3});
  WriteUndecodablePage(dir.File("p5.pag"));
  WriteTestPage(dir.File("p6.pag"), {.seed = 6});
  return dir.File("p%d.pag");
}

std::string WriteLinkedDocument(const TempDir& dir, int pages, int links) {
  for (int page = 1; page <= pages; ++page) {
    TestPage written{.width = 32, .height = 24, .seed = page};
    for (int link = 0; link < links; ++link) {
      const int target = (page + link) % pages + 1;
      written.links.push_back({link, Link(link, 0, link + 1, 1, target)});
    }
    WriteTestPage(dir.File("q" + std::to_string(page) + ".pag"), written);
  }
  return dir.File("q%d.pag");
}

}  // namespace pm::test
