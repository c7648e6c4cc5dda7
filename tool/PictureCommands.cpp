// bmp, decode and render: pictures out of BMP files and page files, written as BMP files.
#include <vector>

#include "base/Exceptions.h"
#include "page/PageFile.h"
#include "page/PageOperations.h"
#include "tool/Commands.h"
#include "tool/OutputFile.h"

namespace pm::tool {

namespace {

constexpr TColor kLinkOutlineColor{255, 0, 0};

// The picture's colours as a 24-bit bottom-up bitmap, whatever its layout and row order.
TBitmap BottomUp24(const TBitmap& picture) {
  TBitmap converted;
  converted.SetPixelFormat(TPixelFormat::pf24bit);
  converted.SetWidth(picture.Width());
  converted.SetHeight(picture.Height());
  for (int32_t y = 0; y < picture.Height(); ++y) picture.ReadRowBgr(y, converted.ScanLine(y));
  return converted;
}

void WriteBitmap(const std::string& fileName, TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic(kInvalidBitmapMessage);
  WriteOutputFile(fileName, [&](TStream& stream) { bitmap.SaveToStream(stream); });
}

TJPEGImage& StoredHolder(TPage& page, const std::string& which) {
  TJPEGImage& holder =
      which == "background" ? page.BackgroundHolder() : page.SlotHolder(ParseSlotOrLink(which));
  if (holder.IsEmpty()) {
    throw Exception(which == "background" ? std::string("背景の画像がありません")
                                          : "スロット " + which + " に画像がありません");
  }
  return holder;
}

}  // namespace

int RunBmp(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("IN.bmp");
  const std::string output = arguments.Take("OUT.bmp");
  arguments.ExpectDone();
  TBitmap picture;
  picture.LoadFromFile(input);
  if (picture.Empty()) throw EInvalidGraphic(kInvalidBitmapMessage);
  TBitmap converted = BottomUp24(picture);
  WriteBitmap(output, converted);
  return 0;
}

int RunDecode(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string which = arguments.Take("background or a slot number");
  const std::string output = arguments.Take("OUT.bmp");
  arguments.ExpectDone();
  if (which != "background") ParseSlotOrLink(which);
  TPage page;
  ReadPageFile(page, input, nullptr);
  TBitmap shown;
  StoredHolder(page, which).CopyToBitmap(shown);
  WriteBitmap(output, shown);
  return 0;
}

int RunRender(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string output = arguments.Take("OUT.bmp");
  arguments.ExpectDone();
  TPage page;
  ReadPageFile(page, input, nullptr);
  TBitmap background;
  StoredHolder(page, "background").CopyToBitmap(background);
  TBitmap rendered = BottomUp24(background);
  DrawLinkOutlines(page, rendered, kLinkOutlineColor);
  WriteBitmap(output, rendered);
  return 0;
}

}  // namespace pm::tool
