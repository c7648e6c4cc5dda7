// new, edit and extract: the page file writer and the all-or-nothing reader of the editor.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/Exceptions.h"
#include "base/IntegerText.h"
#include "base/StagedFolder.h"
#include "page/PageFile.h"
#include "tool/Commands.h"
#include "tool/PageEdits.h"
#include "tool/TerminalText.h"

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

// The folders above the output folder that don't exist yet are made; the output folder itself
// appears only with every file in it.
void MakeParentFolders(const std::string& folderName) {
  const std::filesystem::path parent =
      std::filesystem::path(folderName).lexically_normal().parent_path();
  std::error_code error;
  if (parent.empty() || std::filesystem::is_directory(parent, error)) return;
  std::filesystem::create_directories(parent, error);
  if (error) RaiseCannotCreateFile(folderName);
}

// The staging folders that killed extracts to the same folder left behind, with what they hold.
void RemoveAbandonedStaging(const std::string& folderName) {
  for (const TAbandonedStagingFolder& left : AbandonedStagingFolders(folderName)) {
    std::error_code ignored;
    std::filesystem::remove_all(left.path, ignored);
  }
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
  // IN stays locked from its reading to the end: when OUT is IN, however named, no other edit
  // can read it before the new content is in place, and none is lost.
  TFileStream file(input, FileAccess::ReadExclusive);
  TPage page;
  ReadPageFile(page, file, nullptr);
  ApplyPageEdits(page, edits);
  WritePageFile(page, output, file.TakeDescriptor());
  return 0;
}

int RunExtract(ArgumentList& arguments, std::ostream& out) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string folderName = arguments.Take("DIR");
  arguments.ExpectDone();
  TPage page;
  ReadPageFile(page, input, nullptr, {.access = FileAccess::ReadShared});

  // The files are written into a new folder and moved into DIR together at the end; a failure
  // on the way leaves DIR and the files in it as they were.
  MakeParentFolders(folderName);
  RemoveAbandonedStaging(folderName);
  TStagedFolder folder(folderName);
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
  folder.MoveFilesIntoTarget();
  out << streams << " streams and links.csv written to " << TerminalText(folderName) << "\n";
  return 0;
}

}  // namespace pm::tool
