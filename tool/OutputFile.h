// Output files that appear whole or not at all.
#pragma once

#include <functional>
#include <string>

#include "base/Stream.h"

namespace pm::tool {

// Writes the file through a new file beside it (see TFileReplacement); a failure leaves no file
// behind and an earlier file of that name as it was.
void WriteOutputFile(const std::string& fileName, const std::function<void(TStream&)>& write);

}  // namespace pm::tool
