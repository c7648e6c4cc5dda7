// The page operations that every front end shares (the window, the page view, pagetool): each
// acts on a slot or link by number, in the order of steps that the editor's window has always
// used, and the page tells its listeners what changed.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/Color.h"
#include "page/Page.h"

namespace pm {

// Imports a picture file (BMP, PNG, JPEG, GIF or WebP, recognised by its content) into slot N:
// the slot's source name is set first, then the file is read, then the slot takes the picture:
// its pixels through the holder's AssignBitmap, or a JPEG stream that page files hold as it is
// as a new holder that keeps the file's bytes. Returns the picture as read (a kept stream
// decoded), for showing. A file that can't be read or decoded leaves the new name set and the
// picture as it was.
TBitmap ImportSlotPicture(TPage& page, int32_t slot, const std::string& fileName);
// The same for the background.
TBitmap ImportBackgroundPicture(TPage& page, const std::string& fileName);

// The texts of a link's fields as the author typed them.
struct TLinkFieldTexts {
  std::string left;
  std::string top;
  std::string right;
  std::string bottom;
  std::string bitmap;
  std::string linkPage;
};

// "更新" on link N: each text is converted and stored one after the other, Left, Top, Right,
// Bottom, Bitmap, LinkPage, as typed and without any range check; Reserved isn't touched. A text
// that isn't an integer stops the update with EConvertError: the fields before it are stored,
// the ones after it aren't.
void UpdateLink(TPage& page, int32_t link, const TLinkFieldTexts& texts);

// Makes the page a new one, as a page is at start-up: every slot and the background hold a new
// empty holder, every name is empty, every link is cleared, slot 0 and link 0 are selected; the
// listeners hear that the page was replaced.
void StartNewPage(TPage& page);

// Outlines, one pixel wide in `color`, the rectangle of every link that has one (none of its
// four edges -1), link 0 first, over the picture; the inside is left as it is. The outline runs
// along the smaller of Left and Right and of Top and Bottom, and one pixel inside the larger,
// clipped to the picture.
void DrawLinkOutlines(const TPage& page, TBitmap& picture, TColor color);

}  // namespace pm
