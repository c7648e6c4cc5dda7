#include "editor/MouseCapture.h"

#include <QPointer>

namespace pm {

namespace {

QPointer<QWidget>& Holder() {
  static QPointer<QWidget> holder;
  return holder;
}

}  // namespace

void SetMouseCapture(QWidget* widget) { Holder() = widget; }

void ReleaseMouseCapture(const QWidget* widget) {
  if (Holder() == widget) Holder() = nullptr;
}

QWidget* MouseCapture() { return Holder(); }

}  // namespace pm
