// The one rule by which a field's text becomes a signed 32-bit integer, and back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pm {

// Leading spaces (U+0020 only), then a decimal number with an optional sign, or a hexadecimal
// number after "$", "x", "X", "0x" or "0X" read as a 32-bit two's complement pattern. Anything
// else fails with EConvertError "'%s' は整数ではありません", the text quoted exactly as passed.
int32_t StrToInt(std::string_view text);

// The decimal digits with "-" for a negative number; nothing else.
std::string IntToStr(int32_t value);

}  // namespace pm
