#include "tool/HelpText.h"

#include <algorithm>
#include <string>

namespace pm::tool {

namespace {

// Columns a text takes on a terminal: a UTF-8 lead byte of a character beyond U+0FFF starts a
// wide (two-column) character, continuation bytes take none.
int Columns(std::string_view text) {
  int columns = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) == 0x80) continue;
    columns += byte >= 0xE1 ? 2 : 1;
  }
  return columns;
}

std::string_view NextWord(std::string_view& text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) {
    text = {};
    return {};
  }
  text.remove_prefix(start);
  const std::size_t end = std::min(text.find(' '), text.size());
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// Fills `text` from column `indent`; the first line continues after `firstColumn` columns that
// the caller has written already.
void Fill(std::ostream& out, std::string_view text, int indent, int firstColumn) {
  int column = firstColumn;
  bool lineEmpty = true;
  for (std::string_view word = NextWord(text); !word.empty(); word = NextWord(text)) {
    const int width = Columns(word);
    if (!lineEmpty && column + 1 + width > kHelpWidth) {
      out << '\n';
      column = 0;
      lineEmpty = true;
    }
    if (lineEmpty) {
      out << std::string(static_cast<std::size_t>(indent - column), ' ');
      column = indent;
    } else {
      out << ' ';
      ++column;
    }
    out << word;
    column += width;
    lineEmpty = false;
  }
  out << '\n';
}

}  // namespace

void WriteParagraph(std::ostream& out, std::string_view text, int indent) {
  Fill(out, text, indent, 0);
}

void WriteEntry(std::ostream& out, std::string_view tag, std::string_view text, int textColumn) {
  out << std::string(kHelpTagIndent, ' ') << tag;
  int column = kHelpTagIndent + Columns(tag);
  if (column + 2 > textColumn) {
    out << '\n';
    column = 0;
  }
  Fill(out, text, textColumn, column);
}

}  // namespace pm::tool
