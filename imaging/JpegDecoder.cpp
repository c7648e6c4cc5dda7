#include "imaging/JpegDecoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/JpegLibrary.h"
#include "imaging/PictureLimit.h"

namespace pm {

namespace {

// Quantised output has at most this many colours, leaving 20 of 256 palette entries to the
// display.
constexpr int kPaletteColors = 236;
constexpr int kCmykComponents = 4;
constexpr int kMaxSample = 255;
constexpr uint8_t kWhiteByte = 0xFF;
constexpr int kCmykCyan = 0, kCmykMagenta = 1, kCmykYellow = 2, kCmykBlack = 3;
constexpr int kBgrBlue = 0, kBgrGreen = 1, kBgrRed = 2, kBgrComponents = 3;
constexpr int kMapRed = 0, kMapGreen = 1, kMapBlue = 2;

unsigned ScaleDenominator(int scaleShift) {
  return 1u << std::clamp(scaleShift, 0, kMaxScaleShift);
}

uint8_t InkProduct(unsigned stored, unsigned black) {
  return static_cast<uint8_t>((stored * black + kMaxSample / 2) / kMaxSample);
}

// Four-component data holds CMYK as Adobe applications store it, every value inverted (255 is
// no ink); the library hands the stored values over as they are.
void ConvertInvertedCmykRow(const JSAMPLE* cmyk, uint8_t* bgr, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += kCmykComponents, bgr += kBgrComponents) {
    const unsigned black = cmyk[kCmykBlack];
    bgr[kBgrBlue] = InkProduct(cmyk[kCmykYellow], black);
    bgr[kBgrGreen] = InkProduct(cmyk[kCmykMagenta], black);
    bgr[kBgrRed] = InkProduct(cmyk[kCmykCyan], black);
  }
}

// A bottom-up 24-bit store of the size for the empty bitmap, its bytes not yet set. Setting the
// width and then the height would fill it white pixel by pixel; instead the decoding writes
// every row and a decoding that fails whitens the rows that it didn't reach, so that the bitmap
// ends as the sizing and the rows read would have left it. EOSError, before anything is
// allocated, when the store would be too large.
void SizeUnfilled24(TBitmap& bitmap, int32_t width, int32_t height) {
  TBitmapInfo info = bitmap.Info();
  info.width = width;
  info.height = height;
  info.rowOrder = TRowOrder::BottomUp;
  bitmap.ReplaceImage(
      std::make_shared<TBitmapImage>(std::move(info), TPixelStore::Fill::Undefined));
}

// One decoding, in the order of its steps. Every library call runs inside the decompressor's
// Run; the steps that make C++ objects (the palette, the CMYK row) do so outside those calls.
class TJpegDecoding {
 public:
  TJpegDecoding(std::span<const uint8_t> bytes, const TJPEGSettings& settings, TBitmap& bitmap)
      : info_(decompressor_.Info()), settings_(settings), bitmap_(bitmap) {
    decompressor_.ReadFrom(bytes);
  }

  // Returns the library's warnings.
  int Decode() {
    ReadHeader();
    SetParameters();
    SizeBitmap();
    try {
      StartDecompress();
      if (scanByScan_) {
        ReadScanByScan();
      } else {
        if (info_.colormap != nullptr) SetPalette();
        ReadRows();
      }
      Finish();
    } catch (...) {
      if (whitenOnFailure_) WhitenRowsFrom(rowsFilled_);
      throw;
    }
    return static_cast<int>(info_.err->num_warnings);
  }

 private:
  void ReadHeader() {
    decompressor_.Run([this] {
      jpeg_read_header(&info_, TRUE);
      multipleScans_ = jpeg_has_multiple_scans(&info_) != FALSE;
    });
  }

  void SetParameters() {
    info_.scale_num = 1;
    info_.scale_denom = ScaleDenominator(settings_.ScaleShift);
    info_.do_block_smoothing = settings_.BlockSmoothing ? TRUE : FALSE;
    convertCmyk_ = info_.out_color_space == JCS_CMYK && info_.num_components == kCmykComponents;
    if (!convertCmyk_) SetOutputColors();
    const bool bestSpeed = settings_.SpeedMode == TJPEGPerformance::jpBestSpeed;
    info_.dct_method = bestSpeed ? JDCT_IFAST : JDCT_FLOAT;
    if (bestSpeed) {
      info_.two_pass_quantize = FALSE;
      info_.dither_mode = JDITHER_ORDERED;
    }
    if (settings_.ScanDisplay && multipleScans_) SwitchToScanByScan();
    // Unquantised colour rows come out in the bitmap's blue, green, red order.
    if (!info_.quantize_colors && info_.out_color_space == JCS_RGB) {
      info_.out_color_space = JCS_EXT_BGR;
    }
  }

  // Gray or three-component colour, quantised to a palette when asked or when gray. Data of
  // any other colour space is asked for as colour: the library converts it or refuses it.
  // Four-component data is converted to colour here instead (see ConvertInvertedCmykRow), as
  // 24-bit pixels whatever GrayMode and PaletteOutput say.
  void SetOutputColors() {
    if (info_.out_color_space != JCS_GRAYSCALE) info_.out_color_space = JCS_RGB;
    if (settings_.GrayMode) info_.out_color_space = JCS_GRAYSCALE;
    if (settings_.PaletteOutput || info_.out_color_space == JCS_GRAYSCALE) {
      info_.quantize_colors = TRUE;
      info_.desired_number_of_colors = kPaletteColors;
    }
  }

  // Passes over the scans read so far with the fast settings, then a final pass with the
  // settings chosen above.
  void SwitchToScanByScan() {
    finalDct_ = info_.dct_method;
    finalTwoPass_ = info_.two_pass_quantize;
    finalDither_ = info_.dither_mode;
    info_.enable_2pass_quant = finalTwoPass_;
    info_.dct_method = JDCT_IFAST;
    info_.two_pass_quantize = FALSE;
    info_.dither_mode = JDITHER_ORDERED;
    info_.buffered_image = TRUE;
    scanByScan_ = true;
  }

  // The bitmap is sized before the library makes its buffers, so that a header that claims a
  // picture beyond the picture limit fails before anything is allocated for it.
  void SizeBitmap() {
    CheckPictureLimit(info_.image_width, info_.image_height);
    bitmap_.SetPixelFormat(info_.quantize_colors ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    decompressor_.Run([this] { jpeg_calc_output_dimensions(&info_); });
    const auto width = static_cast<int32_t>(info_.output_width);
    const auto height = static_cast<int32_t>(info_.output_height);
    if (bitmap_.PixelFormat() == TPixelFormat::pf24bit) {
      SizeUnfilled24(bitmap_, width, height);
      whitenOnFailure_ = true;
    } else {
      bitmap_.SetWidth(width);
      bitmap_.SetHeight(height);
    }
    if (convertCmyk_) cmykRow_.resize(size_t{info_.output_width} * kCmykComponents);
    pixelBytes_ = static_cast<size_t>(width) * (info_.quantize_colors ? 1 : kBgrComponents);
    paddingBytes_ = static_cast<size_t>(bitmap_.Stride()) - pixelBytes_;
  }

  void WhitenRowsFrom(JDIMENSION top) {
    for (JDIMENSION y = top; y < info_.output_height; ++y) {
      uint8_t* row = bitmap_.ScanLine(static_cast<int32_t>(y));
      std::memset(row, kWhiteByte, pixelBytes_);
      std::memset(row + pixelBytes_, 0, paddingBytes_);
    }
  }

  void StartDecompress() {
    decompressor_.Run([this] { jpeg_start_decompress(&info_); });
  }

  void SetPalette() {
    const int count = info_.actual_number_of_colors;
    std::vector<TRGBQuad> table(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      if (info_.out_color_components == 1) {
        const JSAMPLE v = info_.colormap[0][i];
        table[i] = TRGBQuad{v, v, v, 0};
      } else {
        table[i] = TRGBQuad{info_.colormap[kMapBlue][i], info_.colormap[kMapGreen][i],
                            info_.colormap[kMapRed][i], 0};
      }
    }
    bitmap_.SetColorTable(std::move(table));
    paletteSet_ = true;
  }

  // Rows one at a time from the top; 24-bit rows get blue, green, red, 8-bit rows indices.
  void ReadRows() {
    decompressor_.Run([this] {
      while (info_.output_scanline < info_.output_height) {
        uint8_t* row = bitmap_.ScanLine(static_cast<int32_t>(info_.output_scanline));
        JSAMPROW target = convertCmyk_ ? cmykRow_.data() : row;
        if (jpeg_read_scanlines(&info_, &target, 1) != 1) continue;
        if (convertCmyk_) ConvertInvertedCmykRow(target, row, info_.output_width);
        std::memset(row + pixelBytes_, 0, paddingBytes_);
        rowsFilled_ = std::max(rowsFilled_, info_.output_scanline);
      }
    });
  }

  void ReadScanByScan() {
    bool firstPass = true;
    while (ConsumeInput() != JPEG_REACHED_EOI) {
      StartOutput();
      if (firstPass && info_.quantize_colors && info_.colormap != nullptr) SetPalette();
      firstPass = false;
      ReadRows();
      FinishOutput();
    }
    const bool twoPassFinal = info_.quantize_colors && finalTwoPass_ && info_.enable_2pass_quant;
    info_.dct_method = finalDct_;
    info_.two_pass_quantize = finalTwoPass_;
    info_.dither_mode = finalDither_;
    if (twoPassFinal) info_.colormap = nullptr;
    StartOutput();
    if ((twoPassFinal || !paletteSet_) && info_.colormap != nullptr) SetPalette();
    ReadRows();
    FinishOutput();
  }

  int ConsumeInput() {
    int status = 0;
    decompressor_.Run([this, &status] {
      status = jpeg_consume_input(&info_);
      CheckJpegScanLimit(info_);
    });
    return status;
  }

  void StartOutput() {
    decompressor_.Run([this] { jpeg_start_output(&info_, info_.input_scan_number); });
  }

  void FinishOutput() {
    decompressor_.Run([this] { jpeg_finish_output(&info_); });
  }

  void Finish() {
    decompressor_.Run([this] { jpeg_finish_decompress(&info_); });
  }

  TJpegDecompressor decompressor_;
  jpeg_decompress_struct& info_;
  const TJPEGSettings& settings_;
  TBitmap& bitmap_;
  bool multipleScans_ = false;
  bool convertCmyk_ = false;
  bool scanByScan_ = false;
  bool paletteSet_ = false;
  J_DCT_METHOD finalDct_ = JDCT_FLOAT;
  boolean finalTwoPass_ = TRUE;
  J_DITHER_MODE finalDither_ = JDITHER_FS;
  std::vector<JSAMPLE> cmykRow_;
  size_t pixelBytes_ = 0;    // of a row
  size_t paddingBytes_ = 0;  // after the pixels of a row, set to 0
  bool whitenOnFailure_ = false;
  JDIMENSION rowsFilled_ = 0;  // top rows that the library has written
};

}  // namespace

int DecodeJpeg(std::span<const uint8_t> bytes, const TJPEGSettings& settings, TBitmap& bitmap) {
  return TJpegDecoding(bytes, settings, bitmap).Decode();
}

TJpegSize ScaledJpegSize(std::span<const uint8_t> bytes, int scaleShift) {
  TJpegDecompressor decompressor;
  decompressor.ReadFrom(bytes);
  jpeg_decompress_struct& info = decompressor.Info();
  TJpegSize size;
  decompressor.Run([&info, &size, scaleShift] {
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = ScaleDenominator(scaleShift);
    jpeg_calc_output_dimensions(&info);
    size.width = static_cast<int32_t>(info.output_width);
    size.height = static_cast<int32_t>(info.output_height);
  });
  return size;
}

}  // namespace pm
