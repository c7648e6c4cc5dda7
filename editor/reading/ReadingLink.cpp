#include "editor/reading/ReadingLink.h"

#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "editor/EventGuard.h"

namespace pm {

namespace {

// Assistive tools meet a link as a link, named by its accessible name.
QAccessibleInterface* LinkAccessible(const QString&, QObject* object) {
  auto* link = dynamic_cast<TReadingLink*>(object);
  return link ? new QAccessibleWidget(link, QAccessible::Link) : nullptr;
}

}  // namespace

TReadingLink::TReadingLink(const TReadLink& link, Listeners listeners, QWidget* parent)
    : QWidget(parent), listeners_(std::move(listeners)) {
  static const bool kLinksAccessible = (QAccessible::installFactory(LinkAccessible), true);
  (void)kLinksAccessible;
  setFocusPolicy(Qt::TabFocus);
  // Nothing of its own to paint: the page under it shows through.
  setAttribute(Qt::WA_NoSystemBackground);
  SetLink(link);
}

void TReadingLink::SetLink(const TReadLink& link) {
  link_ = link;
  setObjectName(QString("ReadingLink%1").arg(link.number));
  setAccessibleName(link.name);
  setToolTip(link.name);
  setCursor(link.leads ? Qt::PointingHandCursor : Qt::ForbiddenCursor);
}

void TReadingLink::TellLitChanged() {
  if (listeners_.litChanged) RunGuarded([this] { listeners_.litChanged(link_.number); });
}

void TReadingLink::enterEvent(QEnterEvent* event) {
  TellLitChanged();
  QWidget::enterEvent(event);
}

void TReadingLink::leaveEvent(QEvent* event) {
  TellLitChanged();
  QWidget::leaveEvent(event);
}

void TReadingLink::focusInEvent(QFocusEvent* event) {
  keyboardFocus_ =
      event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
  TellLitChanged();
  QWidget::focusInEvent(event);
}

void TReadingLink::focusOutEvent(QFocusEvent* event) {
  keyboardFocus_ = false;
  TellLitChanged();
  QWidget::focusOutEvent(event);
}

void TReadingLink::mousePressEvent(QMouseEvent* event) {
  // Taken, so that the release comes here too; the link is followed when it comes inside.
  if (event->button() == Qt::LeftButton) {
    event->accept();
  } else {
    QWidget::mousePressEvent(event);
  }
}

void TReadingLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  event->accept();
  if (listeners_.activated) RunGuarded([this] { listeners_.activated(link_.number); });
}

void TReadingLink::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !plain) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (listeners_.activated) RunGuarded([this] { listeners_.activated(link_.number); });
}

}  // namespace pm
