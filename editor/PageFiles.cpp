#include "editor/PageFiles.h"

#include <QAction>
#include <QCoreApplication>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/Form1.h"
#include "editor/QuestionBox.h"
#include "editor/WaitCursor.h"
#include "page/PageFile.h"

namespace pm {

namespace {

QString Text(const char* source) { return QCoreApplication::translate("TPageFiles", source); }

QString BaseName(const std::string& fileName) {
  return QString::fromStdString(std::filesystem::path(fileName).filename().string());
}

// Whether the person lets the save overwrite a file that something else changed.
bool MayOverwriteChangedFile(const std::string& fileName) {
  const TQuestion question{.title = {},
                           .text = Text(kFileChangedQuestion).arg(QString::fromStdString(fileName)),
                           .answers = {{Text(kOverwriteAnswer), TAnswerRole::Destructive},
                                       {Text(kCancelAnswer), TAnswerRole::Reject}}};
  return Ask(question) == 0;
}

}  // namespace

TPageFiles::TPageFiles(TForm1& window)
    : window_(window), edited_(window.EditedPage()), saveAction_(new QAction(this)) {
  saveAction_->setText(Text(kSaveCaption));
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAction_->setShortcutContext(Qt::WindowShortcut);
  connect(saveAction_, &QAction::triggered, this, Guarded([this] { Save(); }));
  window_.addAction(saveAction_);
}

TPageFiles::~TPageFiles() = default;

bool TPageFiles::Save() {
  const std::string fileName = edited_.FileName();
  if (fileName.empty()) return window_.SaveWithDialog();
  if (!edited_.FileUnchangedOnDisk() && !MayOverwriteChangedFile(fileName)) return false;
  TWaitCursor waiting;
  WritePageFile(edited_.Page(), fileName);
  edited_.Saved(fileName);
  return true;
}

bool TPageFiles::MayLeavePage() {
  if (!edited_.Modified()) return true;
  const TQuestion question{.title = {},
                           .text = Text(kSaveChangesQuestion).arg(PageName()),
                           .answers = {{Text(kSaveAnswer), TAnswerRole::Accept},
                                       {Text(kDontSaveAnswer), TAnswerRole::Destructive},
                                       {Text(kCancelAnswer), TAnswerRole::Reject}}};
  switch (Ask(question)) {
    case 0:
      return Save();
    case 1:
      edited_.ChangesLeft();
      return true;
    default:
      return false;
  }
}

QString PageNameOf(const std::string& fileName, std::optional<int32_t> number) {
  if (fileName.empty()) return Text(kNewPageName);
  if (number) {
    return Text(QT_TRANSLATE_NOOP("TPageFiles", "ページ %1 (%2)"))
        .arg(*number)
        .arg(BaseName(fileName));
  }
  return BaseName(fileName);
}

QString TPageFiles::PageName() const {
  const auto& place = edited_.Place();
  return PageNameOf(edited_.FileName(),
                    place ? std::optional<int32_t>(place->number) : std::nullopt);
}

}  // namespace pm
