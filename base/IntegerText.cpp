#include "base/IntegerText.h"

#include <optional>

#include "base/Exceptions.h"

namespace pm {

namespace {

constexpr std::string_view kNotAnIntegerMessage = "'%s' は整数ではありません";
constexpr uint64_t kLargestPositive = 2147483647u;
constexpr uint64_t kLargestHexadecimal = 0xFFFFFFFFu;

std::optional<int> DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') value = c - 'A' + 10;
  if (value < 0) return std::nullopt;
  return value;
}

// At least one digit and nothing else; the magnitude, or nothing when it exceeds `limit`.
std::optional<uint64_t> ParseMagnitude(std::string_view digits, int base, uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    const auto digit = DigitValue(c, base);
    if (!digit) return std::nullopt;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digit);
    if (value > limit) return std::nullopt;
  }
  return value;
}

bool StartsHexadecimal(std::string_view text, size_t* prefixLength) {
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    *prefixLength = 1;
    return true;
  }
  if (text.starts_with("0x") || text.starts_with("0X")) {
    *prefixLength = 2;
    return true;
  }
  return false;
}

std::optional<int32_t> Parse(std::string_view text) {
  const size_t firstNonSpace = text.find_first_not_of(' ');
  if (firstNonSpace == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(firstNonSpace);

  size_t prefixLength = 0;
  if (StartsHexadecimal(rest, &prefixLength)) {
    const auto pattern = ParseMagnitude(rest.substr(prefixLength), 16, kLargestHexadecimal);
    if (!pattern) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(*pattern));
  }
  const bool negative = rest.starts_with('-');
  if (negative || rest.starts_with('+')) rest.remove_prefix(1);
  const auto magnitude = ParseMagnitude(rest, 10, kLargestPositive + (negative ? 1 : 0));
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<int64_t>(*magnitude);
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

int32_t StrToInt(std::string_view text) {
  if (const auto value = Parse(text)) return *value;
  throw EConvertError(FormatMessage(kNotAnIntegerMessage, text));
}

std::string IntToStr(int32_t value) { return std::to_string(value); }

}  // namespace pm
