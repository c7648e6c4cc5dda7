// The one import entry point for picture files. The file is recognised by its first bytes, not
// by its name: BMP ("BM"), PNG, JPEG (FF D8 FF), GIF ("GIF87a" or "GIF89a") and WebP ("RIFF", a
// size, "WEBP"). A BMP file, and any file that is none of these, goes to the BMP reader with
// its results and messages; the others to their own readers. A JPEG stream that a page file
// can hold as it is comes back as a holder that keeps its picture's bytes unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/JPEGImage.h"
#include "imaging/PictureLimit.h"

namespace pm {

class TStream;

enum class TPictureFormat { Bmp, Png, Jpeg, Gif, Webp, Other };

// The first bytes of every recognised format fit in this many.
inline constexpr int64_t kPictureSignatureSize = 14;

// The format that a file beginning with `firstBytes` is in.
TPictureFormat RecognisePictureFormat(std::span<const uint8_t> firstBytes);
// The format of the named file by its first bytes; Other for a file that is shorter than a
// signature or can't be read.
TPictureFormat RecognisePictureFile(const std::string& fileName);

// A picture read for an import.
struct TImportedPicture {
  // The picture as read, for showing: the pixels of the file, or the decoded kept JPEG stream.
  TBitmap picture;
  // A JPEG stream kept as it is: a new holder that has taken the picture's bytes of the file and
  // decoded them (its bitmap is `picture`). Nothing when the picture comes as pixels, for
  // AssignBitmap.
  std::unique_ptr<TJPEGImage> holder;
};

// Opens the file (others may read it too), reads the picture from it and closes it, also when
// reading fails. EFOpenError "ファイル %s は開けません" when it can't be opened.
TImportedPicture ReadPictureFile(const std::string& fileName);

// Reads the picture from the stream's position to its end. The failures are those of the
// format's reader: EReadError, EInvalidGraphic "ビットマップイメージが不正です", EJPEG "JPEG
// エラー #%d", the memory failure (EOSError) of a picture beyond the picture limit, or "JPEG
// エラー #40" for one wider or taller than a JPEG stream can be (see PictureLimit.h). A stream
// with nothing left is no picture: "ビットマップイメージが不正です".
TImportedPicture ReadPicture(TStream& stream);

}  // namespace pm
