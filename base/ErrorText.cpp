#include "base/ErrorText.h"

#include <cstdint>

namespace pm {

namespace {

constexpr char32_t kFullStop = U'.';
// What a broken UTF-8 sequence counts as: a character above the full stop.
constexpr char32_t kBrokenCharacter = 0xFFFD;

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the last UTF-8 character.
char32_t LastCodePoint(std::string_view text) {
  size_t start = text.size() - 1;
  while (start > 0 && text.size() - start < 4 &&
         IsContinuationByte(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  const auto lead = static_cast<unsigned char>(text[start]);
  if (lead < 0x80) return start + 1 == text.size() ? lead : kBrokenCharacter;
  int length = 0;
  char32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  } else {
    return kBrokenCharacter;
  }
  if (text.size() - start != static_cast<size_t>(length)) return kBrokenCharacter;
  for (size_t i = start + 1; i < text.size(); ++i) {
    value = value << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  return value;
}

}  // namespace

std::string WithFullStop(std::string_view message) {
  std::string text(message);
  if (!text.empty() && LastCodePoint(text) > kFullStop) text += '.';
  return text;
}

}  // namespace pm
