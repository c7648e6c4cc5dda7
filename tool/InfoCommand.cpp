// info: the header entries, what each stored stream's header says, the link table and the links
// that differ from their initial values, as text or as one JSON object.
#include <nlohmann/json.hpp>

#include "tool/Commands.h"
#include "tool/PageFileContents.h"

namespace pm::tool {

namespace {

using nlohmann::json;

json StreamJson(const StoredStream& stream) {
  if (!stream.Stored()) return nullptr;
  json entry = {{"offset", stream.offset}, {"size", stream.size}};
  if (stream.header) {
    entry["width"] = stream.header->width;
    entry["height"] = stream.header->height;
    entry["components"] = stream.header->components;
    entry["progressive"] = stream.header->progressive;
  } else {
    entry["width"] = entry["height"] = entry["components"] = entry["progressive"] = nullptr;
    entry["error"] = stream.inFile ? stream.headerError : "past the end of the file";
  }
  return entry;
}

json LinkJson(const TLinkRecord& link) {
  return {{"left", link.Left},          {"top", link.Top},
          {"right", link.Right},        {"bottom", link.Bottom},
          {"link_page", link.LinkPage}, {"reserved", link.Reserved},
          {"bitmap", link.Bitmap}};
}

json ContentsJson(const PageFileContents& contents) {
  json result;
  result["file_size"] = contents.fileSize;
  result["background"] = StreamJson(contents.background);
  result["slots"] = json::array();
  for (const auto& slot : contents.slots) result["slots"].push_back(StreamJson(slot));
  result["link_table"] = {{"offset", contents.linkTableOffset}, {"size", contents.linkTableSize}};
  if (contents.links) {
    result["links"] = json::array();
    for (const auto& link : *contents.links) result["links"].push_back(LinkJson(link));
  } else {
    result["links"] = nullptr;
  }
  return result;
}

void PrintStream(std::ostream& out, const std::string& name, const StoredStream& stream) {
  out << name << ": offset " << stream.offset << ", size " << stream.size;
  if (stream.header) {
    out << ", " << stream.header->width << " x " << stream.header->height << ", "
        << stream.header->components
        << (stream.header->components == 1 ? " component" : " components")
        << (stream.header->progressive ? ", progressive" : ", sequential");
  } else {
    out << ", " << (stream.inFile ? stream.headerError : "past the end of the file");
  }
  out << "\n";
}

void PrintText(std::ostream& out, const PageFileContents& contents) {
  out << "file size: " << contents.fileSize << "\n";
  if (contents.background.Stored()) {
    PrintStream(out, "background", contents.background);
  } else {
    out << "background: none\n";
  }
  int empty = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (contents.slots[slot].Stored()) {
      PrintStream(out, "slot " + std::to_string(slot), contents.slots[slot]);
    } else {
      ++empty;
    }
  }
  out << "empty slots: " << empty << "\n";
  out << "link table: offset " << contents.linkTableOffset << ", size " << contents.linkTableSize
      << "\n";
  if (!contents.links) {
    out << "links: past the end of the file\n";
    return;
  }
  for (int i = 0; i < kLinkCount; ++i) {
    const TLinkRecord& link = (*contents.links)[i];
    if (link == TLinkRecord()) continue;
    out << "link " << i << ": left " << link.Left << ", top " << link.Top << ", right "
        << link.Right << ", bottom " << link.Bottom << ", link page " << link.LinkPage
        << ", reserved " << link.Reserved << ", bitmap " << link.Bitmap << "\n";
  }
}

}  // namespace

int RunInfo(ArgumentList& arguments, std::ostream& out) {
  const std::string input = arguments.Take("FILE.pag");
  bool asJson = false;
  if (!arguments.Done() && arguments.Peek() == "--json") {
    arguments.Take("--json");
    asJson = true;
  }
  arguments.ExpectDone();
  const PageFileContents contents = ReadPageFileContents(input);
  if (asJson) {
    out << ContentsJson(contents).dump(2) << "\n";
  } else {
    PrintText(out, contents);
  }
  return 0;
}

}  // namespace pm::tool
