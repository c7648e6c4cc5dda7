// A whole document (BenchDocument.h): 100 pages with 20 links each. Publishing it as a web site
// is compared with copying the same JPEG bytes into files with the same durability (one push of
// the file system at the end); checking it with loading its pages with the page file reader as
// the editor loads them.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Stream.h"
#include "bench/BenchDocument.h"
#include "bench/BenchSupport.h"
#include "page/Document.h"
#include "page/DocumentChecks.h"
#include "page/DocumentReading.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"
#include "site/DocumentGraph.h"
#include "site/DotProgram.h"
#include "site/SiteWriter.h"

namespace {

using namespace pm;
namespace fs = std::filesystem;

constexpr int kPages = bench::kDocumentPages;
constexpr int kSlotsPerPage = bench::kDocumentSlotsPerPage;
constexpr int kRounds = 15;

std::vector<uint8_t> ReadAll(const std::string& fileName) {
  std::vector<uint8_t> bytes(fs::file_size(fileName));
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (::read(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  ::close(descriptor);
  return bytes;
}

void WriteFile(const std::string& fileName, const uint8_t* bytes, size_t size) {
  const int descriptor = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (::write(descriptor, bytes, size) != static_cast<ssize_t>(size)) std::abort();
  ::close(descriptor);
}

void SyncFileSystem(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ::syncfs(descriptor);
  ::close(descriptor);
}

// The reference of a site: every page file read whole, its background and 20 slot streams
// written into files of their own in a new folder, and the file system pushed to the device
// once, as the site does.
void CopyPictures(const bench::TempFolder& folder, const std::string& target) {
  fs::create_directory(target);
  for (int page = 1; page <= kPages; ++page) {
    const std::vector<uint8_t> file = ReadAll(bench::DocumentPageFile(folder, page));
    const auto copy = [&](int64_t entry, const std::string& name) {
      const auto offset = static_cast<size_t>(LoadInt32LE(file.data() + entry));
      const auto size = static_cast<size_t>(LoadInt32LE(file.data() + entry + 4));
      WriteFile(target + "/" + std::to_string(page) + name, file.data() + offset, size);
    };
    copy(page_file::kBackgroundEntryOffset, "-background.jpg");
    for (int slot = 0; slot < kSlotsPerPage; ++slot) {
      copy(page_file::SlotEntryOffset(slot), "-slot-" + std::to_string(slot) + ".jpg");
    }
  }
  SyncFileSystem(target);
}

}  // namespace

int main() {
  bench::TempFolder folder;
  bench::MakeDocument(folder);
  const std::string pattern = folder.File("page%d.pag");
  const TDocument document(pattern);
  // Each run writes into a new folder: removing thousands of files would make the next push to
  // the device wait for the freed blocks as well.
  int sites = 0;
  int copies = 0;
  // The map isn't drawn here: Graphviz's layout of 2000 edges alone takes seconds (below).
  site::TSiteOptions options;
  options.drawMap = false;
  bench::Compare(
      "publish 100 pages as a web site", "site",
      [&] { site::WriteSite(document, folder.File("site" + std::to_string(++sites)), options); },
      "copying the same JPEG bytes into files",
      [&] { CopyPictures(folder, folder.File("copies" + std::to_string(++copies))); }, kRounds);

  bench::Compare(
      "check a document of 100 pages", "check-document",
      [&] {
        const TDocument checked(pattern);
        const auto outlines = ReadDocumentOutlines(
            checked, TPageFileReading{.access = FileAccess::ReadShared, .decodeShown = true});
        CheckDocument(checked, outlines);
      },
      "loading the 100 pages with the page file reader",
      [&] {
        for (const TDocumentPageFile& page : document.Pages()) {
          TPage loaded;
          ReadPageFile(loaded, page.fileName, nullptr);
        }
      },
      kRounds);

  // What the map adds when dot is installed, once.
  const auto outlines = ReadDocumentOutlines(
      document, TPageFileReading{.access = FileAccess::ReadShared, .decodeShown = false});
  const std::string graph = folder.File("map.dot");
  site::TGraphStyle style;
  style.quickLayout = true;
  const std::string text = site::DocumentGraph(document, outlines, style);
  WriteFile(graph, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const auto start = std::chrono::steady_clock::now();
  const site::TDotOutcome outcome =
      site::DrawWithDot(graph, folder.File("map.svg"), std::chrono::seconds(60));
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("the map of %zu links, quick layout: %s in %.1f s\n", site::GraphEdgeCount(outlines),
              site::DotOutcomeText(outcome), seconds);
  return 0;
}
