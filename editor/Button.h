// TButton: a push button that Enter presses as well as Space while it has the focus.
#pragma once

#include <QKeyEvent>
#include <QPushButton>

namespace pm {

class TButton : public QPushButton {
 public:
  TButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->accept();
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace pm
