// Fuzz target: the image holder takes JPEG bytes and reads their header, then decodes them into
// a bitmap, with the real picture limit and the library's bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    pm::TJPEGImage image;
    image.LoadJpeg(stream);
    pm::TBitmap bitmap;
    image.CopyToBitmap(bitmap);
    std::vector<uint8_t> row(static_cast<size_t>(bitmap.Width()) * 3);
    for (int32_t y = 0; y < bitmap.Height(); ++y) bitmap.ReadRowBgr(y, row.data());
  } catch (const pm::Exception&) {
    // Refusing damaged data is the holder's job; only a crash, a hang or memory beyond the bound
    // is a finding.
  }
  return 0;
}
