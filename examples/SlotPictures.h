// The slot picture of a link: what the link covers on its page, lit up and framed, with a sign
// in the colour of the page that it leads to, showing an arrow and that page's number. A link
// to a page that doesn't exist shows its part of the page darkened, in a red frame, with a
// padlock.
#pragma once

#include "examples/SamplePage.h"

namespace pm::examples {

// `target` is the page that the link leads to, or null when there is none.
TBitmap SlotPicture(const TSamplePage& page, const TSampleLink& link, const TSamplePage* target);

}  // namespace pm::examples
