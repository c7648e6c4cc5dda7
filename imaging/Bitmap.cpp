#include "imaging/Bitmap.h"

#include <string>

#include "base/Exceptions.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"

namespace pm {

namespace {

constexpr std::array<uint32_t, 3> k565Masks{0xF800, 0x07E0, 0x001F};

// The description that a conversion to `format` gives a picture described by `info`.
TBitmapInfo DescriptionFor(TPixelFormat format, const TBitmapInfo& info) {
  TBitmapInfo target = info;
  target.form = TBitmapForm::DeviceIndependent;
  target.compression = BI_RGB;
  target.masks = {};
  target.colorTable.clear();
  target.rowOrder = TRowOrder::BottomUp;
  switch (format) {
    case TPixelFormat::pfDevice:
      target.form = TBitmapForm::Display;
      target.bitCount = 0;
      break;
    case TPixelFormat::pf1bit:
      target.bitCount = 1;
      target.colorTable = MonochromePalette();
      break;
    case TPixelFormat::pf4bit:
      target.bitCount = 4;
      target.colorTable = SixteenColorPalette();
      break;
    case TPixelFormat::pf8bit:
      target.bitCount = 8;
      target.colorTable = HalftonePalette();
      target.displayPalette = target.colorTable;
      break;
    case TPixelFormat::pf15bit:
      target.bitCount = 16;
      break;
    case TPixelFormat::pf16bit:
      target.bitCount = 16;
      target.compression = BI_BITFIELDS;
      target.masks = k565Masks;
      break;
    case TPixelFormat::pf24bit:
      target.bitCount = 24;
      break;
    case TPixelFormat::pf32bit:
      target.bitCount = 32;
      break;
    case TPixelFormat::pfCustom:
      throw EInvalidGraphic(kInvalidPixelFormatMessage);
  }
  return target;
}

[[noreturn]] void RaiseScanLineRange() { throw EInvalidGraphicOperation(kScanLineRangeMessage); }

}  // namespace

TBitmap::TBitmap() : image_(std::make_shared<TBitmapImage>()) {}

TBitmap::TBitmap(const TBitmap& other) : TGraphic(), image_(other.image_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(&other);
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TBitmap* source) {
  if (source == this) return;
  image_ = source ? source->image_ : std::make_shared<TBitmapImage>();
  Changed();
}

void TBitmap::SetWidth(int32_t width) { Resize(width, Height(), false); }

void TBitmap::SetHeight(int32_t height) { Resize(Width(), height, true); }

void TBitmap::Resize(int32_t width, int32_t height, bool heightChanged) {
  if (width == Width() && height == Height()) return;
  if (width < 0 || height < 0) RaiseStoreError();
  TBitmapInfo info = image_->Info();
  info.width = width;
  info.height = height;
  // A top-down store whose width alone changes stays top-down.
  if (heightChanged || !image_->HasStore()) info.rowOrder = TRowOrder::BottomUp;
  if (width == 0 || height == 0) {
    image_ = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Undefined);
    return;
  }
  // Zero first, so that the padding at the end of each row is 0 as well.
  auto resized = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
  resized->FillRectangle(0, 0, width, height, canvas_ ? canvas_->Brush().Color : clWhite);
  resized->CopyPixelsFrom(*image_);
  image_ = std::move(resized);
  Changed();
}

void TBitmap::LoadFromStream(TStream& stream) { ReplaceImage(ReadBmpImage(stream)); }

void TBitmap::SaveToStream(TStream& stream) { WriteBmpImage(*image_, stream); }

void TBitmap::SaveToStream24(TStream& stream) const { WriteBmpImage24(*image_, stream); }

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat()) return;
  TBitmapInfo info = DescriptionFor(format, image_->Info());
  if (!image_->HasStore()) {
    image_ = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Undefined);
    return;
  }
  auto converted = std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Zero);
  std::vector<uint8_t> row(static_cast<size_t>(Width()) * 3);
  for (int32_t y = 0; y < Height(); ++y) {
    image_->ReadRowBgr(y, row.data());
    converted->WriteRowBgr(y, row.data());
  }
  image_ = std::move(converted);
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

uint8_t* TBitmap::ScanLine(int32_t y) {
  if (y < 0 || y >= Height() || Empty()) RaiseScanLineRange();
  return MutableImage().Row(y);
}

const uint8_t* TBitmap::ConstScanLine(int32_t y) const {
  if (y < 0 || y >= Height() || Empty()) RaiseScanLineRange();
  return image_->Row(y);
}

void TBitmap::SetColorTable(std::vector<TRGBQuad> table) {
  MutableImage().Info().colorTable = std::move(table);
  Changed();
}

void TBitmap::ReplaceImage(std::shared_ptr<TBitmapImage> image) {
  image_ = image ? std::move(image) : std::make_shared<TBitmapImage>();
  Changed();
}

TBitmapImage& TBitmap::MutableImage() {
  if (image_.use_count() > 1) image_ = std::make_shared<TBitmapImage>(*image_);
  return *image_;
}

}  // namespace pm
