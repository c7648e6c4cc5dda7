// The one limit on the size of any picture that is decoded or imported, whatever its format:
// 2^27 pixels (134,217,728, a little over 11585 × 11585). A larger picture fails with the
// memory failure of a pixel store that can't be made, before anything of its size is allocated.
#pragma once

#include <cstdint>

namespace pm {

inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 27;

// True when a picture of |width| × |height| pixels is within the limit. Sizes are taken in 64
// bits, so no product overflows.
bool PictureFitsLimit(int64_t width, int64_t height);

// EOSError "システムエラー。コード：12. …メモリを確保できません" (RaiseStoreError) when the
// picture is beyond the limit.
void CheckPictureLimit(int64_t width, int64_t height);

}  // namespace pm
