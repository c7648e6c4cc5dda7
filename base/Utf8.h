// Reading UTF-8 text that comes from outside (file names, arguments): where its well-formed
// sequences are.
#pragma once

#include <cstddef>
#include <string_view>

namespace pm {

// The length of the well-formed UTF-8 sequence at the start of `text` (1 to 4), or 0 when it
// starts with none: a stray continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF or a sequence cut short.
size_t Utf8SequenceLength(std::string_view text);

}  // namespace pm
