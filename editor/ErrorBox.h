// The error box: the one modal message through which a failure reaches the user. The program
// shows it through the current instance, which tests replace by one that records the texts.
#pragma once

#include <string>

namespace pm {

class ErrorBox {
 public:
  virtual ~ErrorBox() = default;

  // Shows `text` with `caption`, the error icon and one OK button, modal to every window of the
  // program, and returns when the user has closed it.
  virtual void Show(const std::string& text, const std::string& caption) = 0;

  // The instance in use: the message box unless another one has been installed.
  static ErrorBox& Current();
  // Makes `box` current (nullptr puts the message box back) and returns the one it replaces,
  // or nullptr when that was the message box. The caller keeps ownership of `box`.
  static ErrorBox* Install(ErrorBox* box);
};

}  // namespace pm
