#include "tool/TerminalText.h"

#include "base/Utf8.h"

#include <array>
#include <cstdint>

#include "base/ErrorText.h"
#include "base/Exceptions.h"

namespace pm::tool {

namespace {

constexpr uint8_t kDelete = 0x7F;
constexpr uint8_t kFirstC1Second = 0x80, kLastC1Second = 0x9F;  // U+0080 to U+009F after C2
constexpr uint8_t kC1Lead = 0xC2;
constexpr std::string_view kHexDigits = "0123456789abcdef";

// The C escapes that have a letter of their own, for the characters 7 to 13.
constexpr char kFirstLettered = '\a';
constexpr std::array<char, 7> kEscapeLetters{'a', 'b', 't', 'n', 'v', 'f', 'r'};

void AppendEscaped(std::string& out, uint8_t byte) {
  const auto letter = static_cast<size_t>(byte - static_cast<uint8_t>(kFirstLettered));
  out += '\\';
  if (byte >= kFirstLettered && letter < kEscapeLetters.size()) {
    out += kEscapeLetters[letter];
    return;
  }
  out += 'x';
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0xF];
}

bool IsControl(std::string_view sequence) {
  const auto lead = static_cast<uint8_t>(sequence[0]);
  if (sequence.size() == 1) return lead < 0x20 || lead == kDelete;
  const auto second = static_cast<uint8_t>(sequence[1]);
  return lead == kC1Lead && second >= kFirstC1Second && second <= kLastC1Second;
}

}  // namespace

std::string TerminalText(std::string_view text, TLineFeeds lineFeeds) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const size_t length = Utf8SequenceLength(text);
    const std::string_view sequence = text.substr(0, length == 0 ? 1 : length);
    text.remove_prefix(sequence.size());
    if (length != 0 && !IsControl(sequence)) {
      out += sequence;
    } else if (sequence == "\n" && lineFeeds == TLineFeeds::Kept) {
      out += '\n';
    } else {
      for (const char c : sequence) AppendEscaped(out, static_cast<uint8_t>(c));
    }
  }
  return out;
}

std::string FailureText(const Exception& failure) {
  const std::string text = WithFullStop(failure.Message());
  if (dynamic_cast<const EOSError*>(&failure) != nullptr) return text;
  return TerminalText(text);
}

}  // namespace pm::tool
