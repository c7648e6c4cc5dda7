// The limits on the size of any picture that is decoded or imported, whatever its format: 2^27
// pixels (134,217,728, a little over 11585 × 11585), and for a picture to import, the sides that
// a JPEG stream can hold (65500 pixels), since every imported picture is stored as one. A larger
// picture fails before anything of its size is allocated: beyond the pixels with the memory
// failure of a pixel store that can't be made, beyond the sides with the JPEG library's message
// for a picture too big.
#pragma once

#include <cstdint>

namespace pm {

inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 27;
inline constexpr int64_t kMaxJpegSide = 65500;

// True when a picture of |width| × |height| pixels is within the limit. Sizes are taken in 64
// bits, so no product overflows.
bool PictureFitsLimit(int64_t width, int64_t height);

// EOSError "システムエラー。コード：12. …メモリを確保できません" (RaiseStoreError) when the
// picture is beyond the limit.
void CheckPictureLimit(int64_t width, int64_t height);

// For a picture to import: the limit as CheckPictureLimit checks it, then the sides, which fail
// with EJPEG "JPEG エラー #40" beyond kMaxJpegSide.
void CheckImportedPictureSize(int64_t width, int64_t height);

// One of the two checks above, for a reader that serves both.
using TPictureSizeCheck = void (*)(int64_t width, int64_t height);

}  // namespace pm
