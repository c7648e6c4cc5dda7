// Texts that come from outside (file names) made safe to stand in UTF-8 web pages and graphs.
#pragma once

#include <string>
#include <string_view>

namespace pm::site {

// The text with every byte sequence that isn't well-formed UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// Text for HTML content and quoted attribute values: &, <, >, " and ' as character references,
// control characters other than tab and line feed as U+FFFD.
std::string EscapeHtml(std::string_view text);

// A DOT quoted string, quotes included: well-formed UTF-8, with " and \ escaped and line breaks
// as DOT's own "\n".
std::string QuoteDot(std::string_view text);

}  // namespace pm::site
