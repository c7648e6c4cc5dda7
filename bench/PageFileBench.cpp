// Saving and loading a full page: a background and 256 slots, each a different 640 × 480 24-bit
// picture. Each comparison is printed as a ratio against its reference measured in the same run,
// and the peak memory of a save is reported against the file's size.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Stream.h"
#include "bench/BenchSupport.h"
#include "page/LinkTable.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"

namespace {

using namespace pm;

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr int kRounds = 5;
constexpr int64_t kMemoryAllowance = 64 << 20;

std::vector<uint8_t> ReadAll(const std::string& fileName) {
  std::vector<uint8_t> bytes(std::filesystem::file_size(fileName));
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (::read(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  ::close(descriptor);
  return bytes;
}

// A careful copy: read the whole file, write it to a new one and push that to the device, as a
// save does.
void CopyDurably(const std::string& from, const std::string& to) {
  const std::vector<uint8_t> bytes = ReadAll(from);
  const int descriptor = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (::write(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  ::fsync(descriptor);
  ::close(descriptor);
}

// The bytes written durably, as a save writes them: to a new file under a temporary name, pushed
// to the device, renamed over the target, and the folder pushed too.
void WriteDurably(const std::vector<uint8_t>& bytes, const std::string& fileName) {
  const std::filesystem::path target(fileName);
  const std::string temporary = (target.parent_path() / ".direct.tmp").string();
  const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (::write(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    std::abort();
  ::fsync(descriptor);
  ::close(descriptor);
  if (::rename(temporary.c_str(), fileName.c_str()) != 0) std::abort();
  const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ::fsync(folder);
  ::close(folder);
}

// The reference of a save of new pictures: each encoded by libjpeg directly, then the page file
// of them (header, streams, link table) put together in memory and written durably.
void DirectSave(const std::vector<TBitmap>& pictures, const std::string& fileName) {
  std::vector<uint8_t> file(page_file::kHeaderSize);
  const auto setEntry = [&](int64_t at, size_t offset, size_t size) {
    StoreUInt32LE(file.data() + at, static_cast<uint32_t>(offset));
    StoreUInt32LE(file.data() + at + page_file::kIntegerSize, static_cast<uint32_t>(size));
  };
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::vector<uint8_t> stream = bench::DirectEncode(pictures[i]);
    const int64_t entry = i == 0 ? page_file::kBackgroundEntryOffset
                                 : page_file::SlotEntryOffset(static_cast<int>(i) - 1);
    setEntry(entry, file.size(), stream.size());
    file.insert(file.end(), stream.begin(), stream.end());
  }
  setEntry(page_file::kLinkTableEntryOffset, file.size(), page_file::kLinkTableSize);
  const TLinkTableBytes links = EncodeLinkTable(TPage::Links{});
  file.insert(file.end(), links.begin(), links.end());
  WriteDurably(file, fileName);
}

void FillPage(TPage& page, const std::vector<TBitmap>& pictures) {
  page.SetBackgroundBitmap(pictures[0]);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    page.SelectSlot(slot);
    page.SetSlotBitmap(pictures[static_cast<size_t>(slot) + 1]);
  }
}

// The window as a listener: it shows the background and slot 0, which the load has decoded.
class ShowingListener : public TPageFileListener {
 public:
  explicit ShowingListener(TPage& page) : page_(page) {}
  void BackgroundRead() override { page_.BackgroundHolder().CopyToBitmap(shown_); }
  void SlotsRead() override { page_.SlotHolder(0).CopyToBitmap(shown_); }
  void LinksRead() override {}

 private:
  TPage& page_;
  TBitmap shown_;
};

int64_t StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stoll(line.substr(std::string(field).size()));
  }
  return -1;
}

// The highest resident memory during a save, above what was resident before it.
void ReportPeakMemory(const std::vector<TBitmap>& pictures, const std::string& fileName) {
  TPage page;
  FillPage(page, pictures);
  std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
  const int64_t before = StatusKiB("VmRSS:");
  WritePageFile(page, fileName);
  const int64_t peak = StatusKiB("VmHWM:");
  const auto fileSize = static_cast<int64_t>(std::filesystem::file_size(fileName));
  const int64_t extra = (peak - before) * 1024;
  std::printf(
      "save peak memory: %.1f MiB above the %.1f MiB resident before; file %.1f MiB; "
      "limit file + 64 MiB = %.1f MiB: %s\n",
      extra / 1048576.0, before / 1024.0, fileSize / 1048576.0,
      (fileSize + kMemoryAllowance) / 1048576.0,
      extra < fileSize + kMemoryAllowance ? "below" : "ABOVE");
}

}  // namespace

int main() {
  std::vector<TBitmap> pictures;
  for (uint32_t i = 0; i <= kSlotCount; ++i)
    pictures.push_back(bench::MakePicture(kWidth, kHeight, i + 1));
  bench::TempFolder folder;
  const std::string saved = folder.File("page.pag");
  const std::string again = folder.File("again.pag");
  const std::string copied = folder.File("copied.pag");

  bench::Compare(
      "save a page of 257 new 640x480 pictures", "save",
      [&] {
        TPage page;
        FillPage(page, pictures);
        WritePageFile(page, saved);
      },
      "libjpeg directly, written as durably", [&] { DirectSave(pictures, copied); }, kRounds);

  TPage loaded;
  ReadPageFile(loaded, saved, nullptr);
  bench::Compare(
      "save a loaded page again", "save", [&] { WritePageFile(loaded, again); },
      "copying the file (read, write, flush)", [&] { CopyDurably(saved, copied); }, 4 * kRounds);
  bench::Compare(
      "save a loaded page again", "save", [&] { WritePageFile(loaded, again); },
      "copying the file (no flush)",
      [&] {
        std::filesystem::copy_file(saved, copied,
                                   std::filesystem::copy_options::overwrite_existing);
      },
      4 * kRounds);

  bench::Compare(
      "load a page, background and slot 0 decoded", "load",
      [&] {
        TPage page;
        ShowingListener listener(page);
        ReadPageFile(page, saved, &listener);
      },
      "reading the file and decoding two streams directly",
      [&] {
        const std::vector<uint8_t> file = ReadAll(saved);
        for (const int64_t entry :
             {page_file::kBackgroundEntryOffset, page_file::SlotEntryOffset(0)}) {
          const auto offset = static_cast<size_t>(LoadInt32LE(file.data() + entry));
          const auto size = static_cast<size_t>(LoadInt32LE(file.data() + entry + 4));
          bench::DirectDecode(std::span(file).subspan(offset, size));
        }
      },
      4 * kRounds);

  ReportPeakMemory(pictures, saved);
  return 0;
}
