#include "page/Page.h"

#include <algorithm>
#include <exception>
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

void TPage::AddListener(TPageListener* listener) { listeners_.push_back(listener); }

void TPage::RemoveListener(TPageListener* listener) { std::erase(listeners_, listener); }

template <typename Notice>
void TPage::Tell(Notice notice) {
  // A copy: a listener may add or remove listeners while it hears.
  const std::vector<TPageListener*> listeners = listeners_;
  std::exception_ptr firstFailure;
  for (TPageListener* listener : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) continue;
    try {
      notice(*listener);
    } catch (...) {
      if (!firstFailure) firstFailure = std::current_exception();
    }
  }
  if (firstFailure) std::rethrow_exception(firstFailure);
}

void TPage::SelectSlot(int32_t slot) {
  if (slot == currentSlot_) return;
  currentSlot_ = slot;
  Tell([slot](TPageListener& listener) { listener.SlotSelected(slot); });
}

void TPage::SelectLink(int32_t link) {
  if (link == currentLink_) return;
  currentLink_ = link;
  Tell([link](TPageListener& listener) { listener.LinkSelected(link); });
}

void TPage::SetSlotFileName(int32_t slot, std::string fileName) {
  CheckedSlot(slot).fileName = std::move(fileName);
  Tell([slot](TPageListener& listener) { listener.SlotChanged(slot); });
}

void TPage::SetSlotBitmap(int32_t slot, const TBitmap& bitmap) {
  CheckedSlot(slot).holder->AssignBitmap(bitmap);
  Tell([slot](TPageListener& listener) { listener.SlotChanged(slot); });
}

void TPage::SetSlotHolder(int32_t slot, std::unique_ptr<TJPEGImage> holder) {
  ImageEntry& entry = CheckedSlot(slot);
  if (!holder) throw std::invalid_argument("a slot needs a holder");
  entry.holder = std::move(holder);
  Tell([slot](TPageListener& listener) { listener.SlotChanged(slot); });
}

void TPage::ClearSlot(int32_t slot) {
  ImageEntry& entry = CheckedSlot(slot);
  entry.holder = std::make_unique<TJPEGImage>();
  entry.fileName.clear();
  Tell([slot](TPageListener& listener) { listener.SlotChanged(slot); });
}

void TPage::SetBackgroundFileName(std::string fileName) {
  background_.fileName = std::move(fileName);
  Tell([](TPageListener& listener) { listener.BackgroundChanged(); });
}

void TPage::SetBackgroundBitmap(const TBitmap& bitmap) {
  CheckedBackground().holder->AssignBitmap(bitmap);
  Tell([](TPageListener& listener) { listener.BackgroundChanged(); });
}

void TPage::SetBackgroundHolder(std::unique_ptr<TJPEGImage> holder) {
  ImageEntry& entry = CheckedBackground();
  if (!holder) throw std::invalid_argument("the background needs a holder");
  entry.holder = std::move(holder);
  Tell([](TPageListener& listener) { listener.BackgroundChanged(); });
}

void TPage::SetLinkField(int32_t link, TLinkField field, int32_t value) {
  CheckedLink(link).Field(field) = value;
  Tell([link](TPageListener& listener) { listener.LinkChanged(link); });
}

void TPage::SetLink(int32_t link, const TLinkRecord& record) {
  CheckedLink(link) = record;
  Tell([link](TPageListener& listener) { listener.LinkChanged(link); });
}

void TPage::ClearLink(int32_t link) {
  CheckedLink(link) = TLinkRecord();
  Tell([link](TPageListener& listener) { listener.LinkChanged(link); });
}

const TJPEGImage& TPage::SlotHolder(int32_t slot) const { return *CheckedSlot(slot).holder; }

const std::string& TPage::SlotFileName(int32_t slot) const { return CheckedSlot(slot).fileName; }

const TLinkRecord& TPage::Link(int32_t link) const {
  return const_cast<TPage&>(*this).CheckedLink(link);
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
  Tell([](TPageListener& listener) { listener.PageReplaced(); });
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

TLinkRecord& TPage::CheckedLink(int32_t link) {
  if (!IsSlotOrLinkNumber(link)) RaiseNumberOutOfRange(link);
  return links_[static_cast<size_t>(link)];
}

}  // namespace pm
