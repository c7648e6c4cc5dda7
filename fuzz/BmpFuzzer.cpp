// Fuzz target: the BMP reader over a memory buffer, then the conversion of its picture to 24 bits.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "fuzz/PictureLimit.h"
#include "imaging/Bitmap.h"
#include "imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (pm::fuzz::BmpClaimsTooManyPixels(data, size)) return -1;  // kept out of the corpus
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    pm::TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    bitmap.SetPixelFormat(pm::TPixelFormat::pf24bit);
    // Every row of the result, as the JPEG encoder reads them.
    std::vector<uint8_t> row(static_cast<size_t>(bitmap.Width()) * 3);
    for (int32_t y = 0; y < bitmap.Height(); ++y) bitmap.ReadRowBgr(y, row.data());
  } catch (const pm::Exception&) {
    // Refusing a damaged file is the reader's job; only a crash or a hang is a finding.
  }
  return 0;
}
