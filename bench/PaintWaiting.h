// Waiting in a benchmark for a widget's next paint, so that a timing ends when what it measures
// is on the screen.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace pm::bench {

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Handles events until the widget has painted since it had painted `before` times; a widget that
// doesn't paint within ten seconds ends the program.
inline void WaitForPaint(const PaintCounter& counter, int before) {
  constexpr qint64 kPatienceMilliseconds = 10000;
  QElapsedTimer waited;
  waited.start();
  while (counter.paints == before) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (waited.elapsed() > kPatienceMilliseconds) {
      std::fprintf(stderr, "the widget didn't paint\n");
      std::exit(EXIT_FAILURE);
    }
  }
}

}  // namespace pm::bench
