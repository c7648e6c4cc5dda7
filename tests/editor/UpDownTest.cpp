#include "editor/UpDown.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QTest>

#include "base/Exceptions.h"
#include "editor/Edit.h"
#include "editor/MouseCapture.h"
#include "tests/editor/RecordingErrorBox.h"

namespace pm {
namespace {

struct Click {
  int position;  // Position as read inside OnClick
  TUDBtnType button;
  friend bool operator==(const Click&, const Click&) = default;
};

void PrintTo(const Click& click, std::ostream* out) {
  *out << "{" << click.position << ", "
       << (click.button == TUDBtnType::btNext ? "btNext" : "btPrev") << "}";
}

// A spin button set as the window sets its two: 0 to 255, wrapping, at position 0.
class UpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.resize(200, 100);
    field_ = new TEdit(&window_);
    field_->setGeometry(16, 8, 121, 20);
    upDown_ = new TUpDown(&window_);
    upDown_->setGeometry(144, 8, 15, 22);
    upDown_->SetMin(0);
    upDown_->SetMax(255);
    upDown_->SetWrap(true);
    upDown_->SetPosition(0);
    upDown_->SetOnClick([this](TUpDown& sender, TUDBtnType button) {
      clicks_.push_back({sender.Position(), button});
    });
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  static constexpr QPoint kUpArrow{7, 3};
  static constexpr QPoint kDownArrow{7, 18};

  void ClickArrow(QPoint arrow) { QTest::mouseClick(upDown_, Qt::LeftButton, {}, arrow); }

  int RepeatDelay() const {
    return upDown_->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold);
  }

  QWidget window_;
  TEdit* field_ = nullptr;
  TUpDown* upDown_ = nullptr;
  std::vector<Click> clicks_;
};

TEST_F(UpDownTest, EachClickStepsByOneAndWrapsAtBothEnds) {
  ClickArrow(kUpArrow);
  ClickArrow(kUpArrow);
  ClickArrow(kDownArrow);
  EXPECT_EQ(clicks_,
            (std::vector<Click>{
                {1, TUDBtnType::btNext}, {2, TUDBtnType::btNext}, {1, TUDBtnType::btPrev}}));

  clicks_.clear();
  upDown_->SetPosition(255);
  ClickArrow(kUpArrow);
  EXPECT_EQ(upDown_->Position(), 0);
  ClickArrow(kDownArrow);
  EXPECT_EQ(upDown_->Position(), 255);
  EXPECT_EQ(clicks_, (std::vector<Click>{{0, TUDBtnType::btPrev}, {255, TUDBtnType::btNext}}));
}

TEST_F(UpDownTest, SettingThePositionNeverRunsOnClick) {
  upDown_->SetPosition(0);
  upDown_->SetPosition(17);
  upDown_->SetPosition(17);
  EXPECT_EQ(upDown_->Position(), 17);
  EXPECT_TRUE(clicks_.empty());

  // Stepping goes on from the position set.
  ClickArrow(kUpArrow);
  EXPECT_EQ(clicks_, (std::vector<Click>{{18, TUDBtnType::btNext}}));

  // A position outside the range is recorded, but the arrows stay within it.
  upDown_->SetPosition(300);
  EXPECT_EQ(upDown_->Position(), 255);
}

TEST_F(UpDownTest, WithoutWrapTheArrowsStopAtTheEndsSilently) {
  upDown_->SetWrap(false);
  upDown_->SetMax(2);
  for (int i = 0; i < 3; ++i) ClickArrow(kUpArrow);
  for (int i = 0; i < 3; ++i) ClickArrow(kDownArrow);
  EXPECT_EQ(clicks_, (std::vector<Click>{{1, TUDBtnType::btNext},
                                         {2, TUDBtnType::btNext},
                                         {1, TUDBtnType::btPrev},
                                         {0, TUDBtnType::btPrev}}));
}

TEST_F(UpDownTest, AHeldArrowRepeatsOneStepAtATimeUntilReleased) {
  upDown_->SetPosition(250);
  QTest::mousePress(upDown_, Qt::LeftButton, {}, kUpArrow);
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicks_.size() >= 8; }, 30000));
  QTest::mouseRelease(upDown_, Qt::LeftButton, {}, kUpArrow);
  const size_t steps = clicks_.size();
  QTest::qWait(3 * RepeatDelay());
  EXPECT_EQ(clicks_.size(), steps);

  int expected = 250;
  for (const Click& click : clicks_) {
    expected = expected == 255 ? 0 : expected + 1;
    EXPECT_EQ(click.position, expected);
    EXPECT_EQ(click.button, expected == 0 ? TUDBtnType::btPrev : TUDBtnType::btNext);
  }
}

TEST_F(UpDownTest, AFailedStepReportsOnceAndStopsTheRepeat) {
  test::RecordingErrorBox box;
  QWidget* holderWhileShown = upDown_;
  box.whileShown = [&] { holderWhileShown = MouseCapture(); };
  upDown_->SetOnClick([this](TUpDown& sender, TUDBtnType button) {
    clicks_.push_back({sender.Position(), button});
    throw Exception("失敗");
  });

  QTest::mousePress(upDown_, Qt::LeftButton, {}, kDownArrow);
  QTest::qWait(3 * RepeatDelay());
  QTest::mouseRelease(upDown_, Qt::LeftButton, {}, kDownArrow);
  EXPECT_EQ(clicks_, (std::vector<Click>{{255, TUDBtnType::btNext}}));
  EXPECT_EQ(box.Texts(), std::vector<std::string>{"失敗."});
  EXPECT_EQ(holderWhileShown, nullptr);
  EXPECT_EQ(upDown_->Position(), 255);  // the step itself stands
}

TEST_F(UpDownTest, TakesNoFocusFromTabOrClick) {
  auto* next = new TEdit(&window_);
  next->setGeometry(16, 40, 121, 20);
  next->show();
  field_->setFocus();
  ClickArrow(kUpArrow);
  EXPECT_EQ(QApplication::focusWidget(), field_);
  QTest::keyClick(field_, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), next);
}

}  // namespace
}  // namespace pm
