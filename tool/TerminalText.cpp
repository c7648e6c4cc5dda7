#include "tool/TerminalText.h"

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

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
size_t SequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
  }
  return length;
}

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
    const size_t length = SequenceLength(text);
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
