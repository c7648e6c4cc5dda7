// The numbers that "JPEG エラー #%d" shows. Users see the message numbers of the JPEG library
// release whose JPEG_LIB_VERSION is 61; a linked library that numbers its codes differently
// (later releases insert codes) is translated by the codes' symbolic names.
#pragma once

namespace pm {

// The release-61 number of the linked library's message code `linkedCode`. A code that release
// doesn't have, or one outside the linked library's list, keeps its own number.
int ReleaseMessageNumber(int linkedCode);

}  // namespace pm
