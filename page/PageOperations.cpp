#include "page/PageOperations.h"

#include <array>
#include <memory>

#include "base/IntegerText.h"
#include "imaging/PictureFile.h"

namespace pm {

TBitmap ImportSlotPicture(TPage& page, int32_t slot, const std::string& fileName) {
  page.SetSlotFileName(slot, fileName);
  TImportedPicture imported = ReadPictureFile(fileName);
  if (imported.holder) {
    page.SetSlotHolder(slot, std::move(imported.holder));
  } else {
    page.SetSlotBitmap(slot, imported.picture);
  }
  return imported.picture;
}

TBitmap ImportBackgroundPicture(TPage& page, const std::string& fileName) {
  page.SetBackgroundFileName(fileName);
  TImportedPicture imported = ReadPictureFile(fileName);
  if (imported.holder) {
    page.SetBackgroundHolder(std::move(imported.holder));
  } else {
    page.SetBackgroundBitmap(imported.picture);
  }
  return imported.picture;
}

void UpdateLink(TPage& page, int32_t link, const TLinkFieldTexts& texts) {
  const std::pair<const std::string*, TLinkField> order[] = {
      {&texts.left, TLinkField::Left},     {&texts.top, TLinkField::Top},
      {&texts.right, TLinkField::Right},   {&texts.bottom, TLinkField::Bottom},
      {&texts.bitmap, TLinkField::Bitmap}, {&texts.linkPage, TLinkField::LinkPage}};
  for (const auto& [text, field] : order) page.SetLinkField(link, field, StrToInt(*text));
}

void StartNewPage(TPage& page) {
  std::array<std::unique_ptr<TJPEGImage>, kSlotCount> slots;
  for (auto& holder : slots) holder = std::make_unique<TJPEGImage>();
  page.ReplaceContent(std::make_unique<TJPEGImage>(), std::move(slots), TPage::Links{});
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
