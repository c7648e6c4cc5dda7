// Fuzz target: the page file reader takes any file, as the load command does: every header
// entry, every stream's JPEG header, the decoding of the background and slot 0, the link table.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "base/Exceptions.h"
#include "base/Stream.h"
#include "fuzz/PictureLimit.h"
#include "imaging/JpegHeader.h"
#include "page/PageFile.h"
#include "page/PageFileLayout.h"

namespace {

using namespace pm;

// The pictures that the reader decodes must stay small; see PictureLimit.h.
bool DecodesALargePicture(std::span<const uint8_t> file) {
  for (const int64_t entry : {page_file::kBackgroundEntryOffset, page_file::SlotEntryOffset(0)}) {
    if (static_cast<int64_t>(file.size()) < entry + page_file::kEntrySize) return false;
    const int64_t offset = LoadInt32LE(file.data() + entry);
    const int64_t size = LoadInt32LE(file.data() + entry + page_file::kIntegerSize);
    if (offset < 0 || size <= 0 || offset + size > static_cast<int64_t>(file.size())) continue;
    try {
      const TJPEGHeaderInfo header =
          ReadJpegHeader(file.subspan(static_cast<size_t>(offset), static_cast<size_t>(size)));
      if (fuzz::TooManyPixels(header.width, header.height)) return true;
    } catch (const Exception&) {
    }
  }
  return false;
}

// The file that each input is written to, removed when the fuzzer ends.
class InputFile {
 public:
  InputFile()
      : name_((std::filesystem::temp_directory_path() /
               ("fuzz-page-" + std::to_string(::getpid()) + ".pag"))
                  .string()) {}
  ~InputFile() { std::filesystem::remove(name_); }
  const std::string& Write(const uint8_t* data, size_t size) {
    std::ofstream out(name_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return name_;
  }

 private:
  std::string name_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  if (DecodesALargePicture(file)) return -1;  // kept out
  static InputFile input;
  const std::string& fileName = input.Write(data, size);
  try {
    TPage page;
    ReadPageFile(page, fileName, nullptr);
  } catch (const Exception&) {
    // Refusing a damaged file is the reader's job; only a crash or a hang is a finding.
  }
  return 0;
}
