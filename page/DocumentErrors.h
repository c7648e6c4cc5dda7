// The failure of naming a document: a pattern that names no page files, a folder that can't be
// read, a document without pages, a start page that isn't one of them.
#pragma once

#include "base/Exceptions.h"

namespace pm {

class EInvalidDocument : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace pm
