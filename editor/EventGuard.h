// The event guard: every event handler runs inside one, so that a failure ends only that
// handler. The failure's message is shown in the error box and the program goes on with the
// next event; nothing the handler did before the failure is undone.
#pragma once

#include <QEvent>
#include <exception>
#include <optional>
#include <string>
#include <utility>

namespace pm {

// Runs `handler` and reports whatever escapes it. Returns normally in every case.
template <typename Handler>
void RunGuarded(Handler&& handler) noexcept;

// A handler for a Qt signal that runs `handler` (taking no arguments) inside a guard of its own.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)]() mutable { RunGuarded(handler); };
}

// Reports a failure that escaped a handler. The widget that holds the mouse (MouseCapture.h, or
// a Qt mouse grab) first loses it and is told to cancel its mouse mode. EAbort ends there; any
// other failure shows its message, with the full stop of WithFullStop (base/ErrorText.h), in the
// error box with the application title as caption. The window that was active is then activated
// again and the focus goes back to the widget that had it.
void ReportException(std::exception_ptr failure) noexcept;

// Reports the failure once the event under way is over, so that no box opens inside a paint.
void ReportAfterPaint(std::exception_ptr failure);

// The message that a failure shows, in the user's language (without the full stop the error box
// adds), or nothing for a silent one (EAbort).
std::optional<std::string> FailureMessage(std::exception_ptr failure);

// The event that the widget holding the mouse receives when a failure is reported: it stops
// whatever it does while the mouse is held (a held spin button arrow stops repeating). The
// widget has already lost the mouse when the event arrives.
QEvent::Type CancelModeEventType();

inline constexpr const char* kInternalErrorMessage = "内部エラー: %s";
inline constexpr const char* kUnknownErrorMessage = "不明なエラーが発生しました";

template <typename Handler>
void RunGuarded(Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ReportException(std::current_exception());
  }
}

}  // namespace pm
