#include "tool/DocumentArguments.h"

#include "base/IntegerText.h"
#include "page/DocumentErrors.h"

namespace pm::tool {

int32_t ParsePageNumber(const std::string& text) {
  int32_t number = -1;
  try {
    number = StrToInt(text);
  } catch (const EConvertError&) {
  }
  if (number < 0) throw UsageError("a page number is 0 or more, not " + text);
  return number;
}

TDocument OpenDocument(const std::string& pattern, std::optional<int32_t> start) {
  try {
    return TDocument(pattern, start);
  } catch (const EInvalidDocument& e) {
    throw UsageError(e.Message());
  }
}

}  // namespace pm::tool
