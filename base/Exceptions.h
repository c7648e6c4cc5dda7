// The failure classes of the system. Every failure carries the UTF-8 text that the
// error box shows; only the message ever reaches the user.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace pm {

// Replaces the first "%s" or "%d" of `pattern` by `argument`.
std::string FormatMessage(std::string_view pattern, std::string_view argument);
std::string FormatMessage(std::string_view pattern, long long argument);

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text isn't an integer.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Streams: a memory buffer can't grow, or a file can't be created, opened, read or written.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

// Pictures.
class EInvalidGraphic : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
 public:
  using Exception::Exception;
};
// A fatal error of the JPEG library: "JPEG エラー #%d".
class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// Platform failures.
class EOSError : public Exception {
 public:
  EOSError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
  int Code() const noexcept { return code_; }

 private:
  int code_;
};
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// Ends a handler without any message.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

// The messages that more than one part of the system raises.
inline constexpr std::string_view kReadErrorMessage = "ストリームからの読み込みエラー";
inline constexpr std::string_view kWriteErrorMessage = "ストリームへの書き込みエラー";
inline constexpr std::string_view kCannotOpenFileMessage = "ファイル %s は開けません";
inline constexpr std::string_view kCannotCreateFileMessage = "ファイル %s を作成できません";
inline constexpr std::string_view kMemoryStreamGrowMessage =
    "メモリストリームの拡大中にメモリが足りなくなりました";
// What the user sees when memory runs out anywhere else.
inline constexpr std::string_view kOutOfMemoryMessage = "メモリが足りません";

[[noreturn]] void RaiseReadError();
[[noreturn]] void RaiseWriteError();
[[noreturn]] void RaiseCannotOpenFile(std::string_view fileName);
[[noreturn]] void RaiseCannotCreateFile(std::string_view fileName);

}  // namespace pm
