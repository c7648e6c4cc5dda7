// Documents for the tests of the document map and its reading, written into a test's folder.
#pragma once

#include <string>

#include "tests/support/TempDir.h"

namespace pm::test {

// Six page files p1 … p6 of pattern "p%d.pag":
// - page 1 (the start, 256 × 192): links 0 and 1 lead to page 2, link 2 to page 9, which has no
//   file;
// - page 2 (400 × 300): link 0 leads back to page 1, link 1 (no rectangle) to page 6;
// - page 3: links to page 1, and no page leads to it;
// - page 4: no page file at all, just bytes;
// - page 5: its background's JPEG stream has no quantisation tables, so it can't be decoded;
// - page 6: no links, reached only through a link that can't be clicked.
// Returns the pattern.
std::string WriteMapDocument(const TempDir& dir);

// `pages` pages q1 … qN of pattern "q%d.pag" with small backgrounds; page p has `links` links,
// to the pages p + 1, p + 2 … (wrapping round). Returns the pattern.
std::string WriteLinkedDocument(const TempDir& dir, int pages, int links);

}  // namespace pm::test
