// check-document: the problems of a document's links across its pages, one line each or as one
// JSON object.
#include <nlohmann/json.hpp>

#include "page/DocumentChecks.h"
#include "page/DocumentReading.h"
#include "tool/Commands.h"
#include "tool/DocumentArguments.h"
#include "tool/Pagetool.h"
#include "tool/TerminalText.h"

namespace pm::tool {

namespace {

using nlohmann::json;

json FindingsJson(const TDocument& document, const std::vector<TFinding>& findings) {
  json pages = json::array();
  for (const TDocumentPageFile& page : document.Pages()) pages.push_back(page.number);
  json list = json::array();
  for (const TFinding& finding : findings) {
    list.push_back({{"kind", FindingKindName(finding.kind)},
                    {"page", finding.page},
                    {"link", finding.link ? json(*finding.link) : json(nullptr)},
                    {"message", finding.message}});
  }
  return {{"pages", pages}, {"start", document.Start()}, {"findings", list}};
}

void PrintFindings(std::ostream& out, const std::vector<TFinding>& findings) {
  for (const TFinding& finding : findings) {
    out << "page " << finding.page;
    if (finding.link) out << ", link " << *finding.link;
    out << ": " << FindingKindName(finding.kind) << ": " << TerminalText(finding.message) << "\n";
  }
  if (findings.empty()) out << "no problems found\n";
}

}  // namespace

int RunCheckDocument(ArgumentList& arguments, std::ostream& out) {
  const std::string pattern = arguments.Take("PATTERN");
  std::optional<int32_t> start;
  bool asJson = false;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("an option");
    if (option == "--start") {
      start = ParsePageNumber(arguments.Take("the page number of --start"));
    } else if (option == "--json") {
      asJson = true;
    } else {
      throw UsageError("unknown option: " + option);
    }
  }
  const TDocument document = OpenDocument(pattern, start);
  const auto outlines = ReadDocumentOutlines(document, kDocumentPageReading);
  const std::vector<TFinding> findings = CheckDocument(document, outlines);
  if (asJson) {
    // Texts from outside (file names in messages) may not be UTF-8: they are replaced.
    out << FindingsJson(document, findings).dump(2, ' ', false, json::error_handler_t::replace)
        << "\n";
  } else {
    PrintFindings(out, findings);
  }
  return findings.empty() ? kExitSuccess : kExitFailure;
}

}  // namespace pm::tool
