#include "page/DocumentReading.h"

#include "base/Exceptions.h"

namespace pm {

std::vector<TPageOutline> ReadDocumentOutlines(const TDocument& document,
                                               const TPageFileReading& reading) {
  std::vector<TPageOutline> outlines;
  outlines.reserve(document.Pages().size());
  for (const TDocumentPageFile& file : document.Pages()) {
    TPage page;
    try {
      ReadPageFile(page, file.fileName, nullptr, reading);
    } catch (const Exception& e) {
      outlines.push_back(FailedOutline(file, e.Message()));
      continue;
    }
    outlines.push_back(OutlineOf(file, page));
  }
  return outlines;
}

}  // namespace pm
