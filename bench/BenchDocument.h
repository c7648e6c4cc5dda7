// The document of the benchmarks: 100 pages, each a 1024 × 768 background and 20 slot pictures of
// 160 × 120 with 20 links, as page1.pag to page100.pag in a folder.
#pragma once

#include <cstdint>
#include <string>

#include "bench/BenchSupport.h"

namespace pm::bench {

inline constexpr int kDocumentPages = 100;
inline constexpr int kDocumentSlotsPerPage = 20;

std::string DocumentPageFile(const TempFolder& folder, int page);
// The page that link `link` of page `page` leads to: another page of the document.
int32_t DocumentLinkTarget(int page, int link);
// Page p: slot s shows in link s, which leads to DocumentLinkTarget(p, s); its rectangle lies in
// a 5 × 4 grid over the background. The first pages encode their pictures; the others take
// theirs from an earlier page, stored as they are.
void MakeDocument(const TempFolder& folder);

}  // namespace pm::bench
