// A question box that answers from a script instead of asking a person, installed for the
// lifetime of the object. Every question is recorded as asked; each is answered with the next
// queued answer, named by its text.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/QuestionBox.h"

namespace pm::test {

class ScriptedQuestions : public QuestionBox {
 public:
  ScriptedQuestions() : previous_(QuestionBox::Install(this)) {}
  ~ScriptedQuestions() override {
    QuestionBox::Install(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answers were never asked for";
  }
  ScriptedQuestions(const ScriptedQuestions&) = delete;
  ScriptedQuestions& operator=(const ScriptedQuestions&) = delete;

  // The next question is answered with the answer of this text.
  void Answer(const std::string& text) { answers_.push_back(text); }

  size_t Ask(const TQuestion& question) override {
    asked.push_back(question);
    if (whileAsked) whileAsked();
    if (answers_.empty()) {
      ADD_FAILURE() << "a question was asked with no answer scripted: "
                    << question.text.toStdString();
      return ClosingAnswer(question);
    }
    const std::string wanted = answers_.front();
    answers_.pop_front();
    for (size_t i = 0; i < question.answers.size(); ++i) {
      if (question.answers[i].text.toStdString() == wanted) return i;
    }
    ADD_FAILURE() << "the question \"" << question.text.toStdString() << "\" has no answer \""
                  << wanted << "\"";
    return ClosingAnswer(question);
  }

  // The texts of the questions asked so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TQuestion& question : asked) texts.push_back(question.text.toStdString());
    return texts;
  }

  std::vector<TQuestion> asked;
  // Runs while a question is "open", to look at the program's state at that moment.
  std::function<void()> whileAsked;

 private:
  std::deque<std::string> answers_;
  QuestionBox* previous_;
};

}  // namespace pm::test
