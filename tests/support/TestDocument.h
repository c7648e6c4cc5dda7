// Documents for tests: page files made with the page operations, as an author would make them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "page/LinkRecord.h"

namespace pm::test {

// A link record with four edges, a link page and a slot (Reserved 0).
TLinkRecord Link(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t linkPage,
                 int32_t bitmap = -1);

struct TestPage {
  int32_t width = 64;  // of the background
  int32_t height = 48;
  std::vector<int32_t> slots = {};                          // the slots that hold a picture
  std::vector<std::pair<int32_t, TLinkRecord>> links = {};  // link number and record
  int seed = 0;                                             // varies the pictures
};

// Writes the page file: a background picture of that size, a small picture in each slot listed,
// the links.
void WriteTestPage(const std::string& fileName, const TestPage& page);

}  // namespace pm::test
