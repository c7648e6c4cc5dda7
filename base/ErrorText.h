// The text that the user sees for a failure's message.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// Appends a full stop "." when the message isn't empty and the code point of its last character
// is above U+002E; messages ending in ".", ",", "-", ")", a space, a line break or any other
// character up to U+002E stay as they are.
std::string WithFullStop(std::string_view message);

}  // namespace pm
