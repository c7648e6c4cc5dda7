#include "page/LinkRecord.h"

namespace pm {

int32_t& TLinkRecord::Field(TLinkField field) {
  switch (field) {
    case TLinkField::Left:
      return Left;
    case TLinkField::Top:
      return Top;
    case TLinkField::Right:
      return Right;
    case TLinkField::Bottom:
      return Bottom;
    case TLinkField::LinkPage:
      return LinkPage;
    case TLinkField::Reserved:
      return Reserved;
    case TLinkField::Bitmap:
      break;
  }
  return Bitmap;
}

int32_t TLinkRecord::Field(TLinkField field) const {
  return const_cast<TLinkRecord&>(*this).Field(field);
}

}  // namespace pm
