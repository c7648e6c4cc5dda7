// Writing a page to a page file and reading it back.
#pragma once

#include <string>

#include "base/FileStream.h"
#include "page/Page.h"

namespace pm {

// Told at fixed points of reading a page file, after the page holds the new content.
class TPageFileListener {
 public:
  virtual ~TPageFileListener() = default;
  // Only when the file stores a background.
  virtual void BackgroundRead() = 0;
  // The current slot is 0 now.
  virtual void SlotsRead() = 0;
  // The current link is 0 now.
  virtual void LinksRead() = 0;
};

// Writes the page under the name exactly as given. An empty background first gets the
// 640 × 480 placeholder: white with a one-pixel black frame; it stays in the page. The new
// content replaces the file only when all of it has been written: a failed save leaves an
// existing file as it was.
void WritePageFile(TPage& page, const std::string& fileName);
// The same, for a file that the caller read and still holds exclusively: `heldLock` (the
// descriptor of that reading, see TFileStream::TakeDescriptor) keeps the file from everyone
// else until its new content is in place, so that no other edit of it comes in between and
// gets lost. A lock of a file other than the target is just given up.
void WritePageFile(TPage& page, const std::string& fileName, TFileDescriptor heldLock);

// What a save does with an empty background.
enum class TEmptyBackground {
  // The placeholder is put into the page and written from there, as every save of the page does.
  PlaceholderIntoPage,
  // The placeholder is written into the file only; the page stays as it is. For copies of the page
  // kept beside its own file, which must not change what the author edits.
  PlaceholderInFileOnly,
};

// WritePageFile with the choice for an empty background. Either way the holders keep the JPEG
// bytes they encode, so that a later save of the page writes them without encoding again; no
// listener hears of that.
void WritePageFile(TPage& page, const std::string& fileName, TEmptyBackground emptyBackground);

// How a page file is read. The editor reads with the defaults; tools that only look at a page
// may let others read the file beside them, and may leave the pictures undecoded.
struct TPageFileReading {
  // ReadExclusive: no one else may have the file open meanwhile; ReadShared: other readers may.
  FileAccess access = FileAccess::ReadExclusive;
  // Decode the background and slot 0 as the window shows them after a load, so that a stream
  // that can't be shown fails the load.
  bool decodeShown = true;
};

// Reads the named file into a new page first: every stream's JPEG header, the decoding of the
// background and of slot 0, the link table. Only when all of it has succeeded does it replace
// the page's content and selection; then the listener (when given) is told, in order. On any
// failure the page is exactly as before.
//
// Entries that name the same stored bytes, or overlapping ones, share the bytes in memory: the
// reading holds each byte of the file at most once. Slot 0 that names the background's very
// bytes shares its decoded picture too.
void ReadPageFile(TPage& page, const std::string& fileName, TPageFileListener* listener,
                  const TPageFileReading& reading = {});
// The same from a file that the caller opened and locked (`reading.access` isn't used).
void ReadPageFile(TPage& page, TFileStream& file, TPageFileListener* listener,
                  const TPageFileReading& reading = {});

}  // namespace pm
