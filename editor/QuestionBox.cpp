#include "editor/QuestionBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>

#include "editor/ApplicationTitle.h"

namespace pm {

namespace {

QMessageBox::ButtonRole RoleOf(TAnswerRole role) {
  switch (role) {
    case TAnswerRole::Accept:
      return QMessageBox::AcceptRole;
    case TAnswerRole::Destructive:
      return QMessageBox::DestructiveRole;
    case TAnswerRole::Reject:
      break;
  }
  return QMessageBox::RejectRole;
}

// A message box with the question icon, parented to the active window; all windows of the
// program are disabled while it is open.
class MessageQuestionBox final : public QuestionBox {
 public:
  size_t Ask(const TQuestion& question) override {
    const QString title =
        question.title.isEmpty() ? QString::fromStdString(ApplicationTitle()) : question.title;
    // Held through a guarded pointer: whatever runs in the box's own event loop may destroy its
    // parent, and the box with it.
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Question, title, question.text, QMessageBox::NoButton,
                        QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    std::vector<QPushButton*> buttons;
    for (const TAnswer& answer : question.answers) {
      buttons.push_back(box->addButton(answer.text, RoleOf(answer.role)));
    }
    if (!buttons.empty()) box->setDefaultButton(buttons.front());
    const size_t closing = ClosingAnswer(question);
    if (closing < buttons.size()) box->setEscapeButton(buttons[closing]);
    box->exec();
    size_t chosen = closing;
    if (box) {
      for (size_t i = 0; i < buttons.size(); ++i) {
        if (box->clickedButton() == buttons[i]) chosen = i;
      }
      delete box.data();
    }
    return chosen;
  }
};

MessageQuestionBox messageQuestionBox;
QuestionBox* installed = nullptr;

}  // namespace

size_t ClosingAnswer(const TQuestion& question) {
  for (size_t i = 0; i < question.answers.size(); ++i) {
    if (question.answers[i].role == TAnswerRole::Reject) return i;
  }
  return question.answers.empty() ? 0 : question.answers.size() - 1;
}

QuestionBox& QuestionBox::Current() { return installed ? *installed : messageQuestionBox; }

QuestionBox* QuestionBox::Install(QuestionBox* box) {
  QuestionBox* previous = installed;
  installed = box;
  return previous;
}

}  // namespace pm
