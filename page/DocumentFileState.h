// The state on disk of a document's page files at one moment: the files that its pattern names
// in its folder, each with its identity (base/FileIdentity.h). Two states differ when a page file
// was added, removed, rewritten, replaced or touched between them, so that a view of the
// document can tell whether it must read the document again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/FileIdentity.h"

namespace pm {

struct TDocumentFileState {
  struct File {
    int32_t number = 0;
    std::optional<TFileIdentity> identity;  // nothing when the file can't be looked at
    friend bool operator==(const File&, const File&) = default;
  };
  // In ascending page order; empty when the pattern names no document now.
  std::vector<File> files;
  friend bool operator==(const TDocumentFileState&, const TDocumentFileState&) = default;
};

// The state of the document that `pattern` names, found by listing its folder now.
TDocumentFileState DocumentFileStateOf(const std::string& pattern);

}  // namespace pm
