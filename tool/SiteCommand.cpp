// site: the document as a static web site.
#include "site/SiteWriter.h"
#include "tool/Commands.h"
#include "tool/DocumentArguments.h"
#include "tool/Pagetool.h"
#include "tool/TerminalText.h"

namespace pm::tool {

using site::DotOutcomeText;
using site::TDotOutcome;
using site::TSiteOptions;
using site::TSiteReport;
using site::TSlotPictures;
using site::WriteSite;

namespace {

TSlotPictures ParseSlotPictures(const std::string& text) {
  if (text == "hover") return TSlotPictures::Hover;
  if (text == "always") return TSlotPictures::Always;
  if (text == "never") return TSlotPictures::Never;
  throw UsageError("--slot-pictures is hover, always or never, not " + text);
}

}  // namespace

int RunSite(ArgumentList& arguments, std::ostream& out) {
  const std::string pattern = arguments.Take("PATTERN");
  const std::string folder = arguments.Take("OUTDIR");
  std::optional<int32_t> start;
  TSiteOptions options;
  while (!arguments.Done()) {
    const std::string option = arguments.Take("an option");
    if (option == "--start") {
      start = ParsePageNumber(arguments.Take("the page number of --start"));
    } else if (option == "--slot-pictures") {
      options.slotPictures = ParseSlotPictures(arguments.Take("hover, always or never"));
    } else if (option == "--force") {
      options.force = true;
    } else {
      throw UsageError("unknown option: " + option);
    }
  }
  const TDocument document = OpenDocument(pattern, start);
  const TSiteReport report = WriteSite(document, folder, options);
  out << report.pages << (report.pages == 1 ? " page" : " pages") << " and " << report.pictures
      << (report.pictures == 1 ? " picture" : " pictures") << " written to " << TerminalText(folder)
      << "; map " << (report.map == TDotOutcome::Drawn ? "" : "as a list: ")
      << DotOutcomeText(report.map) << "\n";
  return kExitSuccess;
}

}  // namespace pm::tool
