// The marker segments of a JPEG stream, read from its start-of-image marker to its end-of-image
// marker, and the picture's own bytes taken out of a JPEG file: what a page keeps of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pm {

inline constexpr uint8_t kJpegStartOfImage = 0xD8;
inline constexpr uint8_t kJpegEndOfImage = 0xD9;
inline constexpr uint8_t kJpegStartOfScan = 0xDA;

// One marker segment: its marker (0xFF, any fill bytes 0xFF, then the code), then its length
// and parameters when it has them, and after a start of scan the scan's entropy-coded data with
// the restart markers in it.
struct TJpegSegment {
  uint8_t code = 0;  // the marker's second byte
  size_t begin = 0;  // where its first 0xFF lies
  size_t end = 0;    // just after its last byte
  // Where the parameters begin, after the two bytes of the length; `end` for the markers that
  // have none (start and end of image, restarts, TEM).
  size_t parameters = 0;
};

// Reads the segments one after the other from the start of the bytes.
class TJpegSegmentReader {
 public:
  explicit TJpegSegmentReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  // The next segment. Nothing after the end-of-image marker, and nothing when the bytes don't
  // begin with a start-of-image marker, when anything that isn't a segment lies between two
  // (the bytes that a JPEG library skips with a warning), or when they end within a segment or
  // before an end-of-image marker.
  std::optional<TJpegSegment> Next();

 private:
  size_t EndOfEntropyCodedData(size_t at) const;

  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  bool ended_ = false;
};

// The bytes of the stream that make the picture: the start of image, every segment that isn't
// an application segment (APPn) or a comment (COM) with the entropy-coded data, byte for byte,
// then the end of image. Of the application segments only those that say how to read the
// picture stay: JFIF (APP0), the colour profile (APP2 "ICC_PROFILE") and Adobe's colour
// transform (APP14 "Adobe"). So a photograph's metadata (EXIF in APP1, with the place where it
// was taken and its orientation, XMP and the like), comments, and whatever follows the end of
// image all go. Nothing when the segments can't be read to the end of image.
std::optional<std::vector<uint8_t>> JpegPictureBytes(std::span<const uint8_t> bytes);

}  // namespace pm
