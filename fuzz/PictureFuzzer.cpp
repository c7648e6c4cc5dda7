// Fuzz target: the one import entry point of picture files, whatever the format its first bytes
// name, then rows of the picture in 24 bits as the JPEG encoder and the image boxes read them
// (see SampledRows.h).
#include <cstddef>
#include <cstdint>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "fuzz/SampledRows.h"
#include "imaging/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pm::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    const pm::TImportedPicture imported = pm::ReadPicture(stream);
    pm::fuzz::ReadSampledRows(imported.picture);
  } catch (const pm::Exception&) {
    // Refusing a damaged file is the readers' job; only a crash, a hang or a leak is a finding.
  }
  return 0;
}
