// A document: the numbered page files that a pattern names (see TDocumentPattern), and the page
// that a reader starts from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page/DocumentPattern.h"

namespace pm {

struct TDocumentPageFile {
  int32_t number = 0;
  std::string fileName;  // the path the pattern gives for the number
};

class TDocument {
 public:
  // Lists the pages: every file in the pattern's folder whose name the pattern gives for a page
  // number; other files are no pages. The start is the lowest page number unless `start` names
  // another. EInvalidDocument for a bad pattern, a folder that can't be read, a document
  // without pages, or a start that names no page.
  explicit TDocument(const std::string& pattern, std::optional<int32_t> start = std::nullopt);

  const TDocumentPattern& Pattern() const { return pattern_; }
  // In ascending page order.
  const std::vector<TDocumentPageFile>& Pages() const { return pages_; }
  int32_t Start() const { return start_; }
  // The page of that number, or nothing.
  const TDocumentPageFile* Find(int32_t number) const;
  bool HasPage(int32_t number) const { return Find(number) != nullptr; }

 private:
  TDocumentPattern pattern_;
  std::vector<TDocumentPageFile> pages_;
  int32_t start_ = 0;
};

}  // namespace pm
