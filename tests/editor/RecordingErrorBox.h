// An error box that records what it is asked to show instead of showing it, installed for the
// lifetime of the object.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/ErrorBox.h"

namespace pm::test {

class RecordingErrorBox : public ErrorBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
  };

  RecordingErrorBox() : previous_(ErrorBox::Install(this)) {}
  ~RecordingErrorBox() override { ErrorBox::Install(previous_); }
  RecordingErrorBox(const RecordingErrorBox&) = delete;
  RecordingErrorBox& operator=(const RecordingErrorBox&) = delete;

  void Show(const std::string& text, const std::string& caption) override {
    shown.push_back({text, caption});
    if (whileShown) whileShown();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Shown& box : shown) texts.push_back(box.text);
    return texts;
  }

  std::vector<Shown> shown;
  // Runs while a box is "open", to look at the program's state at that moment.
  std::function<void()> whileShown;

 private:
  ErrorBox* previous_;
};

}  // namespace pm::test
