// The document window's map of a 100-page document on Qt's offscreen platform: 1024 × 768
// backgrounds, 20 slot pictures and 256 links a page, every page linking to every page. Opening
// it (reading every page and its thumbnail, making the overview, laying out the map and painting
// it once) is compared with decoding each background once at 1/8 of its size with libjpeg
// directly, the least that showing the thumbnails takes. The time of one opening and the peak
// memory of the whole run are printed as well.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/Stream.h"
#include "bench/BenchSupport.h"
#include "editor/document/DocumentMap.h"
#include "editor/document/DocumentSnapshot.h"
#include "page/Document.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"

namespace {

using namespace pm;

constexpr int kPages = 100;
constexpr int kSlotsPerPage = 20;
constexpr int32_t kBackgroundWidth = 1024;
constexpr int32_t kBackgroundHeight = 768;
constexpr int32_t kSlotWidth = 160;
constexpr int32_t kSlotHeight = 120;
constexpr int kDistinctBackgrounds = 10;
constexpr int kLinksAcross = 16;
constexpr int kRounds = 11;
constexpr int kEighth = 8;
constexpr int kRgb = 3;
constexpr QSize kMapSize(1280, 860);

std::string PageFile(const bench::TempFolder& folder, int page) {
  return folder.File("page" + std::to_string(page) + ".pag");
}

// Page p: link n shows slot n % 20 in a 16 × 16 grid of small rectangles and leads to page
// (7p + 13n) % 100 + 1, so that each page links to every page. The first pages encode their
// pictures; the others take theirs from an earlier page, stored as they are.
void MakeDocument(const bench::TempFolder& folder) {
  std::vector<TBitmap> pictures;
  for (int i = 0; i < kSlotsPerPage; ++i) {
    pictures.push_back(bench::MakePicture(kSlotWidth, kSlotHeight, 200 + i));
  }
  for (int page = 1; page <= kPages; ++page) {
    TPage written;
    if (page <= kDistinctBackgrounds) {
      written.SetBackgroundBitmap(bench::MakePicture(kBackgroundWidth, kBackgroundHeight, page));
      for (int slot = 0; slot < kSlotsPerPage; ++slot) written.SetSlotBitmap(slot, pictures[slot]);
    } else {
      ReadPageFile(written, PageFile(folder, page - kDistinctBackgrounds), nullptr);
    }
    for (int link = 0; link < kLinkCount; ++link) {
      const int32_t left = (link % kLinksAcross) * (kBackgroundWidth / kLinksAcross);
      const int32_t top = (link / kLinksAcross) * (kBackgroundHeight / kLinksAcross);
      written.SetLink(link, TLinkRecord{.Left = left,
                                        .Top = top,
                                        .Right = left + 40,
                                        .Bottom = top + 30,
                                        .LinkPage = (page * 7 + link * 13) % kPages + 1,
                                        .Reserved = 0,
                                        .Bitmap = link % kSlotsPerPage});
    }
    WritePageFile(written, PageFile(folder, page));
  }
}

// The background stream of a page file, read with the header entry that names it.
std::vector<uint8_t> ReadBackground(const std::string& fileName) {
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  uint8_t entry[8];
  if (::pread(descriptor, entry, sizeof entry, page_file::kBackgroundEntryOffset) != sizeof entry)
    std::abort();
  const auto offset = static_cast<off_t>(LoadInt32LE(entry));
  std::vector<uint8_t> bytes(static_cast<size_t>(LoadInt32LE(entry + 4)));
  if (::pread(descriptor, bytes.data(), bytes.size(), offset) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  ::close(descriptor);
  return bytes;
}

// The library's own way to a picture at 1/8 of its size.
void DecodeEighth(const std::vector<uint8_t>& jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = kEighth;
  jpeg_start_decompress(&info);
  const size_t stride = size_t{info.output_width} * kRgb;
  std::vector<uint8_t> pixels(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + size_t{info.output_scanline} * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  benchmark::DoNotOptimize(pixels.data());
}

// What opening the window's map takes: the snapshot read, then the map laid out and painted.
size_t OpenMap(const std::string& pattern, QImage& target) {
  const std::shared_ptr<const TDocumentSnapshot> snapshot = ReadDocumentSnapshot(pattern);
  TDocumentMap map;
  map.resize(kMapSize);
  map.Show(snapshot);
  map.SelectPage(snapshot->document.Start());
  map.render(&target);
  return snapshot->thumbnails.size();
}

double PeakMebibytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // kibibytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  bench::TempFolder folder;
  MakeDocument(folder);
  const std::string pattern = folder.File("page%d.pag");
  const TDocument document(pattern);
  const double beforeOpening = PeakMebibytes();

  QImage target(kMapSize, QImage::Format_RGB32);
  size_t thumbnails = 0;
  std::vector<double> openings;
  bench::Compare(
      "opening the document window's map of 100 pages with 256 links each", "map",
      [&] { openings.push_back(bench::Seconds([&] { thumbnails = OpenMap(pattern, target); })); },
      "decoding each background at 1/8 with libjpeg",
      [&] {
        for (const TDocumentPageFile& page : document.Pages()) {
          DecodeEighth(ReadBackground(page.fileName));
        }
      },
      kRounds);
  if (thumbnails != kPages) {
    std::fprintf(stderr, "%zu thumbnails instead of %d\n", thumbnails, kPages);
    return EXIT_FAILURE;
  }
  std::printf(
      "opening the map: %.0f ms (median); peak memory %.0f MiB (%.0f MiB before "
      "opening)\n",
      1000 * bench::Median(openings), PeakMebibytes(), beforeOpening);
  return EXIT_SUCCESS;
}
