// The page view on a screen with a device pixel ratio of 2 (run with QT_SCALE_FACTOR=2): the
// pointer names the page pixel that is drawn under it, at 100 % and at 300 %.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "editor/PageViewOpener.h"
#include "tests/editor/PageViewDriver.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Rect;

class PageViewHiDpiTest : public test::WindowTest {
 protected:
  PageViewHiDpiTest() : view(window) {}

  void SetUp() override {
    WindowTest::SetUp();
    view.Open();
    view.View().resize(900, 720);
  }

  test::PageViewDriver view;
};

TEST_F(PageViewHiDpiTest, ThePointerLandsOnThePixelDrawnUnderItAt100And300Percent) {
  ASSERT_EQ(view.Canvas()->devicePixelRatioF(), 2.0);
  // The background is red from page pixel 20 to 59 across and 20 to 39 down, white elsewhere.
  TBitmap background = test::SolidBitmap(640, 480, clWhite);
  background.Canvas().Brush().Color = TColor{255, 0, 0};
  background.Canvas().FillRect(20, 20, 60, 40);
  window.Page().SetBackgroundBitmap(background);

  for (const int zoom : {100, 300}) {
    SCOPED_TRACE(zoom);
    window.Page().ClearLink(0);
    view.View().SetZoom(zoom);
    view.ScrollTo({0, 0});
    TPageCanvas* canvas = view.Canvas();
    const QImage shown = canvas->grab().toImage();
    ASSERT_EQ(shown.devicePixelRatio(), 2.0);
    // Along a row of device pixels: the page pixel that the pointer there names is red exactly
    // when it is drawn red.
    const int deviceRow = static_cast<int>((30 + 0.5) * zoom / 100.0 * 2);
    for (int device = 0; device < 70 * zoom / 100 * 2; ++device) {
      const QPointF pointer(device / 2.0, deviceRow / 2.0);
      const TPagePoint named = canvas->Transform().PageAt(pointer);
      const bool red = named.x >= 20 && named.x < 60;
      EXPECT_EQ(shown.pixelColor(device, deviceRow) == QColor(255, 0, 0), red)
          << "device column " << device << " names page pixel " << named.x;
    }

    // Drawing with the mouse gives the page pixels under the pointer.
    view.Drag({13, 7}, {41, 29});
    EXPECT_EQ(window.Page().Link(0), Rect(13, 7, 41, 29));
    view.MoveTo(14, 3);
    EXPECT_EQ(view.View().PointerText(), "14, 3");
  }
}

}  // namespace
}  // namespace pm
