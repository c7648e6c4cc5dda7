#include "editor/Edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodQueryEvent>
#include <QTest>
#include <QVBoxLayout>

#include "base/Exceptions.h"
#include "base/IntegerText.h"
#include "tests/editor/RecordingErrorBox.h"

namespace pm {
namespace {

// A window with a number field and a file-name field, active, the number field focused; every
// run of the number field's OnChange records the text it found.
class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    number_ = new TEdit(&window_);
    number_->SetImeMode(TImeMode::imDisable);
    number_->SetText("0");
    fileName_ = new TEdit(&window_);
    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(number_);
    layout->addWidget(fileName_);
    number_->SetOnChange([this](TEdit& sender) { changes_.push_back(sender.Text()); });
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    number_->setFocus();
  }

  void Paste(TEdit* field, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }

  QWidget window_;
  TEdit* number_ = nullptr;
  TEdit* fileName_ = nullptr;
  std::vector<std::string> changes_;
};

TEST_F(EditTest, EveryChangeByTheUserRunsOnChangeOnce) {
  QTest::keyClick(number_, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(number_, "12");
  QTest::keyClick(number_, Qt::Key_Backspace);
  EXPECT_EQ(changes_, (std::vector<std::string>{"1", "12", "1"}));

  changes_.clear();
  Paste(number_, "345");
  QTest::keyClick(number_, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(number_, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(changes_, (std::vector<std::string>{"1345", ""}));

  changes_.clear();
  QTest::keyClick(number_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(changes_, std::vector<std::string>{"1345"});
  QTest::keyClick(number_, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(changes_, (std::vector<std::string>{"1345", ""}));
}

TEST_F(EditTest, ASetRunsOnChangeBeforeItReturnsUnlessTheTextIsShownAlready) {
  number_->SetText("5");
  changes_.clear();
  number_->setSelection(0, 1);

  number_->SetText("5");
  EXPECT_TRUE(changes_.empty());
  EXPECT_EQ(number_->selectedText(), "5");  // nothing at all happened

  number_->SetText("05");
  EXPECT_EQ(changes_, std::vector<std::string>{"05"});
  number_->SetText("\xEF\xBC\x95");  // a full-width five is another text
  EXPECT_EQ(changes_, (std::vector<std::string>{"05", "\xEF\xBC\x95"}));
  EXPECT_EQ(number_->Text(), "\xEF\xBC\x95");
}

TEST_F(EditTest, AHandlerThatWritesBackTheNumberItReadRunsTwiceFor007AndOnceFor7) {
  int runs = 0;
  number_->SetOnChange([&runs](TEdit& sender) {
    ++runs;
    try {
      sender.SetText(IntToStr(StrToInt(sender.Text())));
    } catch (const EConvertError&) {
    }
  });
  QTest::keyClick(number_, Qt::Key_A, Qt::ControlModifier);
  Paste(number_, "007");
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(number_->Text(), "7");

  runs = 0;
  number_->SetText("0");
  EXPECT_EQ(runs, 1);
  runs = 0;
  QTest::keyClick(number_, Qt::Key_A, Qt::ControlModifier);
  Paste(number_, "7");
  EXPECT_EQ(runs, 1);

  // Typing goes on from the written-back text.
  QTest::keyClick(number_, Qt::Key_End);
  QTest::keyClick(number_, Qt::Key_0);
  EXPECT_EQ(number_->Text(), "70");
}

TEST_F(EditTest, AFailedOnChangeIsReportedAndTheFieldKeepsItsText) {
  test::RecordingErrorBox box;
  number_->SetOnChange([](TEdit& sender) { StrToInt(sender.Text()); });
  number_->SetText("abc");
  QTest::keyClick(number_, Qt::Key_D);
  EXPECT_EQ(box.Texts(), (std::vector<std::string>{"'abc' は整数ではありません.",
                                                   "'abcd' は整数ではありません."}));
  EXPECT_EQ(number_->Text(), "abcd");
}

TEST_F(EditTest, TheTextHasNoLengthLimit) {
  const std::string longText(40000, '7');
  number_->SetText(longText);
  EXPECT_EQ(number_->Text(), longText);
  QTest::keyClick(number_, Qt::Key_End);
  QTest::keyClick(number_, Qt::Key_1);
  EXPECT_EQ(number_->Text().size(), longText.size() + 1);
}

bool InputMethodEnabledForFocus() {
  QInputMethodQueryEvent query(Qt::ImEnabled);
  QCoreApplication::sendEvent(QApplication::focusObject(), &query);
  return query.value(Qt::ImEnabled).toBool();
}

TEST_F(EditTest, OnlyTheNumberFieldSwitchesTheInputMethodOff) {
  ASSERT_EQ(QApplication::focusObject(), number_);
  EXPECT_FALSE(InputMethodEnabledForFocus());
  fileName_->setFocus();
  ASSERT_EQ(QApplication::focusObject(), fileName_);
  EXPECT_TRUE(InputMethodEnabledForFocus());
  EXPECT_EQ(fileName_->ImeMode(), TImeMode::imDontCare);
}

TEST_F(EditTest, TabSelectsTheWholeTextAndAClickSelectsNothing) {
  fileName_->setText("/tmp/a.bmp");
  fileName_->setSelection(1, 2);
  QTest::keyClick(number_, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), fileName_);
  EXPECT_EQ(fileName_->selectedText(), "/tmp/a.bmp");  // the whole text, not the old selection

  QTest::keyClick(fileName_, Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_EQ(QApplication::focusWidget(), number_);
  EXPECT_EQ(number_->selectedText(), "0");

  fileName_->deselect();
  QTest::mouseClick(fileName_, Qt::LeftButton, {}, QPoint(2, fileName_->height() / 2));
  ASSERT_EQ(QApplication::focusWidget(), fileName_);
  EXPECT_FALSE(fileName_->hasSelectedText());
  EXPECT_EQ(fileName_->cursorPosition(), 0);

  fileName_->SetAutoSelect(false);
  fileName_->setCursorPosition(3);
  number_->setFocus();
  QTest::keyClick(number_, Qt::Key_Tab);
  EXPECT_FALSE(fileName_->hasSelectedText());
  EXPECT_EQ(fileName_->cursorPosition(), 3);
}

}  // namespace
}  // namespace pm
