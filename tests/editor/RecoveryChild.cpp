// A second editor for the recovery tests, run as a process of its own on the offscreen platform:
// "recovery_child FILE LEFT TOP RIGHT BOTTOM BITMAP LINKPAGE" loads the page file FILE ("-" for
// a new page), updates link 0 with the six values through the page operation of "更新", prints
// "copy STEM" once its recovery copy holds the change, and runs until it is killed.
#include <chrono>
#include <cstdio>
#include <string>

#include "editor/Application.h"
#include "editor/Form1.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "page/PageOperations.h"

namespace {

constexpr int kArguments = 8;
constexpr int kUsageExit = 2;

}  // namespace

int main(int argc, char** argv) {
  if (argc != kArguments) {
    std::fprintf(stderr, "usage: recovery_child FILE LEFT TOP RIGHT BOTTOM BITMAP LINKPAGE\n");
    return kUsageExit;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  pm::TApplication application(argc, argv);
  pm::TForm1 window;
  using std::chrono::milliseconds;
  pm::TRecoveryKeeper keeper(window, pm::TRecoveryFolder(pm::RecoveryFolderPath()),
                             {milliseconds(0), milliseconds(0), milliseconds(0)});
  QObject::connect(&keeper, &pm::TRecoveryKeeper::CopyWritten, [&keeper] {
    std::printf("copy %s\n", keeper.CopyStem().c_str());
    std::fflush(stdout);
  });
  const std::string file = argv[1];
  if (file != "-") window.OpenPageFile(file);
  pm::UpdateLink(window.Page(), 0,
                 pm::TLinkFieldTexts{.left = argv[2],
                                     .top = argv[3],
                                     .right = argv[4],
                                     .bottom = argv[5],
                                     .bitmap = argv[6],
                                     .linkPage = argv[7]});
  return application.exec();
}
