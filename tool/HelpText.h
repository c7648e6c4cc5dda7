// The layout of pagetool's help: paragraphs and tagged entries filled to the terminal's usual
// width, in the form that help2man turns into a manual page.
#pragma once

#include <ostream>
#include <string_view>

namespace pm::tool {

inline constexpr int kHelpWidth = 79;
// Where the text of a tagged entry starts; a longer tag stands on a line of its own.
inline constexpr int kHelpTextColumn = 24;
inline constexpr int kHelpTagIndent = 2;

// Fills `text` into lines of at most kHelpWidth columns, each starting `indent` columns in.
void WriteParagraph(std::ostream& out, std::string_view text, int indent = 0);

// "  TAG  text", with the text filled from `textColumn`.
void WriteEntry(std::ostream& out, std::string_view tag, std::string_view text,
                int textColumn = kHelpTextColumn);

}  // namespace pm::tool
