// The arguments that the commands over a whole document share: the pattern and --start N.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "page/Document.h"
#include "tool/CommandLine.h"

namespace pm::tool {

// Takes a page number 0 or more (UsageError otherwise), read with the system's integer parsing.
int32_t ParsePageNumber(const std::string& text);

// The document that the pattern names, with the start page given; a pattern, folder or start
// that names no document is a UsageError.
TDocument OpenDocument(const std::string& pattern, std::optional<int32_t> start);

}  // namespace pm::tool
