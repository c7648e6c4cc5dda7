#include "imaging/JpegLibrary.h"

#include <algorithm>
#include <cstring>

#include <jerror.h>

#include "base/Exceptions.h"
#include "imaging/JpegMessageCodes.h"

namespace pm {

namespace {

// The value that setjmp gives back when the error exit jumps to it.
constexpr int kErrorExitJump = 1;

TJpegErrorManager& ErrorManagerOf(j_common_ptr info) {
  // The library's record is the first member of ours.
  return *reinterpret_cast<TJpegErrorManager*>(info->err);
}

// --- error hooks ---------------------------------------------------------------------------

void ErrorExit(j_common_ptr info) noexcept {
  std::longjmp(ErrorManagerOf(info).exit, kErrorExitJump);
}

// Warnings (level -1) are counted, as the library's own manager counts them, and not shown;
// trace messages are dropped.
void EmitMessage(j_common_ptr info, int level) noexcept {
  if (level < 0) ++info->err->num_warnings;
}

void OutputMessage(j_common_ptr) noexcept {}

void FormatNoMessage(j_common_ptr, char* buffer) noexcept {
  // Nothing is ever shown; an empty text keeps a reader of the buffer safe.
  buffer[0] = '\0';
}

void ResetErrorManager(j_common_ptr info) noexcept {
  info->err->num_warnings = 0;
  info->err->msg_code = 0;
}

// --- memory source -------------------------------------------------------------------------

TJpegMemorySource& SourceOf(j_decompress_ptr info) {
  return *reinterpret_cast<TJpegMemorySource*>(info->src);
}

void InitSource(j_decompress_ptr info) noexcept {
  TJpegMemorySource& source = SourceOf(info);
  source.offset = 0;
  source.pub.next_input_byte = nullptr;
  source.pub.bytes_in_buffer = 0;
}

boolean FillInputBuffer(j_decompress_ptr info) noexcept {
  TJpegMemorySource& source = SourceOf(info);
  if (source.offset < source.size) {
    // The bytes are in memory already: the library reads them where they lie, all at once, so
    // that its fast decoding path always has the look-ahead it needs.
    const size_t piece = source.size - source.offset;
    source.pub.next_input_byte = source.data + source.offset;
    source.pub.bytes_in_buffer = piece;
    source.offset += piece;
    return TRUE;
  }
  if (source.size == 0) ERREXIT(info, JERR_INPUT_EMPTY);
  // The bytes ran out: the stream is taken to end here, as the library's own sources do.
  WARNMS(info, JWRN_JPEG_EOF);
  source.fakeEndOfImage[0] = 0xFF;
  source.fakeEndOfImage[1] = JPEG_EOI;
  source.pub.next_input_byte = source.fakeEndOfImage;
  source.pub.bytes_in_buffer = sizeof source.fakeEndOfImage;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) noexcept {
  if (count <= 0) return;
  jpeg_source_mgr& source = *info->src;
  auto remaining = static_cast<size_t>(count);
  while (remaining > source.bytes_in_buffer) {
    remaining -= source.bytes_in_buffer;
    FillInputBuffer(info);
  }
  source.next_input_byte += remaining;
  source.bytes_in_buffer -= remaining;
}

void TermSource(j_decompress_ptr) noexcept {}

// --- memory destination --------------------------------------------------------------------

TJpegMemoryDestination& DestinationOf(j_compress_ptr info) {
  return *reinterpret_cast<TJpegMemoryDestination*>(info->dest);
}

void StartPiece(TJpegMemoryDestination& destination) {
  destination.pub.next_output_byte = destination.buffer;
  destination.pub.free_in_buffer = kJpegBufferSize;
}

// Appends the first `count` bytes of the piece; false when the buffer can't grow. Nothing may
// leave this function by an exception, since the library's frames lie above it.
bool AppendPiece(TJpegMemoryDestination& destination, size_t count) noexcept {
  try {
    destination.bytes->insert(destination.bytes->end(), destination.buffer,
                              destination.buffer + count);
    return true;
  } catch (...) {
    return false;
  }
}

void InitDestination(j_compress_ptr info) noexcept { StartPiece(DestinationOf(info)); }

boolean EmptyOutputBuffer(j_compress_ptr info) noexcept {
  TJpegMemoryDestination& destination = DestinationOf(info);
  // The library calls this with a full piece, whatever free_in_buffer says.
  if (!AppendPiece(destination, kJpegBufferSize)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  StartPiece(destination);
  return TRUE;
}

void TermDestination(j_compress_ptr info) noexcept {
  TJpegMemoryDestination& destination = DestinationOf(info);
  const size_t remainder = kJpegBufferSize - destination.pub.free_in_buffer;
  if (!AppendPiece(destination, remainder)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
}

// --- bounds --------------------------------------------------------------------------------

// The library calls this while it reads and decodes; the input scan number counts the scans
// begun so far.
void MonitorProgress(j_common_ptr info) noexcept {
  if (info->is_decompressor) CheckJpegScanLimit(*reinterpret_cast<j_decompress_ptr>(info));
}

}  // namespace

void CheckJpegScanLimit(jpeg_decompress_struct& info) {
  if (info.input_scan_number <= 1) return;
  int64_t blocks = 0;
  for (int i = 0; i < info.num_components && info.comp_info != nullptr; ++i) {
    blocks += int64_t{info.comp_info[i].width_in_blocks} * info.comp_info[i].height_in_blocks;
  }
  const int64_t scans =
      std::min<int64_t>(kMaxJpegScans, kMaxJpegScanBlocks / std::max<int64_t>(blocks, 1));
  if (info.input_scan_number > scans) {
    ERREXIT4(&info, JERR_BAD_PROGRESSION, info.Ss, info.Se, info.Ah, info.Al);
  }
}

[[noreturn]] void RaiseJpegError(int linkedCode) {
  throw EJPEG(FormatMessage(kJpegErrorMessage, ReleaseMessageNumber(linkedCode)));
}

void InstallErrorHooks(TJpegErrorManager& error) {
  jpeg_std_error(&error.pub);
  error.pub.error_exit = ErrorExit;
  error.pub.emit_message = EmitMessage;
  error.pub.output_message = OutputMessage;
  error.pub.format_message = FormatNoMessage;
  error.pub.reset_error_mgr = ResetErrorManager;
}

// This frame holds nothing with a destructor: the error exit jumps back into it from inside
// the library.
bool RunUntilErrorExit(TJpegErrorManager& error, void (*step)(void*), void* context) {
  if (setjmp(error.exit) != 0) return false;
  step(context);
  return true;
}

// --- decompression object ------------------------------------------------------------------

TJpegDecompressor::TJpegDecompressor() {
  InstallErrorHooks(error_);
  info_.err = &error_.pub;
  Run([this] { jpeg_create_decompress(&info_); });
  info_.mem->max_memory_to_use = kMaxJpegLibraryMemory;
  progress_.progress_monitor = MonitorProgress;
  info_.progress = &progress_;
}

TJpegDecompressor::~TJpegDecompressor() { Destroy(); }

void TJpegDecompressor::Destroy() {
  // Safe also for an object whose creation failed part way, and when done twice.
  jpeg_destroy_decompress(&info_);
}

void TJpegDecompressor::FailAfterErrorExit() {
  const int code = error_.pub.msg_code;
  Destroy();
  RaiseJpegError(code);
}

void TJpegDecompressor::ReadFrom(std::span<const uint8_t> bytes) {
  source_.data = bytes.data();
  source_.size = bytes.size();
  source_.offset = 0;
  source_.pub.init_source = InitSource;
  source_.pub.fill_input_buffer = FillInputBuffer;
  source_.pub.skip_input_data = SkipInputData;
  source_.pub.resync_to_restart = jpeg_resync_to_restart;
  source_.pub.term_source = TermSource;
  source_.pub.next_input_byte = nullptr;
  source_.pub.bytes_in_buffer = 0;
  info_.src = &source_.pub;
}

// --- compression object --------------------------------------------------------------------

TJpegCompressor::TJpegCompressor() {
  InstallErrorHooks(error_);
  info_.err = &error_.pub;
  Run([this] { jpeg_create_compress(&info_); });
}

TJpegCompressor::~TJpegCompressor() { Destroy(); }

void TJpegCompressor::Destroy() { jpeg_destroy_compress(&info_); }

void TJpegCompressor::FailAfterErrorExit() {
  const int code = error_.pub.msg_code;
  Destroy();
  RaiseJpegError(code);
}

void TJpegCompressor::WriteTo(std::vector<uint8_t>& bytes) {
  destination_.bytes = &bytes;
  destination_.pub.init_destination = InitDestination;
  destination_.pub.empty_output_buffer = EmptyOutputBuffer;
  destination_.pub.term_destination = TermDestination;
  info_.dest = &destination_.pub;
}

}  // namespace pm
