// The picture base class of the bitmap and the JPEG image.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace pm {

class TStream;

class TGraphic {
 public:
  virtual ~TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t width) = 0;
  virtual void SetHeight(int32_t height) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;

  // Opens the file for reading (others may read it too), loads from it and closes it, also
  // when the load fails. EFOpenError "ファイル %s は開けません" when it can't be opened.
  void LoadFromFile(const std::string& fileName);

  // Called whenever the picture reports itself changed.
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
};

}  // namespace pm
