#include "page/DocumentReading.h"

#include "base/Exceptions.h"

namespace pm {

std::vector<TPageOutline> ReadDocumentOutlines(const TDocument& document,
                                               const TPageFileReading& reading) {
  return *ReadDocumentOutlines(document, reading, {});
}

std::optional<std::vector<TPageOutline>> ReadDocumentOutlines(const TDocument& document,
                                                              const TPageFileReading& reading,
                                                              const TDocumentReadingSteps& steps) {
  const auto goOn = [&](size_t done) {
    return !steps.progress || steps.progress(done, document.Pages().size());
  };
  std::vector<TPageOutline> outlines;
  outlines.reserve(document.Pages().size());
  for (const TDocumentPageFile& file : document.Pages()) {
    if (!goOn(outlines.size())) return std::nullopt;
    TPage page;
    try {
      ReadPageFile(page, file.fileName, nullptr, reading);
      if (steps.pageRead) steps.pageRead(file, page);
    } catch (const Exception& e) {
      outlines.push_back(FailedOutline(file, e.Message()));
      continue;
    }
    outlines.push_back(OutlineOf(file, page));
  }
  if (!goOn(outlines.size())) return std::nullopt;
  return outlines;
}

}  // namespace pm
