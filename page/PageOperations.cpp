#include "page/PageOperations.h"

#include "base/IntegerText.h"

namespace pm {

namespace {

TBitmap ReadPictureFile(const std::string& fileName) {
  TBitmap bitmap;
  bitmap.LoadFromFile(fileName);
  return bitmap;
}

}  // namespace

TBitmap ImportSlotPicture(TPage& page, int32_t slot, const std::string& fileName) {
  page.SetSlotFileName(slot, fileName);
  const TBitmap picture = ReadPictureFile(fileName);
  page.SetSlotBitmap(slot, picture);
  return picture;
}

TBitmap ImportBackgroundPicture(TPage& page, const std::string& fileName) {
  page.SetBackgroundFileName(fileName);
  const TBitmap picture = ReadPictureFile(fileName);
  page.SetBackgroundBitmap(picture);
  return picture;
}

void UpdateLink(TPage& page, int32_t link, const TLinkFieldTexts& texts) {
  const std::pair<const std::string*, TLinkField> order[] = {
      {&texts.left, TLinkField::Left},     {&texts.top, TLinkField::Top},
      {&texts.right, TLinkField::Right},   {&texts.bottom, TLinkField::Bottom},
      {&texts.bitmap, TLinkField::Bitmap}, {&texts.linkPage, TLinkField::LinkPage}};
  for (const auto& [text, field] : order) page.SetLinkField(link, field, StrToInt(*text));
}

void DrawLinkOutlines(const TPage& page, TBitmap& picture, TColor color) {
  TCanvas& canvas = picture.Canvas();
  const TPen pen = canvas.Pen();
  const TBrush brush = canvas.Brush();
  canvas.Pen().Color = color;
  canvas.Brush().Style = TBrushStyle::bsClear;
  for (const TLinkRecord& link : page.AllLinks()) {
    if (link.HasRectangle()) canvas.Rectangle(link.Left, link.Top, link.Right, link.Bottom);
  }
  canvas.Pen() = pen;
  canvas.Brush() = brush;
}

}  // namespace pm
