// TPage: the one document that the editor works on. 256 image slots and the background, each an
// image holder with the name of the file it was imported from; 256 link records; the current
// slot and link. Nothing is ever added or removed, only replaced.
//
// Every change is made by number (slot N, link N) and told to the page's listeners; the
// operations on the current slot or link are the same operations on the selected number.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/JPEGImage.h"
#include "page/LinkRecord.h"
#include "page/PageListener.h"

namespace pm {

inline constexpr int kSlotCount = 256;
inline constexpr int kLinkCount = 256;

class TPage {
 public:
  struct ImageEntry {
    std::unique_ptr<TJPEGImage> holder;
    std::string fileName;
  };
  using Slots = std::array<ImageEntry, kSlotCount>;
  using Links = std::array<TLinkRecord, kLinkCount>;

  // 256 new empty holders and an empty background holder, every name empty, every link at its
  // initial value, slot 0 and link 0 selected.
  TPage();
  TPage(const TPage&) = delete;
  TPage& operator=(const TPage&) = delete;

  // The listeners hear every change from now on, in the order they were added; the page doesn't
  // own them. A listener may be added or removed while the page tells the others.
  void AddListener(TPageListener* listener);
  void RemoveListener(TPageListener* listener);

  // Selection: callers pass 0 to 255; the operations on the current slot or link refuse others.
  void SelectSlot(int32_t slot);
  int32_t CurrentSlot() const { return currentSlot_; }
  void SelectLink(int32_t link);
  int32_t CurrentLink() const { return currentLink_; }

  // Operations by number. A number outside 0 to 255 is refused with std::out_of_range.
  void SetSlotFileName(int32_t slot, std::string fileName);
  // AssignBitmap on slot N's holder.
  void SetSlotBitmap(int32_t slot, const TBitmap& bitmap);
  // Puts `holder` (not null; the page owns it from now on) in place of slot N's holder, whose
  // content it replaces as a whole; the name stays.
  void SetSlotHolder(int32_t slot, std::unique_ptr<TJPEGImage> holder);
  // Frees slot N's holder, puts a new empty one in its place and empties the name.
  void ClearSlot(int32_t slot);
  void SetBackgroundFileName(std::string fileName);
  void SetBackgroundBitmap(const TBitmap& bitmap);
  void SetBackgroundHolder(std::unique_ptr<TJPEGImage> holder);
  void SetLinkField(int32_t link, TLinkField field, int32_t value);
  // All seven fields of link N at once.
  void SetLink(int32_t link, const TLinkRecord& record);
  // Sets link N to -1, -1, -1, -1, -1, 0, -1.
  void ClearLink(int32_t link);

  // The same operations on the current slot or link.
  void SetSlotFileName(std::string fileName) { SetSlotFileName(currentSlot_, std::move(fileName)); }
  void SetSlotBitmap(const TBitmap& bitmap) { SetSlotBitmap(currentSlot_, bitmap); }
  void ClearSlot() { ClearSlot(currentSlot_); }
  void SetLinkField(TLinkField field, int32_t value) { SetLinkField(currentLink_, field, value); }
  void ClearLink() { ClearLink(currentLink_); }

  TJPEGImage& SlotHolder(int32_t slot) { return *CheckedSlot(slot).holder; }
  const TJPEGImage& SlotHolder(int32_t slot) const;
  const std::string& SlotFileName(int32_t slot) const;
  TJPEGImage& BackgroundHolder() { return *CheckedBackground().holder; }
  const TJPEGImage& BackgroundHolder() const { return *CheckedBackground().holder; }
  const std::string& BackgroundFileName() const { return background_.fileName; }
  const TLinkRecord& Link(int32_t link) const;
  const Links& AllLinks() const { return links_; }

  // Takes the content read from a page file as a whole: every slot holder, the background holder
  // unless `background` is null (then the held one stays), every link; empties every name and
  // selects slot 0 and link 0.
  void ReplaceContent(std::unique_ptr<TJPEGImage> background,
                      std::array<std::unique_ptr<TJPEGImage>, kSlotCount> slots,
                      const Links& links);

  // Frees the 257 holders when the program ends; the names go with the page. Any later use of a
  // holder is refused with std::logic_error.
  void FreeHolders();
  bool HoldersFreed() const { return !background_.holder; }

 private:
  ImageEntry& CheckedSlot(int32_t slot);
  const ImageEntry& CheckedSlot(int32_t slot) const;
  ImageEntry& CheckedBackground();
  const ImageEntry& CheckedBackground() const;
  TLinkRecord& CheckedLink(int32_t link);

  // Tells every listener; a listener's failure doesn't keep the others from hearing, and the
  // first one goes on to the caller once all have heard.
  template <typename Notice>
  void Tell(Notice notice);

  Slots slots_;
  ImageEntry background_;
  Links links_;
  int32_t currentSlot_ = 0;
  int32_t currentLink_ = 0;
  std::vector<TPageListener*> listeners_;
};

}  // namespace pm
