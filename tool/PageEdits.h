// The changes that `new` and `edit` make to a page, applied in the order given, along the very
// paths of the editor's window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "page/Page.h"
#include "tool/CommandLine.h"

namespace pm::tool {

struct ImportBackground {
  std::string fileName;
};
struct ImportSlot {
  int32_t slot;
  std::string fileName;
};
struct ClearSlot {
  int32_t slot;
};
// LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP as typed; converted when applied.
struct SetLink {
  int32_t link;
  std::array<std::string, 6> values;
};
struct ClearLink {
  int32_t link;
};

using PageEdit = std::variant<ImportBackground, ImportSlot, ClearSlot, SetLink, ClearLink>;

// Reads the options that follow; `allowClear` admits --clear-slot and --clear-link.
std::vector<PageEdit> ParsePageEdits(ArgumentList& arguments, bool allowClear);
void ApplyPageEdits(TPage& page, const std::vector<PageEdit>& edits);

}  // namespace pm::tool
