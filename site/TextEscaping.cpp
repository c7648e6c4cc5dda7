#include "site/TextEscaping.h"

#include "base/Utf8.h"

#include <cstdint>

namespace pm::site {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  while (!text.empty()) {
    const size_t length = Utf8SequenceLength(text);
    if (length == 0) {
      valid += kReplacementCharacter;
      text.remove_prefix(1);
    } else {
      valid += text.substr(0, length);
      text.remove_prefix(length);
    }
  }
  return valid;
}

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      case '\t':
      case '\n':
        escaped += c;
        break;
      default:
        // Other control characters may not stand in an HTML document.
        if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) {
          escaped += kReplacementCharacter;
          break;
        }
        escaped += c;
    }
  }
  return escaped;
}

std::string QuoteDot(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '"':
      case '\\':
        quoted += '\\';
        quoted += c;
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace pm::site
