#include "imaging/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>

#include "base/Exceptions.h"
#include "imaging/Bitmap.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

constexpr uint8_t kWhite = 0xFF;

[[noreturn]] void RaiseInvalidWebp() { throw EInvalidGraphic(kInvalidBitmapMessage); }

void CheckStatus(VP8StatusCode status) {
  if (status == VP8_STATUS_OK) return;
  if (status == VP8_STATUS_OUT_OF_MEMORY) RaiseStoreError();
  RaiseInvalidWebp();
}

WebPBitstreamFeatures FeaturesOf(std::span<const uint8_t> bytes) {
  WebPBitstreamFeatures features{};
  CheckStatus(WebPGetFeatures(bytes.data(), bytes.size(), &features));
  return features;
}

// Decodes a still picture's bitstream into memory of ours: `bytes` of rows of `stride` bytes in
// the colour mode given; libwebp allocates no output of its own.
void DecodeInto(std::span<const uint8_t> bitstream, WEBP_CSP_MODE mode, uint8_t* pixels,
                int64_t stride, int64_t size) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) RaiseInvalidWebp();
  config.output.colorspace = mode;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = pixels;
  config.output.u.RGBA.stride = static_cast<int>(stride);
  config.output.u.RGBA.size = static_cast<size_t>(size);
  CheckStatus(WebPDecode(bitstream.data(), bitstream.size(), &config));
}

// A buffer of `width` × `height` pixels of blue, green, red and alpha.
TPixelStore AlphaPixels(int64_t width, int64_t height) {
  return TPixelStore(width * height * kBgraBytes, TPixelStore::Fill::Undefined);
}

// A still picture: opaque ones straight into the picture's rows, those with alpha through a
// buffer of their own that is composed over white.
std::shared_ptr<TBitmapImage> ReadStill(std::span<const uint8_t> bytes,
                                        const WebPBitstreamFeatures& features) {
  auto picture = NewTopDownPicture(features.width, features.height);
  const int64_t width = picture->Width(), height = picture->Height();
  if (!features.has_alpha) {
    DecodeInto(bytes, MODE_BGR, picture->Bytes(), picture->Stride(), picture->StoreSize());
    return picture;
  }
  TPixelStore pixels = AlphaPixels(width, height);
  const int64_t stride = width * kBgraBytes;
  DecodeInto(bytes, MODE_BGRA, pixels.Bytes(), stride, pixels.Size());
  for (int32_t y = 0; y < height; ++y) {
    ComposeOverWhite(pixels.Bytes() + y * stride, picture->Row(y), width);
  }
  return picture;
}

// Owns a demuxer of the whole file and the iterator at its first frame.
class FirstFrame {
 public:
  explicit FirstFrame(std::span<const uint8_t> bytes) {
    const WebPData data{bytes.data(), bytes.size()};
    demux_ = WebPDemux(&data);
    if (demux_ == nullptr || !WebPDemuxGetFrame(demux_, 1, &frame_)) {
      WebPDemuxDelete(demux_);
      RaiseInvalidWebp();
    }
  }
  ~FirstFrame() {
    WebPDemuxReleaseIterator(&frame_);
    WebPDemuxDelete(demux_);
  }
  FirstFrame(const FirstFrame&) = delete;
  FirstFrame& operator=(const FirstFrame&) = delete;

  const WebPIterator& Frame() const { return frame_; }
  int64_t CanvasWidth() const { return WebPDemuxGetI(demux_, WEBP_FF_CANVAS_WIDTH); }
  int64_t CanvasHeight() const { return WebPDemuxGetI(demux_, WEBP_FF_CANVAS_HEIGHT); }

 private:
  WebPDemuxer* demux_ = nullptr;
  WebPIterator frame_{};
};

// An animation: its first frame, decoded from that frame's own bitstream, over a white canvas.
std::shared_ptr<TBitmapImage> ReadFirstFrame(std::span<const uint8_t> bytes) {
  const FirstFrame first(bytes);
  const WebPIterator& frame = first.Frame();
  CheckPictureSize(frame.width, frame.height);
  if (int64_t{frame.x_offset} + frame.width > first.CanvasWidth() ||
      int64_t{frame.y_offset} + frame.height > first.CanvasHeight()) {
    RaiseInvalidWebp();
  }
  auto picture = NewTopDownPicture(first.CanvasWidth(), first.CanvasHeight());
  for (int32_t y = 0; y < picture->Height(); ++y) {
    std::memset(picture->Row(y), kWhite, static_cast<size_t>(picture->Width()) * kBgrBytes);
  }
  TPixelStore pixels = AlphaPixels(frame.width, frame.height);
  const int64_t stride = int64_t{frame.width} * kBgraBytes;
  DecodeInto({frame.fragment.bytes, frame.fragment.size}, MODE_BGRA, pixels.Bytes(), stride,
             pixels.Size());
  for (int32_t y = 0; y < frame.height; ++y) {
    uint8_t* row = picture->Row(frame.y_offset + y) + int64_t{frame.x_offset} * kBgrBytes;
    ComposeOverWhite(pixels.Bytes() + y * stride, row, frame.width);
  }
  return picture;
}

}  // namespace

std::shared_ptr<TBitmapImage> ReadWebpImage(std::span<const uint8_t> bytes) {
  const WebPBitstreamFeatures features = FeaturesOf(bytes);
  // The canvas is checked before the demuxer or the decoder sees more than the header.
  CheckPictureSize(features.width, features.height);
  if (features.has_animation) return ReadFirstFrame(bytes);
  return ReadStill(bytes, features);
}

}  // namespace pm
