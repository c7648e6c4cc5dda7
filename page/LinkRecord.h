// One link record of a page: a rectangle on the page, the page it leads to and its image slot.
#pragma once

#include <cstdint>

namespace pm {

// The fields in their order, on disk as in memory.
enum class TLinkField { Left, Top, Right, Bottom, LinkPage, Reserved, Bitmap };
inline constexpr int kLinkFieldCount = 7;

struct TLinkRecord {
  int32_t Left = -1;
  int32_t Top = -1;
  int32_t Right = -1;
  int32_t Bottom = -1;
  int32_t LinkPage = -1;
  int32_t Reserved = 0;  // carried without being interpreted
  int32_t Bitmap = -1;

  // A link has a rectangle on the page when none of its four edges is -1.
  bool HasRectangle() const { return Left != -1 && Top != -1 && Right != -1 && Bottom != -1; }

  int32_t& Field(TLinkField field);
  int32_t Field(TLinkField field) const;
  friend bool operator==(const TLinkRecord&, const TLinkRecord&) = default;
};

}  // namespace pm
