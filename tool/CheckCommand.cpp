// check: every structural problem of a page file, and whether the editor can load it.
#include <algorithm>
#include <vector>

#include "base/Exceptions.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "tool/Commands.h"
#include "tool/PageFileContents.h"
#include "tool/TerminalText.h"

namespace pm::tool {

namespace {

// "a", "a and b", "a, b and c".
std::string JoinedList(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
    text += items[i];
  }
  return text;
}

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

// Overlapping pairs listed one a line; more make one line for their group.
constexpr size_t kMostPairLines = 8;

// Where one part of the file lies. The parts are named in a fixed order: the header, the
// background, the slots by number, the link table.
struct Extent {
  enum class Part { Header, Background, Slot, LinkTable };
  Part part;
  int slot = 0;
  int64_t begin = 0;
  int64_t end = 0;
};

// "slot 5"; "slots 1, 3 and 7 to 9".
std::string SlotsText(const std::vector<int>& slots) {
  std::vector<std::string> runs;
  for (size_t first = 0; first < slots.size();) {
    size_t last = first;
    while (last + 1 < slots.size() && slots[last + 1] == slots[last] + 1) ++last;
    runs.push_back(std::to_string(slots[first]) +
                   (last > first ? " to " + std::to_string(slots[last]) : ""));
    first = last + 1;
  }
  return (slots.size() == 1 ? "slot " : "slots ") + JoinedList(runs);
}

// The parts of one group, each kind once: "background and slots 0 to 255".
std::string GroupText(std::vector<Extent> group) {
  std::sort(group.begin(), group.end(), [](const Extent& a, const Extent& b) {
    return a.part != b.part ? a.part < b.part : a.slot < b.slot;
  });
  std::vector<std::string> parts;
  std::vector<int> slots;
  for (const Extent& extent : group) {
    switch (extent.part) {
      case Extent::Part::Header:
        parts.push_back("the header");
        break;
      case Extent::Part::Background:
        parts.push_back("background");
        break;
      case Extent::Part::Slot:
        slots.push_back(extent.slot);
        break;
      case Extent::Part::LinkTable:
        if (!slots.empty()) parts.push_back(SlotsText(slots));
        slots.clear();
        parts.push_back("the link table");
        break;
    }
  }
  if (!slots.empty()) parts.push_back(SlotsText(slots));
  return JoinedList(parts);
}

std::string PartName(const Extent& extent) {
  std::vector<Extent> one{extent};
  return GroupText(one);
}

// The pairs of parts that overlap within one group, found up to `most` + 1 of them.
std::vector<std::pair<size_t, size_t>> OverlappingPairs(const std::vector<Extent>& group,
                                                        size_t most) {
  std::vector<std::pair<size_t, size_t>> pairs;
  for (size_t i = 0; i < group.size(); ++i) {
    for (size_t j = i + 1; j < group.size() && group[j].begin < group[i].end; ++j) {
      pairs.emplace_back(i, j);
      if (pairs.size() > most) return pairs;
    }
  }
  return pairs;
}

// Parts whose bytes run into one another, in groups: each part of a group overlaps another of
// it. A group of a few overlaps lists them pair by pair; a larger one takes one line, however
// many parts it has.
std::vector<std::string> OverlapProblems(std::vector<Extent> extents) {
  std::vector<std::string> problems;
  std::sort(extents.begin(), extents.end(), [](const Extent& a, const Extent& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.part < b.part;
  });
  for (size_t first = 0; first < extents.size();) {
    int64_t end = extents[first].end;
    size_t next = first + 1;
    for (; next < extents.size() && extents[next].begin < end; ++next) {
      end = std::max(end, extents[next].end);
    }
    const std::vector<Extent> group(extents.begin() + static_cast<std::ptrdiff_t>(first),
                                    extents.begin() + static_cast<std::ptrdiff_t>(next));
    const auto pairs = OverlappingPairs(group, kMostPairLines);
    if (pairs.size() <= kMostPairLines) {
      for (const auto& [a, b] : pairs) {
        problems.push_back(PartName(group[a]) + " and " + PartName(group[b]) + " overlap");
      }
    } else {
      problems.push_back(GroupText(group) + " overlap (bytes " +
                         std::to_string(extents[first].begin) + " to " + std::to_string(end) + ")");
    }
    first = next;
  }
  return problems;
}

std::vector<std::string> FindProblems(const PageFileContents& contents) {
  std::vector<std::string> problems;
  std::vector<Extent> extents;
  auto addStream = [&](const std::string& name, Extent::Part part, int slot,
                       const StoredStream& stream) {
    const auto found = StreamProblems(name, stream, contents.fileSize);
    problems.insert(problems.end(), found.begin(), found.end());
    if (stream.inFile && stream.size > 0) {
      extents.push_back({part, slot, stream.offset, stream.End()});
    }
  };
  addStream("background", Extent::Part::Background, 0, contents.background);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    addStream("slot " + std::to_string(slot), Extent::Part::Slot, slot, contents.slots[slot]);
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
    extents.push_back({Extent::Part::LinkTable, 0, contents.linkTableOffset, tableEnd});
    if (contents.fileSize > tableEnd) {
      problems.push_back(std::to_string(contents.fileSize - tableEnd) +
                         " bytes after the link table");
    }
  }
  extents.push_back({Extent::Part::Header, 0, 0, page_file::kHeaderSize});
  const auto overlaps = OverlapProblems(std::move(extents));
  problems.insert(problems.end(), overlaps.begin(), overlaps.end());
  return problems;
}

}  // namespace

int RunCheck(ArgumentList& arguments, std::ostream& out) {
  const std::string input = arguments.Take("FILE.pag");
  arguments.ExpectDone();
  // One open file for both readings, beside other readers.
  TFileStream file(input, FileAccess::ReadShared);
  std::vector<std::string> problems = FindProblems(ReadPageFileContents(file));
  // The editor's own reading, with the decoding of the background and slot 0.
  try {
    TPage page;
    ReadPageFile(page, file, nullptr);
  } catch (const Exception& e) {
    problems.push_back("the editor can't load it: " + FailureText(e));
  }
  for (const auto& problem : problems) out << problem << "\n";
  if (problems.empty()) out << "no problems found\n";
  return problems.empty() ? 0 : 1;
}

}  // namespace pm::tool
