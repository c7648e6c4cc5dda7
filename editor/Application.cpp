#include "editor/Application.h"

#include "editor/ApplicationTitle.h"
#include "editor/EventGuard.h"
#include "editor/Translation.h"

namespace pm {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  ApplicationTitle();
  InstallTranslation(*this);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  // A failed dispatch counts as handled: it returns as if its handler had finished.
  bool handled = true;
  RunGuarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace pm
