#include "editor/recovery/RecoveryOffer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/Form1.h"
#include "editor/PageFiles.h"
#include "editor/WaitCursor.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "page/PageFile.h"

namespace pm {

namespace {

constexpr const char* kContext = "TRecoveryOffer";
constexpr const char* kNewPage = QT_TRANSLATE_NOOP("TRecoveryOffer", "新しいページ");
constexpr const char* kDocumentPage = QT_TRANSLATE_NOOP("TRecoveryOffer", "ページ %1 (%2)");
constexpr const char* kTimeFormat = "yyyy/MM/dd HH:mm:ss";

QString Text(const char* source) { return QCoreApplication::translate(kContext, source); }

QString PathText(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// Reads the copy into the page as the unsaved changes of its own file. False when the person
// kept the page's own unsaved changes from being replaced.
bool Restore(TForm1& window, TRecoveryKeeper& keeper, TRecoveryCopy& copy) {
  if (!window.PageFiles().MayLeavePage()) return false;
  {
    const TWaitCursor waiting;
    ReadPageFile(window.Page(), keeper.Folder().PageFile(copy.stem), nullptr);
  }
  window.EditedPage().Restored(copy.record.ownFile, copy.record.ownFileIdentity);
  keeper.Adopt(std::move(copy));
  return true;
}

std::vector<TRecoveryRow> RowsOf(const std::vector<TRecoveryCopy>& copies) {
  std::vector<TRecoveryRow> rows;
  for (const TRecoveryCopy& copy : copies) rows.push_back(RecoveryRowOf(copy.record));
  return rows;
}

void Offer(TForm1& window, TRecoveryKeeper& keeper) {
  std::vector<TRecoveryCopy> copies = keeper.Folder().TakeUnheldCopies();
  if (copies.empty()) return;
  RecoveryBox& box = RecoveryBox::Current();
  while (!copies.empty()) {
    const TRecoveryAnswer answer = box.Ask(RowsOf(copies));
    if (answer.action == TRecoveryAction::Later || answer.row >= copies.size()) break;
    const auto chosen = copies.begin() + static_cast<std::ptrdiff_t>(answer.row);
    if (answer.action == TRecoveryAction::Discard) {
      keeper.Folder().Remove(chosen->stem);
      copies.erase(chosen);
      continue;
    }
    bool restored = false;
    RunGuarded([&] { restored = Restore(window, keeper, *chosen); });
    if (restored) break;
  }
  box.Close();
  // The copies left go back to the folder as they were, for the next start: their locks go here.
}

}  // namespace

TRecoveryRow RecoveryRowOf(const TRecoveryRecord& record) {
  TRecoveryRow row;
  row.time = QDateTime::fromMSecsSinceEpoch(record.writtenAt).toLocalTime().toString(kTimeFormat);
  if (record.ownFile.empty()) {
    row.page = Text(kNewPage);
    return row;
  }
  const std::filesystem::path file(record.ownFile);
  const QString name = PathText(file.filename());
  row.page = record.place ? Text(kDocumentPage).arg(record.place->number).arg(name) : name;
  row.folder = PathText(file.parent_path());
  return row;
}

void OfferRecovery(TForm1& window, TRecoveryKeeper& keeper) {
  RunGuarded([&] {
    try {
      Offer(window, keeper);
    } catch (...) {
      RecoveryBox::Current().Close();
      throw;
    }
  });
}

}  // namespace pm
