// Reading pagetool's arguments.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pm::tool {

// The arguments don't fit the command: the usage is printed and the exit status is 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The arguments after the command's name, read one after the other.
class ArgumentList {
 public:
  explicit ArgumentList(std::span<const std::string> arguments) : arguments_(arguments) {}
  bool Done() const { return next_ == arguments_.size(); }
  const std::string& Peek() const { return arguments_[next_]; }
  // The next argument; a UsageError naming `what` when there is none.
  const std::string& Take(std::string_view what);
  // UsageError when arguments are left over.
  void ExpectDone() const;

 private:
  std::span<const std::string> arguments_;
  size_t next_ = 0;
};

// A slot or link number: a number by the system's integer parsing (EConvertError when it isn't
// one) from 0 to 255, else a UsageError.
int32_t ParseSlotOrLink(std::string_view text);
// Splits "N=VALUE" at the first "=": a UsageError when there is none.
std::pair<std::string, std::string> SplitAssignment(std::string_view option, std::string_view text);

}  // namespace pm::tool
