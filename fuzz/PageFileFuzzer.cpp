// Fuzz target: the page file reader takes any file, as the load command does: every header
// entry, every stream's JPEG header, the decoding of the background and slot 0, the link table.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Exceptions.h"
#include "page/PageFile.h"

namespace {

using namespace pm;

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
  static InputFile input;
  const std::string& fileName = input.Write(data, size);
  try {
    TPage page;
    ReadPageFile(page, fileName, nullptr);
  } catch (const Exception&) {
    // Refusing a damaged file is the reader's job; only a crash, a hang or memory beyond the
    // bound is a finding.
  }
  return 0;
}
