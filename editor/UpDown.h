// TUpDown: a spin button, two arrows one above the other that step a number within a range.
// It is tied to no field and takes no keyboard focus; the window keeps a field in step with it
// through OnClick.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace pm {

// The step that OnClick reports: the new value is above (next) or below (previous) the recorded
// position.
enum class TUDBtnType { btNext, btPrev };

class TUpDown : public QWidget {
 public:
  using ClickHandler = std::function<void(TUpDown& sender, TUDBtnType button)>;

  explicit TUpDown(QWidget* parent = nullptr);

  int16_t Min() const { return min_; }
  void SetMin(int16_t min);
  int16_t Max() const { return max_; }
  void SetMax(int16_t max);
  // The amount of one step; the up arrow adds it, the down arrow subtracts it.
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t increment) { increment_ = increment; }
  // On: a step beyond Max gives Min and one below Min gives Max. Off: steps stop at either end.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap) { wrap_ = wrap; }

  // The arrows' current value, which from now on is also the recorded position. Inside OnClick
  // it is the value that the step has just made.
  int16_t Position();
  // Records `position` and moves the arrows' value to it (kept within the range); nothing
  // happens when it is the recorded position already. Never runs OnClick.
  void SetPosition(int16_t position);

  // Runs once for each step of the arrows, inside a guard of its own, when the step changed the
  // value; the new value becomes the recorded position when it has returned.
  const ClickHandler& OnClick() const { return onClick_; }
  void SetOnClick(ClickHandler handler) { onClick_ = std::move(handler); }

  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  enum class Arrow { None, Up, Down };

  Arrow ArrowAt(QPoint point) const;
  QRect ArrowRect(Arrow arrow) const;
  void PaintArrow(QPainter& painter, Arrow arrow);

  void Press(Arrow arrow);
  void Repeat();
  void Release();

  void Step(Arrow arrow);
  int16_t SteppedValue(Arrow arrow) const;
  int16_t WithinRange(int32_t value) const;

  int16_t min_ = 0;
  int16_t max_ = 100;
  int32_t increment_ = 1;
  bool wrap_ = false;
  int16_t value_ = 0;     // the arrows' own value
  int16_t position_ = 0;  // the recorded position
  ClickHandler onClick_;

  Arrow held_ = Arrow::None;
  bool overHeld_ = false;  // the mouse is over the held arrow; it repeats only then
  QTimer repeatTimer_;
};

}  // namespace pm
