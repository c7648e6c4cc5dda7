#include "tool/PageEdits.h"

#include "page/PageOperations.h"

namespace pm::tool {

namespace {

constexpr size_t kLinkValueCount = 6;

SetLink ParseSetLink(std::string_view text) {
  const auto [number, list] = SplitAssignment("--link", text);
  SetLink edit{ParseSlotOrLink(number), {}};
  size_t count = 0;
  size_t start = 0;
  while (true) {
    const size_t comma = list.find(',', start);
    if (count == kLinkValueCount) throw UsageError("--link needs six values, not " + list);
    edit.values[count++] = list.substr(start, comma == std::string::npos ? comma : comma - start);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (count != kLinkValueCount) throw UsageError("--link needs six values, not " + list);
  return edit;
}

// The values come in the order LEFT, TOP, RIGHT, BOTTOM, LINKPAGE, BITMAP.
TLinkFieldTexts FieldTexts(const SetLink& edit) {
  const auto& v = edit.values;
  return TLinkFieldTexts{
      .left = v[0], .top = v[1], .right = v[2], .bottom = v[3], .bitmap = v[5], .linkPage = v[4]};
}

struct Applier {
  TPage& page;
  void operator()(const ImportBackground& edit) { ImportBackgroundPicture(page, edit.fileName); }
  void operator()(const ImportSlot& edit) { ImportSlotPicture(page, edit.slot, edit.fileName); }
  void operator()(const ClearSlot& edit) { page.ClearSlot(edit.slot); }
  void operator()(const SetLink& edit) { UpdateLink(page, edit.link, FieldTexts(edit)); }
  void operator()(const ClearLink& edit) { page.ClearLink(edit.link); }
};

}  // namespace

std::vector<PageEdit> ParsePageEdits(ArgumentList& arguments, bool allowClear) {
  std::vector<PageEdit> edits;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("option");
    if (option == "--background") {
      edits.push_back(ImportBackground{arguments.Take("PICTURE after --background")});
    } else if (option == "--slot") {
      const auto [slot, file] = SplitAssignment(option, arguments.Take("N=PICTURE after --slot"));
      edits.push_back(ImportSlot{ParseSlotOrLink(slot), file});
    } else if (option == "--link") {
      edits.push_back(ParseSetLink(arguments.Take("N=LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP")));
    } else if (allowClear && option == "--clear-slot") {
      edits.push_back(ClearSlot{ParseSlotOrLink(arguments.Take("N after --clear-slot"))});
    } else if (allowClear && option == "--clear-link") {
      edits.push_back(ClearLink{ParseSlotOrLink(arguments.Take("N after --clear-link"))});
    } else {
      throw UsageError("unknown option: " + option);
    }
  }
  return edits;
}

void ApplyPageEdits(TPage& page, const std::vector<PageEdit>& edits) {
  for (const PageEdit& edit : edits) std::visit(Applier{page}, edit);
}

}  // namespace pm::tool
