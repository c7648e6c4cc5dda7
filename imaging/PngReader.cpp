#include "imaging/PngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "base/Exceptions.h"
#include "imaging/Bitmap.h"
#include "imaging/TopDownPicture.h"

namespace pm {

namespace {

// libpng refuses sides above its own default limit of a million pixels; the picture limit is the
// one that counts here, checked right after the header.
constexpr png_uint_32 kLargestSide = PNG_UINT_31_MAX;
// Memory for one ancillary chunk and the number of chunks kept aside: none of them is used, so
// small limits keep a hostile file from making libpng hold much.
constexpr png_alloc_size_t kChunkMemoryLimit = png_alloc_size_t{8} << 20;
constexpr png_uint_32 kCachedChunkLimit = 128;
// The known chunks that nothing here uses; libpng skips them like unknown ones. Gamma, colour
// profiles and texts are not applied, and each of them would cost memory or time.
constexpr png_byte kIgnoredChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0"
    "sCAL\0sPLT\0sRGB\0sTER\0tEXt\0tIME\0zTXt";
constexpr int kIgnoredChunkCount = 17;
constexpr int kLongJump = 1;
constexpr png_uint_16 kWhite = 255;

// The bytes that libpng reads, where they lie in memory.
struct PngMemorySource {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t offset = 0;
};

// What an error hook found out: whether libpng ran out of memory.
struct PngFailure {
  bool outOfMemory = false;
};

// The hooks that libpng calls. None of them lets an exception out; an error leaves libpng by
// the long jump back into RunUntilPngError.
void ReadFromMemory(png_structp png, png_bytep target, size_t count) noexcept {
  auto& source = *static_cast<PngMemorySource*>(png_get_io_ptr(png));
  if (count > source.size - source.offset) png_error(png, "the file ends early");
  std::memcpy(target, source.data + source.offset, count);
  source.offset += count;
}

[[noreturn]] void LeaveOnError(png_structp png, png_const_charp) noexcept {
  png_longjmp(png, kLongJump);
}

void IgnoreWarning(png_structp, png_const_charp) noexcept {}

png_voidp Allocate(png_structp png, png_alloc_size_t size) noexcept {
  void* memory = std::malloc(size);
  if (memory == nullptr) static_cast<PngFailure*>(png_get_error_ptr(png))->outOfMemory = true;
  return memory;
}

void Free(png_structp, png_voidp memory) noexcept { std::free(memory); }

// This frame holds nothing with a destructor: libpng's long jump comes back into it.
bool RunUntilPngError(png_structp png, void (*step)(void*), void* context) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  step(context);
  return true;
}

// One reading, in the order of its steps. Every libpng call runs inside Run, and a step that
// calls libpng holds only plain values, pointers and references; what makes C++ objects (the
// picture) happens between the steps.
class PngReading {
 public:
  PngReading(std::span<const uint8_t> bytes) : source_{bytes.data(), bytes.size(), 0} {
    png_ = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &failure_, LeaveOnError, IgnoreWarning,
                                    nullptr, Allocate, Free);
    if (png_ == nullptr) RaiseStoreError();
    info_ = png_create_info_struct(png_);
    if (info_ == nullptr) {
      png_destroy_read_struct(&png_, nullptr, nullptr);
      RaiseStoreError();
    }
  }
  ~PngReading() { png_destroy_read_struct(&png_, &info_, nullptr); }
  PngReading(const PngReading&) = delete;
  PngReading& operator=(const PngReading&) = delete;

  std::shared_ptr<TBitmapImage> Read() {
    ReadHeader();
    CheckPictureSize(width_, height_);
    ChooseTransformations();
    picture_ = NewTopDownPicture(width_, height_);
    ReadRows();
    return picture_;
  }

 private:
  template <typename Step>
  void Run(Step&& step) {
    using StepType = std::remove_reference_t<Step>;
    auto call = [](void* context) { (*static_cast<StepType*>(context))(); };
    if (RunUntilPngError(png_, call, &step)) return;
    if (failure_.outOfMemory) RaiseStoreError();
    throw EInvalidGraphic(kInvalidBitmapMessage);
  }

  void ReadHeader() {
    Run([this] {
      png_set_read_fn(png_, &source_, ReadFromMemory);
      png_set_user_limits(png_, kLargestSide, kLargestSide);
      png_set_chunk_malloc_max(png_, kChunkMemoryLimit);
      png_set_chunk_cache_max(png_, kCachedChunkLimit);
      png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
      png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
      png_read_info(png_, info_);
      width_ = png_get_image_width(png_, info_);
      height_ = png_get_image_height(png_, info_);
    });
  }

  // Rows of 8-bit blue, green, red. Transparency (an alpha channel or a transparent colour) is
  // composed over white by libpng as it reads each row, so that no row with alpha is ever kept:
  // 16-bit samples are composed before they are reduced to 8 bits.
  void ChooseTransformations() {
    Run([this] {
      const png_byte colorType = png_get_color_type(png_, info_);
      const png_byte bitDepth = png_get_bit_depth(png_, info_);
      if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png_);
      if ((colorType & PNG_COLOR_MASK_COLOR) == 0 && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png_);
      }
      const bool transparentColor = png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
      if (transparentColor) png_set_tRNS_to_alpha(png_);
      if (transparentColor || (colorType & PNG_COLOR_MASK_ALPHA) != 0)
        ComposeTransparencyOverWhite();
      if (bitDepth == 16) png_set_scale_16(png_);
      if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png_);
      png_set_bgr(png_);
      passes_ = png_set_interlace_handling(png_);
      png_read_update_info(png_, info_);
      rowBytes_ = png_get_rowbytes(png_, info_);
    });
    if (rowBytes_ != size_t{width_} * kBgrBytes) throw EInvalidGraphic(kInvalidBitmapMessage);
  }

  // White as the rows come out, 8 bits a sample (libpng widens it for 16-bit samples). No gamma
  // is known (the file's is not read), so none is applied to the background either.
  void ComposeTransparencyOverWhite() {
    png_color_16 white{};
    white.red = white.green = white.blue = white.gray = kWhite;
    png_set_background_fixed(png_, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, PNG_FP_1);
  }

  // Each pass goes over every row; libpng adds the pass's pixels to the row it is given and
  // leaves the others as they are.
  void ReadRows() {
    Run([this] {
      for (int pass = 0; pass < passes_; ++pass) {
        for (png_uint_32 y = 0; y < height_; ++y) {
          png_read_row(png_, picture_->Row(static_cast<int32_t>(y)), nullptr);
        }
      }
    });
  }

  PngMemorySource source_;
  PngFailure failure_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  png_uint_32 width_ = 0;
  png_uint_32 height_ = 0;
  int passes_ = 1;
  size_t rowBytes_ = 0;
  std::shared_ptr<TBitmapImage> picture_;
};

}  // namespace

std::shared_ptr<TBitmapImage> ReadPngImage(std::span<const uint8_t> bytes) {
  return PngReading(bytes).Read();
}

}  // namespace pm
