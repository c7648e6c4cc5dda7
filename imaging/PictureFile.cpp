#include "imaging/PictureFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "base/Exceptions.h"
#include "base/FileStream.h"
#include "base/Stream.h"
#include "imaging/BmpReader.h"
#include "imaging/GifReader.h"
#include "imaging/JpegImport.h"
#include "imaging/PixelStore.h"
#include "imaging/PngReader.h"
#include "imaging/WebpReader.h"

namespace pm {

namespace {

constexpr std::array<uint8_t, 2> kBmpSignature{'B', 'M'};
constexpr std::array<uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<uint8_t, 3> kJpegSignature{0xFF, 0xD8, 0xFF};
constexpr std::array<uint8_t, 6> kGif87Signature{'G', 'I', 'F', '8', '7', 'a'};
constexpr std::array<uint8_t, 6> kGif89Signature{'G', 'I', 'F', '8', '9', 'a'};
// A WebP file is a RIFF container: "RIFF", its size in 4 bytes, then the form type "WEBP".
constexpr std::array<uint8_t, 4> kRiffSignature{'R', 'I', 'F', 'F'};
constexpr std::array<uint8_t, 4> kWebpFormType{'W', 'E', 'B', 'P'};
constexpr size_t kWebpFormTypeAt = 8;

template <size_t N>
bool HasAt(std::span<const uint8_t> bytes, size_t at, const std::array<uint8_t, N>& expected) {
  return bytes.size() >= at + N && std::equal(expected.begin(), expected.end(), bytes.begin() + at);
}

using Signature = std::array<uint8_t, kPictureSignatureSize>;

[[noreturn]] void RaiseInvalidPicture() { throw EInvalidGraphic(kInvalidBitmapMessage); }

// The first bytes of the stream, which stays where it was.
Signature PeekSignature(TStream& stream) {
  Signature bytes{};
  const int64_t position = stream.Position();
  stream.ReadBuffer(bytes.data(), kPictureSignatureSize);
  stream.SetPosition(position);
  return bytes;
}

// The whole file in memory: the `first` bytes already read and the rest of the `count` bytes
// after them, in one read. A file larger than any store can't be a picture within the limit.
std::vector<uint8_t> WholeFile(std::span<const uint8_t> first, TStream& stream, int64_t count) {
  if (count > kMaxStoreBytes) RaiseStoreError();
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  std::copy(first.begin(), first.end(), bytes.begin());
  const auto firstSize = static_cast<int64_t>(first.size());
  stream.ReadBuffer(bytes.data() + firstSize, count - firstSize);
  return bytes;
}

TImportedPicture AsPixels(std::shared_ptr<TBitmapImage> image) {
  TImportedPicture imported;
  imported.picture.ReplaceImage(std::move(image));
  return imported;
}

// The picture in the `count` bytes from the stream's position. A file of a recognised format
// goes to its reader whatever its length, so that one that ends within its first bytes fails as
// any other damaged file of its format does.
TImportedPicture ReadPictureFrom(TStream& stream, int64_t count) {
  // A file with no bytes is no picture, although the BMP reader alone makes it an empty one.
  if (count <= 0) RaiseInvalidPicture();
  Signature signature{};
  const int64_t signatureSize = std::min(count, kPictureSignatureSize);
  stream.ReadBuffer(signature.data(), signatureSize);
  const auto first = std::span<const uint8_t>(signature).first(static_cast<size_t>(signatureSize));
  const TPictureFormat format = RecognisePictureFormat(first);
  if (format == TPictureFormat::Bmp || format == TPictureFormat::Other) {
    // The BMP reader reads from the start of the file, as it always did.
    stream.Seek(-signatureSize, SeekOrigin::Current);
    return AsPixels(ReadBmpImage(stream, CheckImportedPictureSize));
  }
  std::vector<uint8_t> bytes = WholeFile(first, stream, count);
  switch (format) {
    case TPictureFormat::Png:
      return AsPixels(ReadPngImage(bytes));
    case TPictureFormat::Gif:
      return AsPixels(ReadGifImage(bytes));
    case TPictureFormat::Webp:
      return AsPixels(ReadWebpImage(bytes));
    case TPictureFormat::Jpeg:
      return ReadJpegPicture(std::move(bytes));
    case TPictureFormat::Bmp:
    case TPictureFormat::Other:
      break;
  }
  RaiseInvalidPicture();
}

}  // namespace

TPictureFormat RecognisePictureFormat(std::span<const uint8_t> firstBytes) {
  if (HasAt(firstBytes, 0, kBmpSignature)) return TPictureFormat::Bmp;
  if (HasAt(firstBytes, 0, kPngSignature)) return TPictureFormat::Png;
  if (HasAt(firstBytes, 0, kJpegSignature)) return TPictureFormat::Jpeg;
  if (HasAt(firstBytes, 0, kGif87Signature) || HasAt(firstBytes, 0, kGif89Signature)) {
    return TPictureFormat::Gif;
  }
  if (HasAt(firstBytes, 0, kRiffSignature) && HasAt(firstBytes, kWebpFormTypeAt, kWebpFormType)) {
    return TPictureFormat::Webp;
  }
  return TPictureFormat::Other;
}

TPictureFormat RecognisePictureFile(const std::string& fileName) {
  try {
    TFileStream file(fileName, FileAccess::ReadShared);
    if (file.Remaining() < kPictureSignatureSize) return TPictureFormat::Other;
    return RecognisePictureFormat(PeekSignature(file));
  } catch (const Exception&) {
    return TPictureFormat::Other;
  }
}

TImportedPicture ReadPictureFile(const std::string& fileName) {
  TFileStream file(fileName, FileAccess::ReadShared);
  // A file just opened is read from its start.
  return ReadPictureFrom(file, file.Size());
}

TImportedPicture ReadPicture(TStream& stream) {
  return ReadPictureFrom(stream, stream.Remaining());
}

}  // namespace pm
