// Files dragged onto the main window: which local files a drag carries, and what each of them
// becomes where it is dropped.
#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace pm {

// The parts of the main window that take dropped files differently.
enum class TDropArea {
  Slot,        // the slot panel with its preview Image1
  Background,  // the background panel with its preview Image2
  Elsewhere,   // the link panel and the buttons below the panels
};

enum class TDroppedFileUse { SlotPicture, BackgroundPicture, PageFile, Ignored };

// The local files that the drag carries, in its order; nothing when it carries anything else
// (text, or an address that isn't a local file).
std::vector<std::string> DraggedFiles(const QMimeData* data);

// A file named *.pag (in any case) is a page file wherever it is dropped. Any other file dropped
// on the slot or background panel is a picture for it, read as the import buttons read it (with
// their messages for a file that is none). Dropped elsewhere, such a file is a page file unless
// its content is a picture, which is ignored there: page files saved without the extension load
// from anywhere.
TDroppedFileUse UseOfDroppedFile(const std::string& fileName, TDropArea area);

}  // namespace pm
