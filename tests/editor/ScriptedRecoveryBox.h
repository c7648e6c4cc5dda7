// A recovery box that answers from a script instead of asking a person, installed for the
// lifetime of the object. Every showing is recorded with its rows; each is answered with the
// next queued answer.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "editor/recovery/RecoveryBox.h"

namespace pm::test {

class ScriptedRecoveryBox : public RecoveryBox {
 public:
  ScriptedRecoveryBox() : previous_(RecoveryBox::Install(this)) {}
  ~ScriptedRecoveryBox() override {
    RecoveryBox::Install(previous_);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answers were never asked for";
  }
  ScriptedRecoveryBox(const ScriptedRecoveryBox&) = delete;
  ScriptedRecoveryBox& operator=(const ScriptedRecoveryBox&) = delete;

  void Answer(TRecoveryAction action, size_t row = 0) { answers_.push_back({action, row}); }

  TRecoveryAnswer Ask(const std::vector<TRecoveryRow>& rows) override {
    shown.push_back(rows);
    if (answers_.empty()) {
      ADD_FAILURE() << "the recovery box was shown with no answer scripted";
      return {};
    }
    const TRecoveryAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  void Close() override { ++closed; }

  // The rows of each showing, in order.
  std::vector<std::vector<TRecoveryRow>> shown;
  int closed = 0;

 private:
  std::deque<TRecoveryAnswer> answers_;
  RecoveryBox* previous_;
};

}  // namespace pm::test
