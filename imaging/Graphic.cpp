#include "imaging/Graphic.h"

#include "base/FileStream.h"

namespace pm {

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, FileAccess::ReadShared);
  LoadFromStream(file);
}

}  // namespace pm
