// check: every structural problem of a page file, and whether the editor can load it.
#include <algorithm>
#include <vector>

#include "base/ErrorText.h"
#include "base/Exceptions.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "tool/Commands.h"
#include "tool/PageFileContents.h"

namespace pm::tool {

namespace {

struct Extent {
  std::string name;
  int64_t begin;
  int64_t end;
};

std::vector<std::string> StreamProblems(const std::string& name, const StoredStream& stream,
                                        int64_t fileSize) {
  std::vector<std::string> problems;
  if (!stream.Stored()) return problems;
  if (stream.offset < 0 || stream.size < 0) {
    problems.push_back(name + ": negative offset or size (" + std::to_string(stream.offset) + ", " +
                       std::to_string(stream.size) + ")");
  } else if (!stream.inFile) {
    problems.push_back(name + ": bytes " + std::to_string(stream.offset) + " to " +
                       std::to_string(stream.End()) + " past the end of the file (" +
                       std::to_string(fileSize) + " bytes)");
  } else if (!stream.startsWithImageMarker) {
    problems.push_back(name + ": doesn't begin with a start-of-image marker");
  }
  return problems;
}

std::vector<std::string> OverlapProblems(std::vector<Extent> extents) {
  std::vector<std::string> problems;
  std::sort(extents.begin(), extents.end(),
            [](const Extent& a, const Extent& b) { return a.begin < b.begin; });
  for (size_t i = 0; i < extents.size(); ++i) {
    for (size_t j = i + 1; j < extents.size() && extents[j].begin < extents[i].end; ++j) {
      problems.push_back(extents[i].name + " and " + extents[j].name + " overlap");
    }
  }
  return problems;
}

std::vector<std::string> FindProblems(const PageFileContents& contents) {
  std::vector<std::string> problems;
  std::vector<Extent> extents;
  auto addStream = [&](const std::string& name, const StoredStream& stream) {
    const auto found = StreamProblems(name, stream, contents.fileSize);
    problems.insert(problems.end(), found.begin(), found.end());
    if (stream.inFile && stream.size > 0) {
      extents.push_back({name, stream.offset, stream.End()});
    }
  };
  addStream("background", contents.background);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    addStream("slot " + std::to_string(slot), contents.slots[slot]);
  }

  const int64_t tableEnd = int64_t{contents.linkTableOffset} + page_file::kLinkTableSize;
  if (contents.linkTableSize != page_file::kLinkTableSize) {
    problems.push_back("link table size is " + std::to_string(contents.linkTableSize) +
                       ", not 7168");
  }
  if (!contents.links) {
    problems.push_back("link table at " + std::to_string(contents.linkTableOffset) +
                       " lies outside the file");
  } else {
    extents.push_back({"the link table", contents.linkTableOffset, tableEnd});
    if (contents.fileSize > tableEnd) {
      problems.push_back(std::to_string(contents.fileSize - tableEnd) +
                         " bytes after the link table");
    }
  }
  extents.push_back({"the header", 0, page_file::kHeaderSize});
  const auto overlaps = OverlapProblems(std::move(extents));
  problems.insert(problems.end(), overlaps.begin(), overlaps.end());
  return problems;
}

}  // namespace

int RunCheck(ArgumentList& arguments, std::ostream& out) {
  const std::string input = arguments.Take("FILE.pag");
  arguments.ExpectDone();
  std::vector<std::string> problems = FindProblems(ReadPageFileContents(input));
  // The editor's own reading, with the decoding of the background and slot 0.
  try {
    TPage page;
    ReadPageFile(page, input, nullptr);
  } catch (const Exception& e) {
    problems.push_back("the editor can't load it: " + WithFullStop(e.Message()));
  }
  for (const auto& problem : problems) out << problem << "\n";
  if (problems.empty()) out << "no problems found\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace pm::tool
