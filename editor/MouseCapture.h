// The mouse capture: the one widget that holds the mouse while a button of it is held down
// (a spin button arrow that repeats) and must let go when a failure is reported. Qt already sends
// the mouse to the widget it was pressed on; this only records which widget cares.
#pragma once

#include <QWidget>

namespace pm {

// Makes `widget` the holder in place of any other.
void SetMouseCapture(QWidget* widget);
// Ends the capture if `widget` holds it.
void ReleaseMouseCapture(const QWidget* widget);
// The holder, or nullptr.
QWidget* MouseCapture();

}  // namespace pm
