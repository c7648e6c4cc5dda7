#include "tool/PageEdits.h"

#include "imaging/Bitmap.h"

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

// The import of the window: the name first, then the file into a new bitmap, then the holder.
void Import(TPage& page, const std::string& fileName, bool background) {
  if (background) {
    page.SetBackgroundFileName(fileName);
  } else {
    page.SetSlotFileName(fileName);
  }
  TBitmap bitmap;
  bitmap.LoadFromFile(fileName);
  if (background) {
    page.SetBackgroundBitmap(bitmap);
  } else {
    page.SetSlotBitmap(bitmap);
  }
}

// The update of the window ("更新"): one field at a time, in the order of its fields.
void UpdateLink(TPage& page, const SetLink& edit) {
  static constexpr std::pair<size_t, TLinkField> kOrder[] = {
      {0, TLinkField::Left},   {1, TLinkField::Top},    {2, TLinkField::Right},
      {3, TLinkField::Bottom}, {5, TLinkField::Bitmap}, {4, TLinkField::LinkPage}};
  page.SelectLink(edit.link);
  for (const auto& [index, field] : kOrder)
    page.SetLinkField(field, ParseNumber(edit.values[index]));
}

struct Applier {
  TPage& page;
  void operator()(const ImportBackground& edit) { Import(page, edit.fileName, true); }
  void operator()(const ImportSlot& edit) {
    page.SelectSlot(edit.slot);
    Import(page, edit.fileName, false);
  }
  void operator()(const ClearSlot& edit) {
    page.SelectSlot(edit.slot);
    page.ClearSlot();
  }
  void operator()(const SetLink& edit) { UpdateLink(page, edit); }
  void operator()(const ClearLink& edit) {
    page.SelectLink(edit.link);
    page.ClearLink();
  }
};

}  // namespace

std::vector<PageEdit> ParsePageEdits(ArgumentList& arguments, bool allowClear) {
  std::vector<PageEdit> edits;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("option");
    if (option == "--background") {
      edits.push_back(ImportBackground{arguments.Take("BMP file after --background")});
    } else if (option == "--slot") {
      const auto [slot, file] = SplitAssignment(option, arguments.Take("N=BMP after --slot"));
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
