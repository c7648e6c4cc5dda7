// Publishing a document as a web site from the editor, against `pagetool site` run as a process
// on the same document, measured in the same run. The editor's side goes the way the document
// window's "Webサイトとして書き出す…" goes once its questions are answered: the document named by
// its pattern, the survey of the folder, then the writing on its own thread with its progress
// coming back through the event loop until it has ended. Both draw the map with dot when it is
// installed, as they do by default. The document has 60 pages, each a 1024 × 768 background and
// 5 slot pictures of 160 × 120 shown by 5 links; each run writes a new folder.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "editor/publishing/SiteWriting.h"
#include "page/Document.h"
#include "page/PageFile.h"
#include "site/SiteSurvey.h"

extern char** environ;

namespace {

using namespace pm;

constexpr int kPages = 60;
constexpr int kSlotsPerPage = 5;
constexpr int32_t kBackgroundWidth = 1024;
constexpr int32_t kBackgroundHeight = 768;
constexpr int32_t kSlotWidth = 160;
constexpr int32_t kSlotHeight = 120;
constexpr int kDistinctBackgrounds = 10;
constexpr int kRounds = 11;

std::string PageFile(const bench::TempFolder& folder, int page) {
  return folder.File("page" + std::to_string(page) + ".pag");
}

void Expect(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s\n", what);
  std::exit(EXIT_FAILURE);
}

// Page p: slot s shows in link s, which leads to another page. The first pages encode their
// pictures; the others take theirs from an earlier page, stored as they are.
void MakeDocument(const bench::TempFolder& folder) {
  std::vector<TBitmap> slotPictures;
  for (int i = 0; i < kSlotsPerPage; ++i) {
    slotPictures.push_back(bench::MakePicture(kSlotWidth, kSlotHeight, 200 + i));
  }
  for (int page = 1; page <= kPages; ++page) {
    TPage written;
    if (page <= kDistinctBackgrounds) {
      written.SetBackgroundBitmap(bench::MakePicture(kBackgroundWidth, kBackgroundHeight, page));
      for (int slot = 0; slot < kSlotsPerPage; ++slot) written.SetSlotBitmap(slot, slotPictures[slot]);
    } else {
      ReadPageFile(written, PageFile(folder, page - kDistinctBackgrounds), nullptr);
    }
    for (int slot = 0; slot < kSlotsPerPage; ++slot) {
      TLinkRecord link;
      link.Left = slot * 200 + 10;
      link.Top = 300;
      link.Right = link.Left + kSlotWidth;
      link.Bottom = link.Top + kSlotHeight;
      link.LinkPage = (page * 7 + slot * 13) % kPages + 1;
      link.Bitmap = slot;
      written.SetLink(slot, link);
    }
    WritePageFile(written, PageFile(folder, page));
  }
}

// The document window's way, from the folder chosen to the end of the writing.
void PublishFromTheEditor(TSiteWriting& writing, const std::string& pattern,
                          const std::string& folder) {
  const TDocument document(pattern);
  const site::TSiteFolderSurvey survey = site::SurveySiteFolder(document, folder);
  site::TSiteOptions options;
  options.force = !survey.foreignFiles.empty();
  bool finished = false;
  const auto connection = QObject::connect(&writing, &TSiteWriting::Finished,
                                           [&](const site::TSiteReport&) { finished = true; });
  writing.Start(document, folder, options);
  while (writing.Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QObject::disconnect(connection);
  Expect(finished, "the editor's site failed");
}

void RunPagetool(const std::string& pattern, const std::string& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> arguments{PAGETOOL_PATH, "site", pattern, folder};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, PAGETOOL_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  Expect(spawned == 0, "pagetool didn't start");
  int status = 0;
  Expect(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0,
         "pagetool site failed");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const bench::TempFolder folder;
  MakeDocument(folder);
  const std::string pattern = folder.File("page%d.pag");
  TSiteWriting writing;
  int editorSites = 0;
  int pagetoolSites = 0;
  const double ratio = bench::Compare(
      "publish 60 pages as a web site, map drawn by dot when installed", "editor",
      [&] {
        PublishFromTheEditor(writing, pattern,
                             folder.File("editor" + std::to_string(++editorSites)));
      },
      "pagetool site",
      [&] { RunPagetool(pattern, folder.File("pagetool" + std::to_string(++pagetoolSites))); },
      kRounds);
  constexpr double kTarget = 1.1;
  std::printf("target: ratio at most %.1f: %s\n", kTarget, ratio <= kTarget ? "met" : "NOT MET");
  return EXIT_SUCCESS;
}
