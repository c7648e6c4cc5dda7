#include "page/Page.h"

#include <stdexcept>
#include <string>

namespace pm {

namespace {

bool IsSlotOrLinkNumber(int32_t number) { return number >= 0 && number < kSlotCount; }

[[noreturn]] void RaiseNumberOutOfRange(int32_t number) {
  throw std::out_of_range("slot or link number out of range: " + std::to_string(number));
}

[[noreturn]] void RaiseHoldersFreed() {
  throw std::logic_error("the page's image holders have been freed");
}

}  // namespace

TPage::TPage() {
  for (auto& slot : slots_) slot.holder = std::make_unique<TJPEGImage>();
  background_.holder = std::make_unique<TJPEGImage>();
}

void TPage::SetSlotFileName(std::string fileName) {
  CheckedSlot(currentSlot_).fileName = std::move(fileName);
}

void TPage::SetSlotBitmap(const TBitmap& bitmap) {
  CheckedSlot(currentSlot_).holder->AssignBitmap(bitmap);
}

void TPage::ClearSlot() {
  ImageEntry& slot = CheckedSlot(currentSlot_);
  slot.holder = std::make_unique<TJPEGImage>();
  slot.fileName.clear();
}

void TPage::SetBackgroundFileName(std::string fileName) {
  background_.fileName = std::move(fileName);
}

void TPage::SetBackgroundBitmap(const TBitmap& bitmap) {
  CheckedBackground().holder->AssignBitmap(bitmap);
}

void TPage::SetLinkField(TLinkField field, int32_t value) {
  if (!IsSlotOrLinkNumber(currentLink_)) RaiseNumberOutOfRange(currentLink_);
  links_[static_cast<size_t>(currentLink_)].Field(field) = value;
}

void TPage::ClearLink() {
  if (!IsSlotOrLinkNumber(currentLink_)) RaiseNumberOutOfRange(currentLink_);
  links_[static_cast<size_t>(currentLink_)] = TLinkRecord();
}

const TJPEGImage& TPage::SlotHolder(int32_t slot) const { return *CheckedSlot(slot).holder; }

const std::string& TPage::SlotFileName(int32_t slot) const { return CheckedSlot(slot).fileName; }

const TLinkRecord& TPage::Link(int32_t link) const {
  if (!IsSlotOrLinkNumber(link)) RaiseNumberOutOfRange(link);
  return links_[static_cast<size_t>(link)];
}

void TPage::ReplaceContent(std::unique_ptr<TJPEGImage> background,
                           std::array<std::unique_ptr<TJPEGImage>, kSlotCount> slots,
                           const Links& links) {
  if (background) background_.holder = std::move(background);
  background_.fileName.clear();
  for (size_t i = 0; i < slots_.size(); ++i) {
    slots_[i].holder = std::move(slots[i]);
    slots_[i].fileName.clear();
  }
  links_ = links;
  currentSlot_ = 0;
  currentLink_ = 0;
}

void TPage::FreeHolders() {
  for (auto& slot : slots_) slot.holder.reset();
  background_.holder.reset();
}

TPage::ImageEntry& TPage::CheckedSlot(int32_t slot) {
  if (!IsSlotOrLinkNumber(slot)) RaiseNumberOutOfRange(slot);
  ImageEntry& entry = slots_[static_cast<size_t>(slot)];
  if (!entry.holder) RaiseHoldersFreed();
  return entry;
}

TPage::ImageEntry& TPage::CheckedBackground() {
  if (!background_.holder) RaiseHoldersFreed();
  return background_;
}

const TPage::ImageEntry& TPage::CheckedBackground() const {
  return const_cast<TPage&>(*this).CheckedBackground();
}

const TPage::ImageEntry& TPage::CheckedSlot(int32_t slot) const {
  return const_cast<TPage&>(*this).CheckedSlot(slot);
}

}  // namespace pm
