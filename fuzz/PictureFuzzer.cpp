// Fuzz target: the one import entry point of picture files, whatever the format its first bytes
// name, then every row of the picture as the JPEG encoder reads them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    pm::TImportedPicture imported = pm::ReadPicture(stream);
    pm::TBitmap& picture = imported.picture;
    picture.SetPixelFormat(pm::TPixelFormat::pf24bit);
    std::vector<uint8_t> row(static_cast<size_t>(picture.Width()) * 3);
    for (int32_t y = 0; y < picture.Height(); ++y) picture.ReadRowBgr(y, row.data());
  } catch (const pm::Exception&) {
    // Refusing a damaged file is the readers' job; only a crash, a hang or a leak is a finding.
  }
  return 0;
}
