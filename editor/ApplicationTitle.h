// The application title: the name derived once from the program file, the caption of every
// error box.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// What follows the last "/" of `programPath`, cut at its first full stop, every character after
// the first in lower case and the first as it stands: "/opt/EDITOR.EXE" gives "Editor".
std::string ApplicationTitleFromPath(std::string_view programPath);

// The title of the running program, derived from its file at the first call and fixed from then
// on. Needs the application object when first called.
const std::string& ApplicationTitle();

}  // namespace pm
