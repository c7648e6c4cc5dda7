// The question box: a modal question with a few answers ("保存", "保存しない", "キャンセル"). The
// program asks through the current instance, which tests replace by one that answers from a
// script.
#pragma once

#include <QString>
#include <vector>

namespace pm {

// How an answer behaves: the one that goes ahead, the one that goes ahead and gives something up,
// or the one that changes nothing (also the answer when the box is closed without a button).
enum class TAnswerRole { Accept, Destructive, Reject };

struct TAnswer {
  QString text;
  TAnswerRole role = TAnswerRole::Accept;
};

struct TQuestion {
  QString title;  // empty for the application title
  QString text;
  std::vector<TAnswer> answers;  // in the order given; the first is the default
};

class QuestionBox {
 public:
  virtual ~QuestionBox() = default;

  // Asks, modal to every window of the program, and returns the index of the answer chosen; the
  // box closed without a button gives the first answer of role Reject (or the last answer).
  virtual size_t Ask(const TQuestion& question) = 0;

  // The instance in use: a message box unless another one has been installed.
  static QuestionBox& Current();
  // Makes `box` current (nullptr puts the message box back) and returns the one it replaces.
  // The caller keeps ownership of `box`.
  static QuestionBox* Install(QuestionBox* box);
};

// The answer that a box closed without a button gives: the first of role Reject, or the last.
size_t ClosingAnswer(const TQuestion& question);

// Asks the current box.
inline size_t Ask(const TQuestion& question) { return QuestionBox::Current().Ask(question); }

}  // namespace pm
