// pagetool's commands. Each takes the arguments after its name and returns the exit status;
// failures are raised.
#pragma once

#include <ostream>

#include "tool/CommandLine.h"

namespace pm::tool {

int RunNew(ArgumentList& arguments, std::ostream& out);
int RunEdit(ArgumentList& arguments, std::ostream& out);
int RunInfo(ArgumentList& arguments, std::ostream& out);
int RunCheck(ArgumentList& arguments, std::ostream& out);
int RunExtract(ArgumentList& arguments, std::ostream& out);
int RunBmp(ArgumentList& arguments, std::ostream& out);
int RunDecode(ArgumentList& arguments, std::ostream& out);
int RunRender(ArgumentList& arguments, std::ostream& out);
// Over a whole document.
int RunCheckDocument(ArgumentList& arguments, std::ostream& out);
int RunGraph(ArgumentList& arguments, std::ostream& out);
int RunSite(ArgumentList& arguments, std::ostream& out);

}  // namespace pm::tool
