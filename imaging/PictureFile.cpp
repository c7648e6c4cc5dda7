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

// The first bytes of the stream, which stays where it was.
std::array<uint8_t, kPictureSignatureSize> PeekSignature(TStream& stream) {
  std::array<uint8_t, kPictureSignatureSize> bytes{};
  const int64_t position = stream.Position();
  stream.ReadBuffer(bytes.data(), kPictureSignatureSize);
  stream.SetPosition(position);
  return bytes;
}

// Everything from the stream's position to its end, in one read. A file larger than any store
// can't be a picture within the limit.
std::vector<uint8_t> ReadRest(TStream& stream) {
  const int64_t count = stream.Remaining();
  if (count > kMaxStoreBytes) RaiseStoreError();
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  stream.ReadBuffer(bytes.data(), count);
  return bytes;
}

TImportedPicture AsPixels(std::shared_ptr<TBitmapImage> image) {
  TImportedPicture imported;
  imported.picture.ReplaceImage(std::move(image));
  return imported;
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

TImportedPicture ReadPictureFile(const std::string& fileName, const TPictureReading& reading) {
  TFileStream file(fileName, FileAccess::ReadShared);
  return ReadPicture(file, reading);
}

TImportedPicture ReadPicture(TStream& stream, const TPictureReading& reading) {
  if (stream.Remaining() < kPictureSignatureSize) return AsPixels(ReadBmpImage(stream));
  const TPictureFormat format = RecognisePictureFormat(PeekSignature(stream));
  switch (format) {
    case TPictureFormat::Bmp:
    case TPictureFormat::Other:
      return AsPixels(ReadBmpImage(stream));
    case TPictureFormat::Png:
      return AsPixels(ReadPngImage(ReadRest(stream), reading.pixelLimit));
    case TPictureFormat::Gif:
      return AsPixels(ReadGifImage(ReadRest(stream), reading.pixelLimit));
    case TPictureFormat::Webp:
      return AsPixels(ReadWebpImage(ReadRest(stream), reading.pixelLimit));
    case TPictureFormat::Jpeg:
      return ReadJpegPicture(ReadRest(stream), reading);
  }
  return AsPixels(ReadBmpImage(stream));
}

}  // namespace pm
