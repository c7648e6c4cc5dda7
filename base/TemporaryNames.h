// The names of hidden temporary files and folders beside a target: "." and the target's name,
// then six random characters. The target's name is shortened as needed (never inside a
// character), so that the temporary name fits the longest name a folder allows, with room for
// a few more characters, whatever the target is called.
#pragma once

#include <string>

namespace pm {

// The pattern for mkstemp and mkdtemp: the name ends in "XXXXXX".
std::string HiddenTemporaryPattern(const std::string& targetName);
// A name of that pattern with the six characters chosen at random.
std::string HiddenTemporaryName(const std::string& targetName);
// True when `name` could be one of the target's temporary names: its pattern with six letters
// or digits in place of the X's.
bool IsHiddenTemporaryNameOf(const std::string& name, const std::string& targetName);

}  // namespace pm
