#include "page/DocumentFileState.h"

#include "base/Exceptions.h"
#include "page/Document.h"

namespace pm {

TDocumentFileState DocumentFileStateOf(const std::string& pattern) {
  TDocumentFileState state;
  try {
    const TDocument document(pattern);
    for (const TDocumentPageFile& page : document.Pages()) {
      state.files.push_back({page.number, FileIdentityOf(page.fileName)});
    }
  } catch (const Exception&) {
    // A bad pattern, a folder that can't be read or one without pages: no files.
  }
  return state;
}

}  // namespace pm
