// draw_example_pictures OUTDIR: draws the pictures of the sample document (a house of eight
// pages) into OUTDIR as BMP files, and lists in OUTDIR/house.txt what examples/build.sh makes of
// them with pagetool:
//
//   page NUMBER BACKGROUND
//   link PAGE LINK LEFT TOP RIGHT BOTTOM LINKPAGE SLOTPICTURE
//
// one page line for each page, then a line for each of its links; link N's slot picture goes
// into slot N of its page. The files are the same, byte for byte, on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/FileStream.h"
#include "examples/HouseScenes.h"
#include "examples/SlotPictures.h"

namespace pm::examples {
namespace {

constexpr const char* kListName = "house.txt";

void WriteBmp(TBitmap& picture, const std::filesystem::path& file) {
  TFileStream stream(file.string(), FileAccess::CreateExclusive);
  picture.SaveToStream(stream);
  stream.Close();
}

const TSamplePage* FindPage(const std::vector<TSamplePage>& pages, int32_t number) {
  for (const TSamplePage& page : pages) {
    if (page.number == number) return &page;
  }
  return nullptr;
}

void DrawInto(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::vector<TSamplePage> pages = DrawHouse();
  std::ofstream list(folder / kListName, std::ios::binary | std::ios::trunc);
  list << "# The sample house. page NUMBER BACKGROUND, then for each of its links:\n"
          "# link PAGE LINK LEFT TOP RIGHT BOTTOM LINKPAGE SLOTPICTURE (slot N for link N)\n";
  for (TSamplePage& page : pages) {
    const std::string name = "page" + std::to_string(page.number);
    WriteBmp(page.background, folder / (name + ".bmp"));
    list << "page " << page.number << ' ' << name << ".bmp\n";
    for (size_t i = 0; i < page.links.size(); ++i) {
      const TSampleLink& link = page.links[i];
      const std::string slotName = name + "-link" + std::to_string(i) + ".bmp";
      TBitmap slot = SlotPicture(page, link, FindPage(pages, link.target));
      WriteBmp(slot, folder / slotName);
      list << "link " << page.number << ' ' << i << ' ' << link.left << ' ' << link.top << ' '
           << link.right << ' ' << link.bottom << ' ' << link.target << ' ' << slotName << '\n';
    }
  }
  list.close();
  if (!list) throw std::runtime_error("can't write " + (folder / kListName).string());
}

}  // namespace
}  // namespace pm::examples

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  try {
    pm::examples::DrawInto(argv[1]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s: %s\n", argv[0], failure.what());
    return 1;
  }
  return 0;
}
