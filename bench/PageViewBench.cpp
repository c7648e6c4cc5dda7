// The page view on Qt's offscreen platform with a 4000 × 3000 background and 256 links, each
// showing its own 200 × 150 slot picture: opening the view (its first paint included), and one
// repaint while a link is dragged at 100 %. Both are printed as ratios against drawing the
// background alone once with QPainter::drawImage, measured in the same run. Opening makes the
// display copies of what the window shows in memory touched for the first time, which the
// reference, drawing into the same picture each time, doesn't pay for.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchSupport.h"
#include "bench/PaintWaiting.h"
#include "editor/NearestStretch.h"
#include "editor/PageView.h"

namespace {

using namespace pm;
using bench::PaintCounter;
using bench::WaitForPaint;

constexpr int32_t kPageWidth = 4000;
constexpr int32_t kPageHeight = 3000;
constexpr int32_t kSlotWidth = 200;
constexpr int32_t kSlotHeight = 150;
constexpr int32_t kLinksAcross = kPageWidth / kSlotWidth;
constexpr QSize kWindowSize(1280, 900);
constexpr int kOpenRounds = 15;
constexpr int kDragRounds = 200;

void FillPage(TPage& page) {
  page.SetBackgroundBitmap(bench::MakePicture(kPageWidth, kPageHeight));
  for (int32_t n = 0; n < kLinkCount; ++n) {
    page.SetSlotBitmap(n, bench::MakePicture(kSlotWidth, kSlotHeight, static_cast<uint32_t>(n)));
    const int32_t left = (n % kLinksAcross) * kSlotWidth;
    const int32_t top = (n / kLinksAcross) * kSlotHeight;
    page.SetLink(n, TLinkRecord{.Left = left,
                                .Top = top,
                                .Right = left + kSlotWidth,
                                .Bottom = top + kSlotHeight,
                                .LinkPage = n,
                                .Reserved = 0,
                                .Bitmap = n});
  }
}

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  TPage page;
  FillPage(page);
  TBitmap picture;
  page.BackgroundHolder().CopyToBitmap(picture);
  const QImage background = StretchNearestPart(picture, kPageWidth, kPageHeight,
                                               TPageRect{0, 0, kPageWidth, kPageHeight});
  QImage target(background.size(), QImage::Format_RGB32);
  const auto drawBackground = [&] {
    QPainter painter(&target);
    painter.drawImage(0, 0, background);
  };

  bench::Compare(
      "opening the page view, first paint included", "open",
      [&] {
        TPageView view(page);
        view.resize(kWindowSize);
        const PaintCounter counter(view.Canvas());
        view.show();
        WaitForPaint(counter, 0);
      },
      "background drawImage", drawBackground, kOpenRounds);

  TPageView view(page);
  view.resize(kWindowSize);
  const PaintCounter counter(view.Canvas());
  view.show();
  WaitForPaint(counter, 0);
  TPageCanvas* canvas = view.Canvas();
  // Link 21 (the second row's second) is taken by its middle and dragged one pixel to and fro.
  const QPointF grip(kSlotWidth * 1.5, kSlotHeight * 1.5);
  SendMouse(canvas, QEvent::MouseButtonPress, grip, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseMove, grip + QPointF(10, 10), Qt::LeftButton);
  WaitForPaint(counter, counter.paints);
  int step = 0;
  bench::Compare(
      "one repaint while dragging a link at 100 %, median of 200 drags", "drag repaint",
      [&] {
        const int before = counter.paints;
        const double offset = (++step % 2 == 0) ? 10 : 11;
        SendMouse(canvas, QEvent::MouseMove, grip + QPointF(offset, offset), Qt::LeftButton);
        WaitForPaint(counter, before);
      },
      "background drawImage", drawBackground, kDragRounds);
  SendMouse(canvas, QEvent::MouseButtonRelease, grip + QPointF(10, 10), Qt::NoButton);
  if (page.Link(21).Left != kSlotWidth + 10) {
    std::fprintf(stderr, "the dragged link didn't move: the timings are not of a drag\n");
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
