// Reading mode on Qt's offscreen platform, in the 100-page document of BenchDocument.h: a click on
// a link until the page it leads to is painted, read from its file, against the main window
// loading and showing the same file (TForm1::OpenPageFile until its background box is painted),
// measured in the same run. Each pair follows the next link of the page shown.
#include <QMouseEvent>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/BenchDocument.h"
#include "bench/BenchSupport.h"
#include "bench/PaintWaiting.h"
#include "editor/Application.h"
#include "editor/Form1.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "editor/reading/ReadingCanvas.h"
#include "editor/reading/ReadingMode.h"

namespace {

using namespace pm;

constexpr QSize kWindowSize(1280, 900);
constexpr int kRounds = 101;

void Click(QWidget* widget) {
  const QPointF at = QRectF(widget->rect()).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
  }
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s: the timings are not of following links\n", what);
  std::exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication application(argc, argv);
  bench::TempFolder folder;
  bench::MakeDocument(folder);

  // The reference: a main window of its own that loads each page the reader goes to.
  TForm1 loading;
  loading.show();
  const bench::PaintCounter loaded(loading.Image2);

  // The reader edits page 0, which no link leads to, so that every page followed to is read
  // from its file.
  TForm1 editing;
  const std::string start = folder.File("page0.pag");
  std::filesystem::copy_file(bench::DocumentPageFile(folder, 1), start);
  editing.OpenPageFile(start);
  editing.PageViewOpener().Open();
  TPageView& view = *editing.PageViewOpener().View();
  view.resize(kWindowSize);
  TReadingMode& reading = view.Reading();
  reading.Enter();
  const bench::PaintCounter painted(reading.Canvas());
  QCoreApplication::processEvents();

  int32_t shown = 1;  // whose links the page shown has: page 0 is a copy of page 1
  int round = 0;
  int32_t next = 0;
  bench::Compare(
      "following a link in reading mode to a page of 100, first paint included", "follow",
      [&] {
        TReadingLink* link = reading.Canvas()->LinkWidget(round % bench::kDocumentSlotsPerPage);
        if (link == nullptr) Fail("no such link");
        const int before = painted.paints;
        Click(link);
        bench::WaitForPaint(painted, before);
        if (reading.ShownPage() != next) Fail("another page is shown");
        shown = next;
        ++round;
      },
      "the main window loading and showing the same file",
      [&] {
        next = bench::DocumentLinkTarget(shown, round % bench::kDocumentSlotsPerPage);
        const int before = loaded.paints;
        loading.OpenPageFile(bench::DocumentPageFile(folder, next));
        bench::WaitForPaint(loaded, before);
      },
      kRounds);
  return EXIT_SUCCESS;
}
