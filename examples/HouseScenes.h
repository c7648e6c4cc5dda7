// The sample document: eight pages about a house, each a drawn scene with links over its doors,
// windows and paths. The hall's cellar door leads to page 9, which the house doesn't have, and
// nothing leads up to the attic (page 7).
#pragma once

#include <vector>

#include "examples/SamplePage.h"

namespace pm::examples {

// Pages 1 to 8 in order.
std::vector<TSamplePage> DrawHouse();

}  // namespace pm::examples
