// new, edit and extract: the page file writer and the all-or-nothing reader of the editor.
#include <cstdio>

#include "base/IntegerText.h"
#include "page/PageFile.h"
#include "tool/Commands.h"
#include "tool/OutputFile.h"
#include "tool/PageEdits.h"

namespace pm::tool {

namespace {

constexpr const char* kLinksHeader = "index,left,top,right,bottom,link_page,reserved,bitmap\n";

std::string SlotFileName(int slot) {
  char name[16];
  std::snprintf(name, sizeof name, "slot%03d.jpg", slot);
  return name;
}

std::string LinksCsv(const TPage& page) {
  std::string csv = kLinksHeader;
  for (int link = 0; link < kLinkCount; ++link) {
    csv += IntToStr(link);
    for (int field = 0; field < kLinkFieldCount; ++field) {
      csv += ',' + IntToStr(page.Link(link).Field(static_cast<TLinkField>(field)));
    }
    csv += '\n';
  }
  return csv;
}

}  // namespace

int RunNew(ArgumentList& arguments, std::ostream&) {
  const std::string output = arguments.Take("OUT.pag");
  const auto edits = ParsePageEdits(arguments, false);
  TPage page;
  ApplyPageEdits(page, edits);
  WritePageFile(page, output);
  return 0;
}

int RunEdit(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("IN.pag");
  const std::string output = arguments.Take("OUT.pag");
  const auto edits = ParsePageEdits(arguments, true);
  TPage page;
  ReadPageFile(page, input, nullptr);
  ApplyPageEdits(page, edits);
  WritePageFile(page, output);
  return 0;
}

int RunExtract(ArgumentList& arguments, std::ostream& out) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string folderName = arguments.Take("DIR");
  arguments.ExpectDone();
  TPage page;
  ReadPageFile(page, input, nullptr);

  OutputFolder folder(folderName);
  int streams = 0;
  auto extract = [&](TJPEGImage& holder, const std::string& name) {
    if (holder.IsEmpty()) return;
    folder.Write(name, [&](TStream& stream) { holder.SaveJpeg(stream); });
    ++streams;
  };
  extract(page.BackgroundHolder(), "background.jpg");
  for (int slot = 0; slot < kSlotCount; ++slot) extract(page.SlotHolder(slot), SlotFileName(slot));
  const std::string csv = LinksCsv(page);
  folder.Write("links.csv", [&](TStream& stream) {
    stream.WriteBuffer(csv.data(), static_cast<int64_t>(csv.size()));
  });
  folder.Keep();
  out << streams << " streams and links.csv written to " << folderName << "\n";
  return 0;
}

}  // namespace pm::tool
