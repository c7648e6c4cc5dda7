// TEdit: a single-line text field that reports every change of its text, whether the user or
// the program made it.
#pragma once

#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

namespace pm {

// Whether the field leaves the input method (composition of Japanese text) alone, or switches
// it off while the field has the keyboard focus so that keys give plain characters.
enum class TImeMode { imDontCare, imDisable };

class TEdit : public QLineEdit {
 public:
  using ChangeHandler = std::function<void(TEdit& sender)>;

  explicit TEdit(QWidget* parent = nullptr);

  // The text shown, as UTF-8.
  std::string Text() const;
  // Nothing at all happens when `text` is the text shown, character for character. Otherwise
  // the field shows it and OnChange runs at once inside a guard of its own; the set returns when
  // OnChange has finished, also when it failed (the guard has shown its error box then).
  void SetText(std::string_view text);

  // Runs once after each change of the text by the user (typing, deleting, cutting, pasting,
  // undoing, redoing) and once after each set that changes the text; not before it is given.
  const ChangeHandler& OnChange() const { return onChange_; }
  void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode mode);

  // On (the default): entering the field with the keyboard selects its whole text; entering it
  // with a click selects nothing either way.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 private:
  void RunOnChange();

  ChangeHandler onChange_;
  TImeMode imeMode_ = TImeMode::imDontCare;
  bool autoSelect_ = true;
};

}  // namespace pm
