// Opening a page of a document from the document window's map, against the main window's own
// load of the same kind of page file, measured in the same run on Qt's offscreen platform. The
// document has 10 pages, each a 1024 × 768 background and 20 slot pictures of 160 × 120 with 20
// links; the page view and the document window are open, as an author has them. Each pair loads
// two different pages, so that every opening really reads its file; both sides let the windows
// follow (the page view's and the map's repaints) before the time ends.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchSupport.h"
#include "editor/EditedPage.h"
#include "editor/ErrorBox.h"
#include "editor/Form1.h"
#include "editor/PageViewOpener.h"
#include "editor/document/DocumentMap.h"
#include "editor/document/DocumentWindow.h"
#include "editor/document/DocumentWindowOpener.h"
#include "page/PageFile.h"

namespace {

using namespace pm;

constexpr int kPages = 10;
constexpr int kSlotsPerPage = 20;
constexpr int32_t kBackgroundWidth = 1024;
constexpr int32_t kBackgroundHeight = 768;
constexpr int32_t kSlotWidth = 160;
constexpr int32_t kSlotHeight = 120;
constexpr int kRounds = 30;

std::string PageFile(const bench::TempFolder& folder, int page) {
  return folder.File("page" + std::to_string(page) + ".pag");
}

// Page p: slot s shows in link s, which leads to another page, in a 5 × 4 grid.
void MakeDocument(const bench::TempFolder& folder) {
  for (int page = 1; page <= kPages; ++page) {
    TPage written;
    written.SetBackgroundBitmap(bench::MakePicture(kBackgroundWidth, kBackgroundHeight, page));
    for (int slot = 0; slot < kSlotsPerPage; ++slot) {
      written.SetSlotBitmap(slot, bench::MakePicture(kSlotWidth, kSlotHeight, 200 + slot));
      TLinkRecord link;
      link.Left = (slot % 5) * 200 + 10;
      link.Top = (slot / 5) * 190 + 10;
      link.Right = link.Left + kSlotWidth;
      link.Bottom = link.Top + kSlotHeight;
      link.LinkPage = (page + slot) % kPages + 1;
      link.Bitmap = slot;
      written.SetLink(slot, link);
    }
    WritePageFile(written, PageFile(folder, page));
  }
}

// A failure ends the benchmark: its timings would be of something else.
class FailingErrorBox : public ErrorBox {
 public:
  void Show(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "error box: %s\n", text.c_str());
    std::exit(EXIT_FAILURE);
  }
};

void Expect(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s\n", what);
  std::exit(EXIT_FAILURE);
}

void WaitFor(const std::function<bool()>& done, const char* what) {
  constexpr qint64 kPatienceMilliseconds = 60000;
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    Expect(waited.elapsed() < kPatienceMilliseconds, what);
  }
}

// The offscreen platform tells of every window feature it lacks (raising a window, here).
void QuietAboutThePlatformsLimits(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (!message.startsWith("This plugin does not support")) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietAboutThePlatformsLimits);
  QApplication application(argc, argv);
  FailingErrorBox errors;
  ErrorBox::Install(&errors);
  const bench::TempFolder folder;
  MakeDocument(folder);

  TForm1 window;
  window.ShowCentred();
  window.OpenPageFile(PageFile(folder, 1));
  window.PageViewOpener().Open();
  window.DocumentWindowOpener().Open();
  TDocumentWindow& documents = *window.DocumentWindowOpener().Window();
  WaitFor([&] { return !documents.Reading() && documents.Snapshot(); },
          "the document window didn't read the document");

  int next = 1;
  const auto nextPage = [&] { return next = next % kPages + 1; };
  const auto settle = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
  bench::Compare(
      "opening a page from the map, the windows following", "map",
      [&] {
        const int page = nextPage();
        emit documents.Map()->PageActivated(page);
        settle();
        Expect(window.EditedPage().FileName() == PageFile(folder, page), "the map opened nothing");
      },
      "main window load",
      [&] {
        const int page = nextPage();
        window.OpenPageFile(PageFile(folder, page));
        settle();
      },
      kRounds);
  ErrorBox::Install(nullptr);
  return EXIT_SUCCESS;
}
