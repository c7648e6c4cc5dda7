// TEditedPage: what the editor knows of the page it edits beyond its content: the file it
// belongs to (loaded from, last saved to, or to be written at the first save of a new page of a
// document), the page's place in a document, whether it has unsaved changes, and the state of
// the file on disk when the editor last read or wrote it. Every view that shows these (a title's
// "*", the document window, recovery) follows its Changed signal.
#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "base/FileIdentity.h"
#include "page/DocumentPlace.h"
#include "page/Page.h"

namespace pm {

class TEditedPage : public QObject, private TPageListener {
  Q_OBJECT

 public:
  // A new page of no document, without unsaved changes.
  explicit TEditedPage(TPage& page);
  ~TEditedPage() override;
  TEditedPage(const TEditedPage&) = delete;
  TEditedPage& operator=(const TEditedPage&) = delete;

  TPage& Page() { return page_; }
  const TPage& Page() const { return page_; }
  // The page's own file, or empty for a new page of no document.
  const std::string& FileName() const { return fileName_; }
  // The document and page number that the page's own file gives, or nothing.
  const std::optional<TDocumentPlace>& Place() const { return place_; }
  bool Modified() const { return modified_; }
  // Whether the file on disk is still the one that the editor loaded or last saved: the same
  // file, size and modification time. For a new page whose file the first save writes: that no
  // such file has appeared meanwhile.
  bool FileUnchangedOnDisk() const;
  // The state of the own file on disk when the editor last read or wrote it; nothing when there
  // was no such file.
  const std::optional<TFileIdentity>& KnownIdentity() const { return identity_; }

  // A page file was read into the page: it is the page's own file now, without changes.
  void Loaded(const std::string& fileName);
  // The page was written to the file: it is the page's own file now, without changes.
  void Saved(const std::string& fileName);
  // A new empty page: of no document, or page N of a document, whose file the first save writes.
  void StartedNew(std::optional<TDocumentPlace> place = std::nullopt);
  // Content from elsewhere (a recovery copy) stands for the unsaved changes of the page's own file
  // `fileName` (empty for a new page).
  void Restored(const std::string& fileName);
  // The same, with the state of that file on disk that the content was based on (KnownIdentity
  // when the copy was made): a file that is no longer in that state counts as changed by another
  // program, so that the next save asks before overwriting it.
  void Restored(const std::string& fileName, const std::optional<TFileIdentity>& knownIdentity);
  // The person chose to leave the unsaved changes ("保存しない"); the page is about to be replaced.
  void ChangesLeft();

 signals:
  // The file, the place or whether there are unsaved changes changed.
  void Changed();
  // The page was written to its own file.
  void PageSaved();
  // Unsaved changes were left on purpose.
  void ChangesDiscarded();

 private:
  // TPageListener: any change of content is an unsaved change.
  void SlotChanged(int32_t slot) override;
  void BackgroundChanged() override;
  void LinkChanged(int32_t link) override;

  void TakeFile(const std::string& fileName);
  void SetModified(bool modified);

  TPage& page_;
  std::string fileName_;
  std::optional<TDocumentPlace> place_;
  std::optional<TFileIdentity> identity_;  // as last read or written
  bool modified_ = false;
};

}  // namespace pm
