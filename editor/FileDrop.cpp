#include "editor/FileDrop.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <cctype>

#include "imaging/PictureFile.h"

namespace pm {

namespace {

constexpr std::string_view kPageFileExtension = ".pag";

bool HasPageFileName(const std::string& fileName) {
  if (fileName.size() < kPageFileExtension.size()) return false;
  const std::string_view end =
      std::string_view(fileName).substr(fileName.size() - kPageFileExtension.size());
  return std::equal(end.begin(), end.end(), kPageFileExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace

std::vector<std::string> DraggedFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    files.push_back(url.toLocalFile().toStdString());
  }
  return files;
}

TDroppedFileUse UseOfDroppedFile(const std::string& fileName, TDropArea area) {
  if (HasPageFileName(fileName)) return TDroppedFileUse::PageFile;
  switch (area) {
    case TDropArea::Slot:
      return TDroppedFileUse::SlotPicture;
    case TDropArea::Background:
      return TDroppedFileUse::BackgroundPicture;
    case TDropArea::Elsewhere:
      break;
  }
  return RecognisePictureFile(fileName) == TPictureFormat::Other ? TDroppedFileUse::PageFile
                                                                 : TDroppedFileUse::Ignored;
}

}  // namespace pm
