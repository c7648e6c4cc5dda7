// graph: the document's map as a Graphviz DOT graph.
#include "page/DocumentReading.h"
#include "site/DocumentGraph.h"
#include "tool/Commands.h"
#include "tool/DocumentArguments.h"
#include "tool/Pagetool.h"

namespace pm::tool {

int RunGraph(ArgumentList& arguments, std::ostream& out) {
  const std::string pattern = arguments.Take("PATTERN");
  std::optional<int32_t> start;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("an option");
    if (option != "--start") throw UsageError("unknown option: " + option);
    start = ParsePageNumber(arguments.Take("the page number of --start"));
  }
  const TDocument document = OpenDocument(pattern, start);
  // The map needs the links only: no picture is decoded.
  const auto outlines = ReadDocumentOutlines(
      document, TPageFileReading{.access = FileAccess::ReadShared, .decodeShown = false});
  out << site::DocumentGraph(document, outlines);
  return kExitSuccess;
}

}  // namespace pm::tool
