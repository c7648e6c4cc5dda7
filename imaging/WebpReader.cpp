#include "imaging/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>

#include "base/Exceptions.h"
#include "imaging/Bitmap.h"
#include "imaging/DecodingBands.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

constexpr uint8_t kWhite = 0xFF;
// WebPBitstreamFeatures::format of a lossless bitstream.
constexpr int kLosslessFormat = 2;
// What libwebp holds of the whole picture while it decodes it, bytes a pixel: of a lossless
// bitstream its 32-bit pixels, of a lossy one its alpha plane (the rest are a few rows).
constexpr int64_t kLosslessLibraryBytes = 4;
constexpr int64_t kLossyLibraryBytes = 1;
// The rows decoded beyond a lossy band on either side (see FrameDecoding::DecodeBand).
constexpr int64_t kLossyBandMargin = 2;

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

// Where the decoded pixels go: rows of `stride` bytes from `pixels`, `size` bytes in all, in the
// colour mode given; libwebp allocates no output of its own.
struct DecodingTarget {
  WEBP_CSP_MODE mode = MODE_BGR;
  uint8_t* pixels = nullptr;
  int64_t stride = 0;
  int64_t size = 0;
};

// Decodes the rows [band.top, band.bottom) of a bitstream `width` pixels wide into the target.
void DecodeInto(std::span<const uint8_t> bitstream, int64_t width, const TRowBand& band,
                const DecodingTarget& target) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) RaiseInvalidWebp();
  config.options.use_cropping = 1;
  config.options.crop_left = 0;
  config.options.crop_top = static_cast<int>(band.top);
  config.options.crop_width = static_cast<int>(width);
  config.options.crop_height = static_cast<int>(band.bottom - band.top);
  config.output.colorspace = target.mode;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = target.pixels;
  config.output.u.RGBA.stride = static_cast<int>(target.stride);
  config.output.u.RGBA.size = static_cast<size_t>(target.size);
  CheckStatus(WebPDecode(bitstream.data(), bitstream.size(), &config));
}

// One bitstream (a still picture, or a frame of an animation) decoded onto the picture, its
// top-left pixel at (left, top). An opaque one goes straight into the picture's rows; one with
// alpha a band of rows at a time through a buffer of its own, composed over white.
class FrameDecoding {
 public:
  FrameDecoding(std::span<const uint8_t> bitstream, TBitmapImage& picture, int64_t left,
                int64_t top)
      : bitstream_(bitstream),
        features_(FeaturesOf(bitstream)),
        picture_(picture),
        left_(left),
        top_(top) {}

  void Decode(int64_t memory) {
    CheckPictureSize(features_.width, features_.height);
    if (left_ + features_.width > picture_.Width() || top_ + features_.height > picture_.Height()) {
      RaiseInvalidWebp();
    }
    if (!features_.has_alpha) {
      DecodeOpaque();
      return;
    }
    const TBandedDecoding banded{.width = features_.width,
                                 .height = features_.height,
                                 .libraryBytesPerPixel = features_.format == kLosslessFormat
                                                             ? kLosslessLibraryBytes
                                                             : kLossyLibraryBytes,
                                 .pictureRowBytes = picture_.Stride(),
                                 .memory = memory};
    for (const TRowBand& band : PlanDecodingBands(banded)) DecodeBand(band);
  }

 private:
  uint8_t* PictureAt(int64_t y) {
    return picture_.Row(static_cast<int32_t>(top_ + y)) + left_ * kBgrBytes;
  }

  void DecodeOpaque() {
    const int64_t stride = picture_.Stride();
    const DecodingTarget target{MODE_BGR, PictureAt(0), stride,
                                stride * (features_.height - 1) + features_.width * kBgrBytes};
    DecodeInto(bitstream_, features_.width, {0, features_.height}, target);
  }

  // A lossy band is decoded with two more rows above and below it where the picture has them,
  // which are dropped: libwebp makes the first and the last row that it puts out without the
  // colour of the rows beyond them.
  void DecodeBand(const TRowBand& band) {
    const bool lossy = features_.format != kLosslessFormat;
    const int64_t above = lossy ? std::min(band.top, kLossyBandMargin) : 0;
    const int64_t below = lossy ? std::min(features_.height - band.bottom, kLossyBandMargin) : 0;
    const TRowBand decoded{band.top - above, band.bottom + below};
    const int64_t stride = features_.width * kBgraBytes;
    TPixelStore pixels(stride * (decoded.bottom - decoded.top), TPixelStore::Fill::Undefined);
    DecodeInto(bitstream_, features_.width, decoded,
               DecodingTarget{MODE_BGRA, pixels.Bytes(), stride, pixels.Size()});
    for (int64_t y = band.top; y < band.bottom; ++y) {
      ComposeOverWhite(pixels.Bytes() + (y - decoded.top) * stride, PictureAt(y), features_.width);
    }
  }

  std::span<const uint8_t> bitstream_;
  WebPBitstreamFeatures features_;
  TBitmapImage& picture_;
  int64_t left_;
  int64_t top_;
};

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
  std::span<const uint8_t> Bitstream() const {
    return {frame_.fragment.bytes, frame_.fragment.size};
  }
  int64_t CanvasWidth() const { return WebPDemuxGetI(demux_, WEBP_FF_CANVAS_WIDTH); }
  int64_t CanvasHeight() const { return WebPDemuxGetI(demux_, WEBP_FF_CANVAS_HEIGHT); }

 private:
  WebPDemuxer* demux_ = nullptr;
  WebPIterator frame_{};
};

// The canvas outside the frame's rectangle is white. It is whitened after the frame has been
// decoded, so that its memory isn't taken while libwebp holds its own.
void WhitenAround(TBitmapImage& canvas, const WebPIterator& frame) {
  const int64_t frameLeft = frame.x_offset, frameRight = frameLeft + frame.width;
  const int64_t frameTop = frame.y_offset, frameBottom = frameTop + frame.height;
  const int64_t width = canvas.Width();
  for (int32_t y = 0; y < canvas.Height(); ++y) {
    uint8_t* row = canvas.Row(y);
    if (y < frameTop || y >= frameBottom) {
      std::memset(row, kWhite, static_cast<size_t>(width * kBgrBytes));
      continue;
    }
    std::memset(row, kWhite, static_cast<size_t>(frameLeft * kBgrBytes));
    std::memset(row + frameRight * kBgrBytes, kWhite,
                static_cast<size_t>((width - frameRight) * kBgrBytes));
  }
}

// An animation: its first frame, decoded from that frame's own bitstream, over a white canvas.
std::shared_ptr<TBitmapImage> ReadFirstFrame(std::span<const uint8_t> bytes, int64_t memory) {
  const FirstFrame first(bytes);
  const WebPIterator& frame = first.Frame();
  auto canvas = NewTopDownPicture(first.CanvasWidth(), first.CanvasHeight());
  FrameDecoding(first.Bitstream(), *canvas, frame.x_offset, frame.y_offset).Decode(memory);
  WhitenAround(*canvas, frame);
  return canvas;
}

}  // namespace

std::shared_ptr<TBitmapImage> ReadWebpImage(std::span<const uint8_t> bytes, int64_t memory) {
  const WebPBitstreamFeatures features = FeaturesOf(bytes);
  // The canvas is checked before the demuxer or the decoder sees more than the header.
  CheckPictureSize(features.width, features.height);
  if (features.has_animation) return ReadFirstFrame(bytes, memory);
  auto picture = NewTopDownPicture(features.width, features.height);
  FrameDecoding(bytes, *picture, 0, 0).Decode(memory);
  return picture;
}

}  // namespace pm
