// The recovery copy that the editor writes while a page has unsaved changes, against saving the
// same page with the page file writer, measured in the same run. The page has a 1600 × 1200
// background and 64 slots of 200 × 150, all imported pictures: its first copy encodes them all,
// as the first save would; a later copy writes what the holders keep, with its record beside it.
// Both run on the window's thread, which waits for them.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "editor/Form1.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "page/PageFile.h"

namespace {

using namespace pm;

constexpr int32_t kBackgroundWidth = 1600;
constexpr int32_t kBackgroundHeight = 1200;
constexpr int32_t kSlots = 64;
constexpr int32_t kSlotWidth = 200;
constexpr int32_t kSlotHeight = 150;
constexpr int kFirstRounds = 5;
constexpr int kLaterRounds = 30;
// Copies are written only when the benchmark asks.
constexpr std::chrono::hours kNever(1);

struct Pictures {
  TBitmap background = bench::MakePicture(kBackgroundWidth, kBackgroundHeight);
  std::vector<TBitmap> slotPictures;
  Pictures() {
    for (int32_t n = 0; n < kSlots; ++n) {
      slotPictures.push_back(bench::MakePicture(kSlotWidth, kSlotHeight, static_cast<uint32_t>(n)));
    }
  }
};

// Imported pictures, not yet encoded.
void FillPage(TPage& page, const Pictures& pictures) {
  page.SetBackgroundBitmap(pictures.background);
  for (int32_t n = 0; n < kSlots; ++n) page.SetSlotBitmap(n, pictures.slotPictures[n]);
}

// As bench::Compare, with both pages made ready before each pair, untimed.
void CompareReady(const std::string& what, const std::function<void()>& ready,
                  const std::function<void()>& copy, const std::function<void()>& save,
                  int rounds) {
  std::vector<double> copies, saves, ratios;
  for (int round = 0; round < rounds; ++round) {
    ready();
    saves.push_back(bench::Seconds(save));
    copies.push_back(bench::Seconds(copy));
    ratios.push_back(copies.back() / saves.back());
  }
  const auto [least, greatest] = std::minmax_element(ratios.begin(), ratios.end());
  std::printf("%s: copy %.3f ms, save %.3f ms, pairs %.3f to %.3f, ratio %.3f\n", what.c_str(),
              bench::Median(copies) * 1e3, bench::Median(saves) * 1e3, *least, *greatest,
              bench::Median(ratios));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const bench::TempFolder folder;
  ::setenv("XDG_STATE_HOME", folder.File("state").c_str(), 1);
  QApplication application(argc, argv);
  TForm1 window;
  TRecoveryKeeper keeper(window, TRecoveryFolder(RecoveryFolderPath()),
                         TRecoveryTiming{kNever, kNever, std::chrono::milliseconds(0)});
  TPage& edited = window.Page();
  const std::string saved = folder.File("saved.pag");

  const Pictures pictures;
  TPage reference;
  int change = 0;
  // A change, so that the page has something that its copy lacks.
  const auto copy = [&] {
    edited.SetLinkField(0, TLinkField::Left, ++change);
    keeper.WritePendingChanges();
  };
  const auto save = [&] { WritePageFile(reference, saved); };
  // Each pair on pages filled anew, so that both encode every picture.
  CompareReady(
      "first copy of a page of imported pictures",
      [&] {
        FillPage(edited, pictures);
        FillPage(reference, pictures);
      },
      copy, save, kFirstRounds);
  CompareReady(
      "later copy after a link change", [] {}, copy, save, kLaterRounds);
  return EXIT_SUCCESS;
}
