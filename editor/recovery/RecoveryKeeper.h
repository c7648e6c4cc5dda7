// TRecoveryKeeper: while the page has unsaved changes, keeps a recovery copy of it in the
// recovery folder (RecoveryFolder.h), so that the changes outlive an editor that ends without
// saving them: a closed window, a crash, a killed process, a machine that stops.
//
// The copy is written a few seconds after the last change (and at the latest some seconds
// after the first change that it doesn't hold yet, never twice within two seconds), through the
// page file writer with the placeholder in the file only, so that writing it changes nothing in
// the page. It is removed when the page is saved or its changes are left on purpose. Closing the
// window writes what the copy lacks at once and keeps the copy. Changes that something replaced
// without saving or leaving them (a load over them, which asks nothing) are kept too: their copy
// is let go, for the next start to offer, and further changes get a copy of their own.
//
// Installed on the main window from outside; it must not outlive the window.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>
#include <string>

#include "editor/recovery/RecoveryFolder.h"
#include "page/PageListener.h"

namespace pm {

class TEditedPage;
class TForm1;

struct TRecoveryTiming {
  // From the last change to the writing of the copy.
  std::chrono::milliseconds pause{3000};
  // From the first change that the copy lacks to its writing, however the changes go on.
  std::chrono::milliseconds longest{15000};
  // Between two writings of the copy.
  std::chrono::milliseconds shortestInterval{2000};
};

class TRecoveryKeeper : public QObject, private TPageListener {
  Q_OBJECT

 public:
  TRecoveryKeeper(TForm1& window, TRecoveryFolder folder, TRecoveryTiming timing = {});
  // The copy stays; the lock on it goes, so that the next start offers it.
  ~TRecoveryKeeper() override;
  TRecoveryKeeper(const TRecoveryKeeper&) = delete;
  TRecoveryKeeper& operator=(const TRecoveryKeeper&) = delete;

  const TRecoveryFolder& Folder() const { return folder_; }
  // The stem of the copy that this editor keeps now, or empty.
  std::string CopyStem() const { return copy_ ? copy_->stem : std::string(); }
  // Writes the changes that the copy lacks now, if any.
  void WritePendingChanges();
  // A restored copy, whose content the page has now, becomes this editor's copy: held, rewritten
  // on further changes, removed when the page is saved or its changes are left.
  void Adopt(TRecoveryCopy copy);

 signals:
  // The copy holds the page as it is now.
  void CopyWritten();

 protected:
  // The window's closing writes the copy before the window frees the page's pictures.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TPageListener: every change of content.
  void SlotChanged(int32_t slot) override;
  void BackgroundChanged() override;
  void LinkChanged(int32_t link) override;
  void PageReplaced() override;

  void ContentChanged();
  void EditedPageChanged();
  // The page was saved or its changes left: the copy goes.
  void ChangesEnded();
  // Changes that were neither saved nor left are gone from the page: their copy is let go.
  void LetGoOfReplacedChanges();
  void ScheduleWrite();
  void WriteCopy();
  void WriteCopyFiles();
  TRecoveryRecord CurrentRecord() const;

  TForm1& window_;
  TEditedPage& edited_;
  TRecoveryFolder folder_;
  TRecoveryTiming timing_;
  QTimer timer_;
  std::optional<TRecoveryCopy> copy_;
  bool pending_ = false;        // changes that the copy lacks
  bool changesEnding_ = false;  // unsaved changes vanished; a save or a leaving may say why
  bool closed_ = false;         // the window has closed: the page's pictures are gone
  bool failureShown_ = false;   // since the last copy was written
  QElapsedTimer firstPending_;
  QElapsedTimer lastWrite_;
};

}  // namespace pm
