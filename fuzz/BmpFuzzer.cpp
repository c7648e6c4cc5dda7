// Fuzz target: the BMP reader over a memory buffer, then every row of its picture in 24 bits, as
// the JPEG encoder and the BMP writer read them. Pictures up to the real picture limit are read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/Bitmap.h"
#include "imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    pm::TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    std::vector<uint8_t> row(static_cast<size_t>(bitmap.Width()) * 3);
    for (int32_t y = 0; y < bitmap.Height(); ++y) bitmap.ReadRowBgr(y, row.data());
  } catch (const pm::Exception&) {
    // Refusing a damaged file is the reader's job; only a crash, a hang or memory beyond the
    // bound is a finding.
  }
  return 0;
}
