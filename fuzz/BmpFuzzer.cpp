// Fuzz target: the BMP reader over a memory buffer, then rows of its picture in 24 bits, as the
// JPEG encoder and the BMP writer read them. Pictures up to the real picture limit are read
// whole; of a tall one the rows read are the first and last and a few hundred between them,
// since every row of a picture goes through the same code and the rest would only cost time.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "fuzz/SampledRows.h"
#include "imaging/Bitmap.h"
#include "imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    pm::TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    pm::fuzz::ReadSampledRows(bitmap);
  } catch (const pm::Exception&) {
    // Refusing a damaged file is the reader's job; only a crash, a hang or memory beyond the
    // bound is a finding.
  }
  return 0;
}
