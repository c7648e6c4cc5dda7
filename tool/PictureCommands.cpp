// bmp, decode and render: pictures out of BMP files and page files, written as BMP files.
#include "base/Exceptions.h"
#include "imaging/JpegDecoder.h"
#include "page/PageFile.h"
#include "page/PageOperations.h"
#include "tool/Commands.h"
#include "tool/OutputFile.h"

namespace pm::tool {

namespace {

constexpr TColor kLinkOutlineColor{255, 0, 0};
// The read-only commands read a page file beside other readers, and decode only what they show.
constexpr TPageFileReading kLookingAtOnePicture{.access = FileAccess::ReadShared,
                                                .decodeShown = false};

void CheckNotEmpty(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic(kInvalidBitmapMessage);
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
  CheckNotEmpty(picture);
  WriteOutputFile(output, [&](TStream& stream) { picture.SaveToStream24(stream); });
  return 0;
}

int RunDecode(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string which = arguments.Take("background or a slot number");
  const std::string output = arguments.Take("OUT.bmp");
  arguments.ExpectDone();
  if (which != "background") ParseSlotOrLink(which);
  TPage page;
  ReadPageFile(page, input, nullptr, kLookingAtOnePicture);
  TBitmap shown;
  StoredHolder(page, which).CopyToBitmap(shown);
  CheckNotEmpty(shown);
  WriteOutputFile(output, [&](TStream& stream) { shown.SaveToStream(stream); });
  return 0;
}

int RunRender(ArgumentList& arguments, std::ostream&) {
  const std::string input = arguments.Take("FILE.pag");
  const std::string output = arguments.Take("OUT.bmp");
  arguments.ExpectDone();
  TPage page;
  ReadPageFile(page, input, nullptr, kLookingAtOnePicture);
  // Decoded as the holder would decode it, into a picture of its own: the outlines are drawn on
  // it without a copy. Red needs 24 bits; a palette picture is converted once.
  const TJPEGImage& holder = StoredHolder(page, "background");
  TBitmap picture;
  DecodeJpeg(holder.Data().Bytes(), holder.Settings(), picture);
  picture.SetPixelFormat(TPixelFormat::pf24bit);
  DrawLinkOutlines(page, picture, kLinkOutlineColor);
  CheckNotEmpty(picture);
  WriteOutputFile(output, [&](TStream& stream) { picture.SaveToStream24(stream); });
  return 0;
}

}  // namespace pm::tool
