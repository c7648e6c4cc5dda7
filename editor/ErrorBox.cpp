#include "editor/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>

namespace pm {

namespace {

// A message box with the error icon, parented to the active window so that it opens on the
// screen that shows it; all windows of the program are disabled while it is open.
class MessageErrorBox final : public ErrorBox {
 public:
  void Show(const std::string& text, const std::string& caption) override {
    // Held through a guarded pointer: whatever runs in the box's own event loop may destroy its
    // parent, and the box with it.
    QPointer<QMessageBox> box = new QMessageBox(
        QMessageBox::Critical, QString::fromStdString(caption), QString::fromStdString(text),
        QMessageBox::Ok, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
  }
};

MessageErrorBox messageErrorBox;
ErrorBox* installed = nullptr;

}  // namespace

ErrorBox& ErrorBox::Current() { return installed ? *installed : messageErrorBox; }

ErrorBox* ErrorBox::Install(ErrorBox* box) {
  ErrorBox* previous = installed;
  installed = box;
  return previous;
}

}  // namespace pm
