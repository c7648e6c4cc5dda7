#include "base/Exceptions.h"

#include <string>

namespace pm {

namespace {

std::string ReplaceFirstPlaceholder(std::string_view pattern, std::string_view placeholder,
                                    std::string_view argument) {
  std::string text(pattern);
  const auto at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, placeholder.size(), argument);
  return text;
}

}  // namespace

std::string FormatMessage(std::string_view pattern, std::string_view argument) {
  return ReplaceFirstPlaceholder(pattern, "%s", argument);
}

std::string FormatMessage(std::string_view pattern, long long argument) {
  return ReplaceFirstPlaceholder(pattern, "%d", std::to_string(argument));
}

void RaiseReadError() { throw EReadError(std::string(kReadErrorMessage)); }

void RaiseWriteError() { throw EWriteError(std::string(kWriteErrorMessage)); }

void RaiseCannotOpenFile(std::string_view fileName) {
  throw EFOpenError(FormatMessage(kCannotOpenFileMessage, fileName));
}

void RaiseCannotCreateFile(std::string_view fileName) {
  throw EFCreateError(FormatMessage(kCannotCreateFileMessage, fileName));
}

}  // namespace pm
