#include "imaging/JpegSegments.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace pm {

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStuffedZero = 0x00;
constexpr uint8_t kTemporary = 0x01;
constexpr uint8_t kFirstRestart = 0xD0, kLastRestart = 0xD7;
constexpr uint8_t kFirstApplication = 0xE0, kLastApplication = 0xEF;
constexpr uint8_t kComment = 0xFE;
constexpr size_t kLengthSize = 2;

bool IsRestart(uint8_t code) { return code >= kFirstRestart && code <= kLastRestart; }

bool HasNoLength(uint8_t code) {
  return code == kJpegStartOfImage || code == kJpegEndOfImage || code == kTemporary ||
         IsRestart(code);
}

// The application segments that say how to read the picture, by marker and the identifier that
// begins their parameters.
struct KeptApplication {
  uint8_t code;
  std::string_view identifier;
};
constexpr std::array<KeptApplication, 3> kKeptApplications{{
    {0xE0, std::string_view("JFIF\0", 5)},
    {0xE2, std::string_view("ICC_PROFILE\0", 12)},
    {0xEE, "Adobe"},
}};

bool IsKeptApplication(std::span<const uint8_t> bytes, const TJpegSegment& segment) {
  const auto parameters = bytes.subspan(segment.parameters, segment.end - segment.parameters);
  return std::any_of(
      kKeptApplications.begin(), kKeptApplications.end(), [&](const KeptApplication& kept) {
        return segment.code == kept.code && parameters.size() >= kept.identifier.size() &&
               std::equal(kept.identifier.begin(), kept.identifier.end(), parameters.begin());
      });
}

bool IsPartOfPicture(std::span<const uint8_t> bytes, const TJpegSegment& segment) {
  if (segment.code == kComment) return false;
  if (segment.code < kFirstApplication || segment.code > kLastApplication) return true;
  return IsKeptApplication(bytes, segment);
}

}  // namespace

std::optional<TJpegSegment> TJpegSegmentReader::Next() {
  if (ended_ || at_ >= bytes_.size() || bytes_[at_] != kMarkerPrefix) return std::nullopt;
  TJpegSegment segment;
  segment.begin = at_;
  size_t at = at_;
  while (at < bytes_.size() && bytes_[at] == kMarkerPrefix) ++at;
  if (at == bytes_.size() || bytes_[at] == kStuffedZero) return std::nullopt;
  segment.code = bytes_[at++];
  if ((segment.begin == 0) != (segment.code == kJpegStartOfImage)) return std::nullopt;
  segment.parameters = at;
  if (!HasNoLength(segment.code)) {
    if (bytes_.size() - at < kLengthSize) return std::nullopt;
    const size_t length = size_t{bytes_[at]} << 8 | bytes_[at + 1];
    if (length < kLengthSize || bytes_.size() - at < length) return std::nullopt;
    segment.parameters = at + kLengthSize;
    at += length;
    if (segment.code == kJpegStartOfScan) at = EndOfEntropyCodedData(at);
    if (at == bytes_.size()) return std::nullopt;  // no end of image follows
  }
  segment.end = at;
  at_ = at;
  ended_ = segment.code == kJpegEndOfImage;
  return segment;
}

// Where the entropy-coded data from `at` ends: at the first marker that is neither a stuffed
// zero byte nor a restart marker (counting its fill bytes), or at the end of the bytes.
size_t TJpegSegmentReader::EndOfEntropyCodedData(size_t at) const {
  while (at < bytes_.size()) {
    if (bytes_[at] != kMarkerPrefix) {
      ++at;
      continue;
    }
    size_t code = at + 1;
    while (code < bytes_.size() && bytes_[code] == kMarkerPrefix) ++code;
    if (code == bytes_.size()) return bytes_.size();
    if (bytes_[code] != kStuffedZero && !IsRestart(bytes_[code])) return at;
    at = code + 1;
  }
  return at;
}

std::optional<std::vector<uint8_t>> JpegPictureBytes(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> picture;
  picture.reserve(bytes.size());
  TJpegSegmentReader reader(bytes);
  while (const std::optional<TJpegSegment> segment = reader.Next()) {
    if (IsPartOfPicture(bytes, *segment)) {
      picture.insert(picture.end(), bytes.begin() + static_cast<ptrdiff_t>(segment->begin),
                     bytes.begin() + static_cast<ptrdiff_t>(segment->end));
    }
    if (segment->code == kJpegEndOfImage) return picture;
  }
  return std::nullopt;
}

}  // namespace pm
