// Which document a page file belongs to, found from its name alone: a file whose name ends in a
// number right before ".pag" ("page3.pag", "p003.pag", "12.pag") is page N of the document whose
// pattern replaces that number with "%d", or with "%0Wd" when the number has leading zeros (W
// its count of digits). The editor uses it to place the page it loads or saves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pm {

inline constexpr std::string_view kPageFileExtension = ".pag";

struct TDocumentPlace {
  std::string pattern;  // a TDocumentPattern's text, with the file's folder part as given
  int32_t number = 0;
  friend bool operator==(const TDocumentPlace&, const TDocumentPlace&) = default;
};

// The place of the file, or nothing for a name without such a number: no digits before ".pag",
// a number beyond a page number, more leading zeros than a pattern can write, or a "%" in the
// name, which a pattern can't hold. The pattern gives back exactly `fileName` for the number.
std::optional<TDocumentPlace> DocumentPlaceOf(std::string_view fileName);

}  // namespace pm
