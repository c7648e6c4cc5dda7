// The glue to the JPEG library: owners of its compression and decompression objects, the error
// manager through which its fatal errors leave it, and the in-memory source and destination.
//
// The library is C code. Its fatal-error hook leaves the library by a long jump back into the
// operation that called it; no C++ exception ever travels through the library's frames. The
// hooks that the library calls back (source, destination, errors) catch everything and turn a
// failure into a library error exit.
#pragma once

// jpeglib.h uses FILE and size_t without including their headers.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <type_traits>
#include <vector>

#include <jpeglib.h>

namespace pm {

inline constexpr const char* kJpegErrorMessage = "JPEG エラー #%d";
// The library writes the in-memory JPEG bytes in pieces of this size.
inline constexpr size_t kJpegBufferSize = 4096;

// The bounds of one decompression, whatever the stream says.
//
// The library's own memory (above all the coefficients of a stream in several scans, which it
// keeps for the whole picture: 128 bytes a block of 8 × 8 samples) is limited, so that two
// pictures at the picture limit (3 bytes a pixel, 384 MiB each: the window shows the background
// and slot 0) and the library's memory of a decoding stay within 1 GiB. A stream in several
// scans therefore has at most a million blocks (some 43 million pixels in colour).
//
// Each scan costs time in proportion to the picture's blocks, however few bytes it holds, and
// the library follows any number of scans: a stream is refused beyond kMaxJpegScans scans, and
// beyond the number of scans that would go over kMaxJpegScanBlocks blocks in all (128 scans of
// the largest picture that may have several), so that a decoding takes a few seconds at most.
//
// Beyond either bound the decompression fails with the library's error: its memory error
// (JERR_NO_BACKING_STORE), or JERR_BAD_PROGRESSION for the scans.
inline constexpr long kMaxJpegLibraryMemory = 128L << 20;
inline constexpr int kMaxJpegScans = 500;
inline constexpr int64_t kMaxJpegScanBlocks = int64_t{1} << 27;

// Raises EJPEG "JPEG エラー #%d" for the linked library's message code, with the number that
// users see (see JpegMessageCodes.h).
[[noreturn]] void RaiseJpegError(int linkedCode);

// The error manager of one library object: the library's own record first, then the place to
// jump back to when the library gives up.
struct TJpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf exit;
};

// Sets the hooks: error_exit jumps back to `exit`; warnings are counted in num_warnings and
// nothing is shown; trace messages are dropped; reset_error_mgr clears num_warnings and
// msg_code.
void InstallErrorHooks(TJpegErrorManager& error);

// Calls step(context). Returns true when it returned, false when the library left it by its
// error exit. The caller must not use the library object again after false, only destroy it.
bool RunUntilErrorExit(TJpegErrorManager& error, void (*step)(void*), void* context);

// The source that hands the library the JPEG bytes from their start, where they lie in memory. When
// the bytes run out after at least one byte the library gets its usual end-of-data handling (a
// warning and a made-up end-of-image marker); no bytes at all is its fatal error "input file
// empty".
struct TJpegMemorySource {
  jpeg_source_mgr pub;
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t offset = 0;  // bytes handed to the library so far
  JOCTET fakeEndOfImage[2];
};

// The destination that appends the library's output to a byte buffer in pieces of
// kJpegBufferSize bytes, the remainder at the end. A buffer that can't grow is a library error.
struct TJpegMemoryDestination {
  jpeg_destination_mgr pub;
  std::vector<uint8_t>* bytes = nullptr;
  JOCTET buffer[kJpegBufferSize];
};

// Shared by the two owners below: runs one step of library calls until the library's error exit.
//
// A step is a callable that calls library functions. The library may leave it by a long jump,
// so while a step calls the library it must hold no object with a destructor: only plain
// values, pointers and references. A C++ exception that the step itself raises (outside any
// library call) reaches the caller normally. When the library gives up, the object is destroyed
// and EJPEG is raised.
template <typename Owner>
class TJpegObjectRunner {
 public:
  template <typename Step>
  void Run(Step&& step) {
    using StepType = std::remove_reference_t<Step>;
    auto call = [](void* context) { (*static_cast<StepType*>(context))(); };
    auto& owner = static_cast<Owner&>(*this);
    if (!RunUntilErrorExit(owner.error_, call, &step)) owner.FailAfterErrorExit();
  }
};

// Fails by the library's error exit when the decompression has gone past the scans it may have
// (see kMaxJpegScans); for library steps that read input without the progress monitor
// (jpeg_consume_input).
void CheckJpegScanLimit(jpeg_decompress_struct& info);

// Owns a decompression object from its creation to its destruction, with the bounds above.
class TJpegDecompressor : public TJpegObjectRunner<TJpegDecompressor> {
 public:
  // EJPEG when the library can't create the object.
  TJpegDecompressor();
  ~TJpegDecompressor();
  TJpegDecompressor(const TJpegDecompressor&) = delete;
  TJpegDecompressor& operator=(const TJpegDecompressor&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  // The library will read these bytes, from their start; they must outlive the object.
  void ReadFrom(std::span<const uint8_t> bytes);

 private:
  friend class TJpegObjectRunner<TJpegDecompressor>;
  [[noreturn]] void FailAfterErrorExit();
  void Destroy();

  jpeg_decompress_struct info_{};
  TJpegErrorManager error_{};
  TJpegMemorySource source_{};
  jpeg_progress_mgr progress_{};
};

// Owns a compression object from its creation to its destruction.
class TJpegCompressor : public TJpegObjectRunner<TJpegCompressor> {
 public:
  // EJPEG when the library can't create the object.
  TJpegCompressor();
  ~TJpegCompressor();
  TJpegCompressor(const TJpegCompressor&) = delete;
  TJpegCompressor& operator=(const TJpegCompressor&) = delete;

  jpeg_compress_struct& Info() { return info_; }
  // The library's output will be appended to `bytes`, which must outlive the object.
  void WriteTo(std::vector<uint8_t>& bytes);

 private:
  friend class TJpegObjectRunner<TJpegCompressor>;
  [[noreturn]] void FailAfterErrorExit();
  void Destroy();

  jpeg_compress_struct info_{};
  TJpegErrorManager error_{};
  TJpegMemoryDestination destination_{};
};

}  // namespace pm
