// The application object: every event that it dispatches runs inside the event guard, so that
// no failure raised outside a control's own handler reaches the event loop.
#pragma once

#include <QApplication>

namespace pm {

class TApplication : public QApplication {
 public:
  // Also fixes the application title.
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace pm
