// Running out of memory while the library writes: the failure leaves the library as its own
// error, and the holder stays as it was. This program replaces the global allocation functions
// so that a test can make large allocations fail; it runs on its own for that reason.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "JpegTestSupport.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "imaging/JPEGImage.h"

namespace {

// Allocations through `new` above this many bytes fail.
std::atomic<size_t> gAllocationLimit{SIZE_MAX};

class AllocationLimit {
 public:
  explicit AllocationLimit(size_t bytes) { gAllocationLimit = bytes; }
  ~AllocationLimit() { gAllocationLimit = SIZE_MAX; }
};

}  // namespace

// The replacements pair malloc with free themselves; the compiler can't tell them from a
// mismatched pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  if (size > gAllocationLimit) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace pm::test {
namespace {

TEST(JpegOutOfMemoryTest, AnOutputBufferThatCannotGrowIsTheLibrarysError53) {
  const TBitmap bitmap = GradientBitmap(400, 300, 1, 20);
  const auto reference = EncodeWithHolder(bitmap);
  ASSERT_GT(reference.size(), 4 * kJpegBufferSize);

  TJPEGImage holder;
  holder.AssignBitmap(bitmap);
  TMemoryStream stream;
  {
    AllocationLimit limit(2 * kJpegBufferSize);
    try {
      holder.SaveJpeg(stream);
      ADD_FAILURE() << "no EJPEG";
    } catch (const EJPEG& error) {
      EXPECT_EQ(error.Message(), "JPEG エラー #53");
    }
  }
  // The part written is dropped: the holder keeps its bitmap and encodes again next time.
  EXPECT_FALSE(holder.Data().HasBytes());
  EXPECT_FALSE(holder.IsEmpty());
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(SavedBytes(holder), reference);
}

}  // namespace
}  // namespace pm::test
