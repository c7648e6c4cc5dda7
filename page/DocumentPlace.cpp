#include "page/DocumentPlace.h"

#include <charconv>
#include <limits>

#include "page/DocumentPattern.h"

namespace pm {

namespace {

// The widths that a padded field can have ("%01d" to "%09d").
constexpr size_t kMaxPaddedWidth = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The field that writes these digits back: "%d" for a plain number, "%0Wd" for one with leading
// zeros; nothing when no pattern writes them.
std::optional<std::string> FieldFor(std::string_view digits) {
  const bool padded = digits.size() > 1 && digits.front() == '0';
  if (!padded) return "%d";
  if (digits.size() > kMaxPaddedWidth) return std::nullopt;
  return "%0" + std::to_string(digits.size()) + "d";
}

}  // namespace

std::optional<TDocumentPlace> DocumentPlaceOf(std::string_view fileName) {
  if (!fileName.ends_with(kPageFileExtension)) return std::nullopt;
  const std::string_view stem = fileName.substr(0, fileName.size() - kPageFileExtension.size());
  size_t digitsStart = stem.size();
  while (digitsStart > 0 && IsDigit(stem[digitsStart - 1])) --digitsStart;
  const std::string_view digits = stem.substr(digitsStart);
  const size_t nameStart =
      fileName.rfind('/') == std::string_view::npos ? 0 : fileName.rfind('/') + 1;
  if (digits.empty() || digitsStart < nameStart) return std::nullopt;
  if (fileName.substr(nameStart).find('%') != std::string_view::npos) return std::nullopt;

  int64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() ||
      number > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  const std::optional<std::string> field = FieldFor(digits);
  if (!field) return std::nullopt;

  TDocumentPlace place{
      std::string(stem.substr(0, digitsStart)) + *field + std::string(kPageFileExtension),
      static_cast<int32_t>(number)};
  // The folder part may hold a "%" of its own, which the pattern's rules don't mind; what counts
  // is that the pattern names this very file for the number.
  if (TDocumentPattern(place.pattern).FileName(place.number) != fileName) return std::nullopt;
  return place;
}

}  // namespace pm
