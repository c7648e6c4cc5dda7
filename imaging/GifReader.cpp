#include "imaging/GifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "base/Exceptions.h"
#include "imaging/Bitmap.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

constexpr uint8_t kWhite = 0xFF;

// An interlaced frame stores its rows in four passes: every 8th row from row 0, every 8th from
// row 4, every 4th from row 2, every 2nd from row 1.
struct InterlacePass {
  int first;
  int step;
};
constexpr std::array<InterlacePass, 4> kInterlacePasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};

[[noreturn]] void RaiseInvalidGif() { throw EInvalidGraphic(kInvalidBitmapMessage); }

// The bytes that giflib reads, where they lie in memory.
struct GifMemorySource {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t offset = 0;
};

// giflib's read hook: as many of the bytes asked for as are left; fewer is giflib's read error.
int ReadFromMemory(GifFileType* gif, GifByteType* target, int count) noexcept {
  auto& source = *static_cast<GifMemorySource*>(gif->UserData);
  const size_t piece =
      std::min(static_cast<size_t>(std::max(count, 0)), source.size - source.offset);
  std::memcpy(target, source.data + source.offset, piece);
  source.offset += piece;
  return static_cast<int>(piece);
}

// A failure that giflib reports: its own memory failure, or a damaged file.
[[noreturn]] void RaiseGifError(int error) {
  if (error == D_GIF_ERR_NOT_ENOUGH_MEM) RaiseStoreError();
  RaiseInvalidGif();
}

// Owns giflib's decoder from its opening to its closing.
class GifDecoder {
 public:
  explicit GifDecoder(GifMemorySource& source) {
    int error = D_GIF_SUCCEEDED;
    gif_ = DGifOpen(&source, ReadFromMemory, &error);
    if (gif_ == nullptr) RaiseGifError(error);
  }
  ~GifDecoder() {
    int error = D_GIF_SUCCEEDED;
    DGifCloseFile(gif_, &error);
  }
  GifDecoder(const GifDecoder&) = delete;
  GifDecoder& operator=(const GifDecoder&) = delete;

  GifFileType* operator->() const { return gif_; }
  GifFileType* Get() const { return gif_; }
  // Raises the failure of the last giflib call when it returned GIF_ERROR.
  void Check(int result) const {
    if (result == GIF_ERROR) RaiseGifError(gif_->Error);
  }

 private:
  GifFileType* gif_ = nullptr;
};

class GifReading {
 public:
  GifReading(std::span<const uint8_t> bytes)
      : source_{bytes.data(), bytes.size(), 0}, gif_(source_) {}

  std::shared_ptr<TBitmapImage> Read() {
    ReadUpToFirstFrame();
    ChooseColorMap();
    MakeCanvas();
    ReadFrame();
    return picture_;
  }

 private:
  // Extensions come before the frame; a graphic control extension names its transparent colour.
  void ReadUpToFirstFrame() {
    while (true) {
      GifRecordType record = UNDEFINED_RECORD_TYPE;
      gif_.Check(DGifGetRecordType(gif_.Get(), &record));
      if (record == IMAGE_DESC_RECORD_TYPE) break;
      if (record == EXTENSION_RECORD_TYPE) {
        ReadExtension();
      } else {
        RaiseInvalidGif();  // the file ends without any frame
      }
    }
    gif_.Check(DGifGetImageDesc(gif_.Get()));
    const GifImageDesc& frame = gif_->Image;
    CheckPictureSize(frame.Width, frame.Height);
  }

  void ReadExtension() {
    int code = 0;
    GifByteType* block = nullptr;
    gif_.Check(DGifGetExtension(gif_.Get(), &code, &block));
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
      GraphicsControlBlock control{};
      if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
        transparentIndex_ = control.TransparentColor;
      }
    }
    while (block != nullptr) gif_.Check(DGifGetExtensionNext(gif_.Get(), &block));
  }

  // The frame's own colour map, or else the file's.
  void ChooseColorMap() {
    const ColorMapObject* map = gif_->Image.ColorMap ? gif_->Image.ColorMap : gif_->SColorMap;
    if (map == nullptr || map->Colors == nullptr) RaiseInvalidGif();
    colors_.assign(map->Colors, map->Colors + std::max(map->ColorCount, 0));
  }

  // The logical screen, white; a file whose screen is empty shows the frame alone.
  void MakeCanvas() {
    int64_t width = gif_->SWidth, height = gif_->SHeight;
    if (width == 0 || height == 0) {
      width = gif_->Image.Width;
      height = gif_->Image.Height;
      frameLeft_ = frameTop_ = 0;
    } else {
      frameLeft_ = gif_->Image.Left;
      frameTop_ = gif_->Image.Top;
    }
    picture_ = NewTopDownPicture(width, height);
    for (int32_t y = 0; y < picture_->Height(); ++y) {
      std::memset(picture_->Row(y), kWhite, static_cast<size_t>(width) * kBgrBytes);
    }
  }

  // The frame's rows in the order the file holds them; the part outside the screen is dropped.
  void ReadFrame() {
    const GifImageDesc& frame = gif_->Image;
    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    const auto readRow = [&](int row) {
      gif_.Check(DGifGetLine(gif_.Get(), line.data(), frame.Width));
      PaintRow(line, frameTop_ + row);
    };
    if (!frame.Interlace) {
      for (int row = 0; row < frame.Height; ++row) readRow(row);
      return;
    }
    for (const InterlacePass& pass : kInterlacePasses) {
      for (int row = pass.first; row < frame.Height; row += pass.step) readRow(row);
    }
  }

  // Pixels of the transparent colour stay white; an index beyond the colour map is black.
  void PaintRow(const std::vector<GifPixelType>& line, int64_t y) {
    if (y < 0 || y >= picture_->Height()) return;
    uint8_t* row = picture_->Row(static_cast<int32_t>(y));
    const int64_t width = picture_->Width();
    for (size_t x = 0; x < line.size(); ++x) {
      const int64_t column = frameLeft_ + static_cast<int64_t>(x);
      if (column >= width) break;
      const int index = line[x];
      if (index == transparentIndex_) continue;
      uint8_t* pixel = row + column * kBgrBytes;
      if (static_cast<size_t>(index) >= colors_.size()) {
        pixel[0] = pixel[1] = pixel[2] = 0;
        continue;
      }
      const GifColorType& color = colors_[static_cast<size_t>(index)];
      pixel[0] = color.Blue;
      pixel[1] = color.Green;
      pixel[2] = color.Red;
    }
  }

  GifMemorySource source_;
  GifDecoder gif_;
  int transparentIndex_ = NO_TRANSPARENT_COLOR;
  std::vector<GifColorType> colors_;
  int64_t frameLeft_ = 0;
  int64_t frameTop_ = 0;
  std::shared_ptr<TBitmapImage> picture_;
};

}  // namespace

std::shared_ptr<TBitmapImage> ReadGifImage(std::span<const uint8_t> bytes) {
  return GifReading(bytes).Read();
}

}  // namespace pm
