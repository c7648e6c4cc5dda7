// TPanel: a rectangle in the button-face colour with an outer and an inner bevel, each one pixel
// wide, raised or lowered, around the controls it holds.
#pragma once

#include <QWidget>

namespace pm {

enum class TBevel { bvNone, bvLowered, bvRaised };

class TPanel : public QWidget {
 public:
  explicit TPanel(QWidget* parent, TBevel outer = TBevel::bvRaised, TBevel inner = TBevel::bvNone);

  TBevel BevelOuter() const { return outer_; }
  TBevel BevelInner() const { return inner_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TBevel outer_;
  TBevel inner_;
};

}  // namespace pm
