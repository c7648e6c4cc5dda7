#include "editor/EditedPage.h"

#include "page/DocumentPattern.h"

namespace pm {

TEditedPage::TEditedPage(TPage& page) : page_(page) { page_.AddListener(this); }

TEditedPage::~TEditedPage() { page_.RemoveListener(this); }

bool TEditedPage::FileUnchangedOnDisk() const {
  if (fileName_.empty()) return true;
  return FileIdentityOf(fileName_) == identity_;
}

void TEditedPage::TakeFile(const std::string& fileName) {
  fileName_ = fileName;
  place_ = fileName.empty() ? std::nullopt : DocumentPlaceOf(fileName);
  identity_ = fileName.empty() ? std::nullopt : FileIdentityOf(fileName);
}

void TEditedPage::Loaded(const std::string& fileName) {
  TakeFile(fileName);
  modified_ = false;
  emit Changed();
}

void TEditedPage::Saved(const std::string& fileName) {
  TakeFile(fileName);
  modified_ = false;
  emit Changed();
  emit PageSaved();
}

void TEditedPage::StartedNew(std::optional<TDocumentPlace> place) {
  fileName_.clear();
  if (place) fileName_ = TDocumentPattern(place->pattern).FileName(place->number);
  place_ = std::move(place);
  identity_.reset();
  modified_ = false;
  emit Changed();
}

void TEditedPage::Restored(const std::string& fileName) {
  TakeFile(fileName);
  modified_ = true;
  emit Changed();
}

void TEditedPage::Restored(const std::string& fileName,
                           const std::optional<TFileIdentity>& knownIdentity) {
  TakeFile(fileName);
  identity_ = fileName.empty() ? std::nullopt : knownIdentity;
  modified_ = true;
  emit Changed();
}

void TEditedPage::ChangesLeft() {
  const bool hadChanges = modified_;
  SetModified(false);
  if (hadChanges) emit ChangesDiscarded();
}

void TEditedPage::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit Changed();
}

void TEditedPage::SlotChanged(int32_t) { SetModified(true); }

void TEditedPage::BackgroundChanged() { SetModified(true); }

void TEditedPage::LinkChanged(int32_t) { SetModified(true); }

}  // namespace pm
