#include "tool/CommandLine.h"

#include "base/IntegerText.h"
#include "page/Page.h"

namespace pm::tool {

const std::string& ArgumentList::Take(std::string_view what) {
  if (Done()) throw UsageError("missing " + std::string(what));
  return arguments_[next_++];
}

void ArgumentList::ExpectDone() const {
  if (!Done()) throw UsageError("unexpected argument: " + arguments_[next_]);
}

int32_t ParseSlotOrLink(std::string_view text) {
  const int32_t number = StrToInt(text);
  if (number < 0 || number >= kSlotCount) {
    throw UsageError("slot and link numbers are 0 to 255, not " + std::string(text));
  }
  return number;
}

std::pair<std::string, std::string> SplitAssignment(std::string_view option,
                                                    std::string_view text) {
  const size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    throw UsageError(std::string(option) + " needs N=VALUE, not " + std::string(text));
  }
  return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

}  // namespace pm::tool
