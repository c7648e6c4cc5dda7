#include "page/DocumentPattern.h"

#include <charconv>
#include <limits>

#include "page/DocumentErrors.h"

namespace pm {

namespace {

constexpr char kFieldStart = '%';
constexpr char kFieldEnd = 'd';
constexpr char kPadding = '0';
constexpr int kMaxWidth = 9;
// The most digits of a page number (a signed 32-bit integer) without padding.
constexpr size_t kMaxNumberDigits = 10;

[[noreturn]] void RaiseBadPattern(const std::string& pattern) {
  throw EInvalidDocument("the pattern " + pattern +
                         " must hold exactly one %d or %0Wd (W from 1 to 9) in its file name");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The field at `text[at]` (a "%"): its length and width, or nothing when it isn't "%d" or
// "%0Wd".
std::optional<std::pair<size_t, int>> ReadField(std::string_view text, size_t at) {
  std::string_view rest = text.substr(at + 1);
  if (!rest.empty() && rest[0] == kFieldEnd) return std::pair<size_t, int>{2, 1};
  if (rest.size() >= 3 && rest[0] == kPadding && IsDigit(rest[1]) && rest[1] != '0' &&
      rest[2] == kFieldEnd) {
    return std::pair<size_t, int>{4, rest[1] - '0'};
  }
  return std::nullopt;
}

}  // namespace

TDocumentPattern::TDocumentPattern(std::string pattern) : text_(std::move(pattern)) {
  const size_t slash = text_.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  folderPart_ = text_.substr(0, nameStart);
  const std::string_view name = std::string_view(text_).substr(nameStart);
  const size_t field = name.find(kFieldStart);
  if (field == std::string_view::npos) RaiseBadPattern(text_);
  const auto read = ReadField(name, field);
  if (!read) RaiseBadPattern(text_);
  const auto [length, width] = *read;
  if (name.find(kFieldStart, field + length) != std::string_view::npos) RaiseBadPattern(text_);
  static_assert(kMaxWidth < 10, "a width is one digit");
  prefix_ = name.substr(0, field);
  suffix_ = name.substr(field + length);
  width_ = width;
}

std::filesystem::path TDocumentPattern::Folder() const {
  return folderPart_.empty() ? std::filesystem::path(".") : std::filesystem::path(folderPart_);
}

std::string TDocumentPattern::Digits(int32_t number) const {
  std::string digits = std::to_string(number);
  if (digits.size() < static_cast<size_t>(width_)) {
    digits.insert(0, static_cast<size_t>(width_) - digits.size(), kPadding);
  }
  return digits;
}

std::string TDocumentPattern::FileName(int32_t number) const {
  return folderPart_ + prefix_ + Digits(number) + suffix_;
}

std::optional<int32_t> TDocumentPattern::PageNumber(std::string_view fileName) const {
  if (fileName.size() <= prefix_.size() + suffix_.size()) return std::nullopt;
  if (!fileName.starts_with(prefix_) || !fileName.ends_with(suffix_)) return std::nullopt;
  const std::string_view digits =
      fileName.substr(prefix_.size(), fileName.size() - prefix_.size() - suffix_.size());
  if (digits.size() > std::max<size_t>(kMaxNumberDigits, static_cast<size_t>(width_))) {
    return std::nullopt;
  }
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
  }
  int64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() ||
      number > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  // Only the digits that the field writes for this number: "007" is page 7 for "%03d" but no
  // page for "%d", and "0007" is no page for either.
  if (Digits(static_cast<int32_t>(number)) != digits) return std::nullopt;
  return static_cast<int32_t>(number);
}

}  // namespace pm
