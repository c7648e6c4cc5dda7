#include "editor/recovery/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <algorithm>
#include <filesystem>

#include "base/Exceptions.h"
#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/Form1.h"
#include "page/PageFile.h"

namespace pm {

namespace {

constexpr const char* kWriteFailedMessage = QT_TRANSLATE_NOOP(
    "TRecoveryKeeper",
    "保存されていない変更の復旧用コピーを書き込めません。このエディタが終わると、保存されていない"
    "変更は失われます: %1");

std::chrono::milliseconds Elapsed(const QElapsedTimer& timer) {
  return std::chrono::milliseconds(timer.elapsed());
}

}  // namespace

TRecoveryKeeper::TRecoveryKeeper(TForm1& window, TRecoveryFolder folder, TRecoveryTiming timing)
    : window_(window), edited_(window.EditedPage()), folder_(std::move(folder)), timing_(timing) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, Guarded([this] { WriteCopy(); }));
  connect(&edited_, &TEditedPage::Changed, this, Guarded([this] { EditedPageChanged(); }));
  connect(&edited_, &TEditedPage::PageSaved, this, Guarded([this] { ChangesEnded(); }));
  connect(&edited_, &TEditedPage::ChangesDiscarded, this, Guarded([this] { ChangesEnded(); }));
  window_.Page().AddListener(this);
  window_.installEventFilter(this);
}

TRecoveryKeeper::~TRecoveryKeeper() {
  window_.removeEventFilter(this);
  window_.Page().RemoveListener(this);
}

void TRecoveryKeeper::SlotChanged(int32_t) { ContentChanged(); }

void TRecoveryKeeper::BackgroundChanged() { ContentChanged(); }

void TRecoveryKeeper::LinkChanged(int32_t) { ContentChanged(); }

void TRecoveryKeeper::PageReplaced() { ContentChanged(); }

void TRecoveryKeeper::ContentChanged() {
  LetGoOfReplacedChanges();
  if (closed_ || !edited_.Modified()) return;
  if (!pending_) firstPending_.start();
  pending_ = true;
  ScheduleWrite();
}

void TRecoveryKeeper::EditedPageChanged() {
  if (edited_.Modified()) {
    ContentChanged();
    return;
  }
  if (!copy_) return;
  // A save or a leaving of the changes tells so at once; anything else replaced them.
  changesEnding_ = true;
  QTimer::singleShot(0, this, Guarded([this] { LetGoOfReplacedChanges(); }));
}

void TRecoveryKeeper::ChangesEnded() {
  changesEnding_ = false;
  pending_ = false;
  timer_.stop();
  if (!copy_) return;
  folder_.Remove(copy_->stem);
  copy_.reset();
}

void TRecoveryKeeper::LetGoOfReplacedChanges() {
  if (!changesEnding_) return;
  changesEnding_ = false;
  copy_.reset();  // the files stay, the lock goes
}

void TRecoveryKeeper::Adopt(TRecoveryCopy copy) {
  LetGoOfReplacedChanges();
  timer_.stop();
  pending_ = false;
  copy_ = std::move(copy);
}

void TRecoveryKeeper::ScheduleWrite() {
  using std::chrono::milliseconds;
  milliseconds due = std::min(timing_.pause, timing_.longest - Elapsed(firstPending_));
  if (lastWrite_.isValid()) due = std::max(due, timing_.shortestInterval - Elapsed(lastWrite_));
  timer_.start(std::max(due, milliseconds(0)));
}

void TRecoveryKeeper::WritePendingChanges() {
  timer_.stop();
  WriteCopy();
}

void TRecoveryKeeper::WriteCopy() {
  if (closed_ || !pending_ || !edited_.Modified()) return;
  try {
    WriteCopyFiles();
  } catch (const Exception& failure) {
    // Told once, not at every change that follows; the next change tries again.
    if (failureShown_) return;
    failureShown_ = true;
    throw Exception(QCoreApplication::translate("TRecoveryKeeper", kWriteFailedMessage)
                        .arg(QString::fromStdString(failure.Message()))
                        .toStdString());
  }
  pending_ = false;
  failureShown_ = false;
  lastWrite_.start();
  emit CopyWritten();
}

void TRecoveryKeeper::WriteCopyFiles() {
  folder_.Create();
  if (!copy_) copy_ = folder_.NewCopy();
  copy_->record = CurrentRecord();
  WritePageFile(window_.Page(), folder_.PageFile(copy_->stem),
                TEmptyBackground::PlaceholderInFileOnly);
  folder_.WriteRecord(*copy_);
}

TRecoveryRecord TRecoveryKeeper::CurrentRecord() const {
  TRecoveryRecord record;
  if (!edited_.FileName().empty()) {
    // The editor may know its file by a name relative to where it was started.
    record.ownFile = std::filesystem::absolute(edited_.FileName()).lexically_normal().string();
    record.place = DocumentPlaceOf(record.ownFile);
    record.ownFileIdentity = edited_.KnownIdentity();
  }
  record.writtenAt = QDateTime::currentMSecsSinceEpoch();
  return record;
}

bool TRecoveryKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Close && !closed_) {
    RunGuarded([this] { WritePendingChanges(); });
    closed_ = true;
    timer_.stop();
  }
  return false;
}

}  // namespace pm
