#include "editor/Edit.h"

#include <QFocusEvent>
#include <QString>
#include <limits>

#include "editor/EventGuard.h"

namespace pm {

namespace {

constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

bool EnteredByKeyboard(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason;
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kNoLengthLimit);
  // Qt reports the user's changes through textEdited only; a change by the program is reported
  // by SetText itself.
  connect(this, &QLineEdit::textEdited, this, [this] { RunOnChange(); });
}

std::string TEdit::Text() const { return text().toStdString(); }

void TEdit::SetText(std::string_view text) {
  const QString newText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (newText == QLineEdit::text()) return;
  setText(newText);
  RunOnChange();
}

void TEdit::SetImeMode(TImeMode mode) {
  imeMode_ = mode;
  setAttribute(Qt::WA_InputMethodEnabled, mode != TImeMode::imDisable);
}

// The platform's input method asks the focused widget whether it takes composed text; the line
// edit says yes whatever its attribute says.
QVariant TEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled && imeMode_ == TImeMode::imDisable) return false;
  return QLineEdit::inputMethodQuery(query);
}

void TEdit::focusInEvent(QFocusEvent* event) {
  const bool hadSelection = hasSelectedText();
  const int cursor = cursorPosition();
  QLineEdit::focusInEvent(event);
  if (!EnteredByKeyboard(event->reason())) return;
  if (autoSelect_) {
    selectAll();
  } else if (!hadSelection) {
    setCursorPosition(cursor);
  }
}

void TEdit::RunOnChange() {
  // A copy: the handler may give the field another handler while it runs.
  const ChangeHandler handler = onChange_;
  if (handler) RunGuarded([&] { handler(*this); });
}

}  // namespace pm
