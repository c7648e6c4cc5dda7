#include "editor/EventGuard.h"

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <new>
#include <optional>

#include "base/ErrorText.h"
#include "base/Exceptions.h"
#include "editor/ApplicationTitle.h"
#include "editor/ErrorBox.h"
#include "editor/MouseCapture.h"
#include "editor/Translation.h"

namespace pm {

namespace {

void SendCancelMode(QWidget* widget) {
  if (widget == nullptr) return;
  QEvent cancel(CancelModeEventType());
  QCoreApplication::sendEvent(widget, &cancel);
}

// Both the widget that captured the mouse and one that grabbed it through Qt let go before
// either hears of it: a failure while they cancel finds nothing to cancel and can't come back.
void CancelMouseMode() {
  const QPointer<QWidget> holder = MouseCapture();
  const QPointer<QWidget> grabber = QWidget::mouseGrabber();
  ReleaseMouseCapture(holder);
  if (grabber) grabber->releaseMouse();
  SendCancelMode(holder);
  if (grabber != holder) SendCancelMode(grabber);
}

void ShowErrorBox(const std::string& text) {
  const QPointer<QWidget> activeWindow = QApplication::activeWindow();
  const QPointer<QWidget> focusWidget = QApplication::focusWidget();
  ErrorBox::Current().Show(text, ApplicationTitle());
  if (activeWindow) activeWindow->activateWindow();
  if (focusWidget) focusWidget->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace

std::optional<std::string> FailureMessage(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
    return std::nullopt;
  } catch (const Exception& e) {
    return TranslatedMessage(e.Message());
  } catch (const std::bad_alloc&) {
    return TranslatedMessage(std::string(kOutOfMemoryMessage));
  } catch (const std::exception& e) {
    return TranslatedMessage(FormatMessage(kInternalErrorMessage, e.what()));
  } catch (...) {
    return TranslatedMessage(std::string(kUnknownErrorMessage));
  }
}

void ReportException(std::exception_ptr failure) noexcept {
  try {
    CancelMouseMode();
    const std::optional<std::string> message = FailureMessage(failure);
    if (message) ShowErrorBox(WithFullStop(*message));
  } catch (...) {
    // Nothing is left to report this with; the program goes on with the next event.
  }
}

void ReportAfterPaint(std::exception_ptr failure) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [failure] { ReportException(failure); }, Qt::QueuedConnection);
}

QEvent::Type CancelModeEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace pm
