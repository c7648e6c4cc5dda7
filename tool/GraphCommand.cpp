// graph: the document's map as a Graphviz DOT graph.
#include "page/DocumentReading.h"
#include "site/DocumentGraph.h"
#include "tool/Commands.h"
#include "tool/DocumentArguments.h"
#include "tool/Pagetool.h"
#include "tool/TerminalText.h"

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
  // The pages are read as check-document reads them, so that the map marks the very pages that
  // it finds failing to load, however they fail.
  const auto outlines = ReadDocumentOutlines(document, kDocumentPageReading);
  // The graph's quoted names hold no line feed; any other control character in them is escaped.
  out << TerminalText(site::DocumentGraph(document, outlines), TLineFeeds::Kept);
  return kExitSuccess;
}

}  // namespace pm::tool
