#include "editor/publishing/SitePublisher.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

#include "base/Exceptions.h"
#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/FileDialog.h"
#include "editor/PageFiles.h"
#include "editor/QuestionBox.h"
#include "editor/WaitCursor.h"
#include "editor/document/DocumentWindow.h"
#include "editor/publishing/SiteFailureText.h"
#include "editor/publishing/SiteProgressBox.h"
#include "editor/publishing/SiteWriting.h"
#include "page/Document.h"
#include "site/SiteLayout.h"
#include "site/SiteSurvey.h"

namespace pm {

namespace fs = std::filesystem;

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

TSitePublisher::TSitePublisher(TDocumentWindow& window, TEditedPage& edited, TPageFiles& files)
    : QObject(&window),
      window_(window),
      edited_(edited),
      files_(files),
      action_(new QAction(tr(kPublishCaption), this)),
      writing_(new TSiteWriting(this)),
      progress_(new TSiteProgressBox(&window)) {
  action_->setObjectName("PublishSite");
  action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
  action_->setShortcutContext(Qt::WindowShortcut);
  window_.AddFileAction(action_);
  const auto followPage = [this] { action_->setEnabled(!window_.Pattern().empty()); };
  followPage();
  connect(action_, &QAction::triggered, this, Guarded([this] { Publish(); }));
  connect(&edited_, &TEditedPage::Changed, this, followPage);

  connect(writing_, &TSiteWriting::Progress, progress_, &TSiteProgressBox::ShowProgress);
  connect(progress_, &TSiteProgressBox::Cancel, writing_, &TSiteWriting::Cancel);
  connect(writing_, &TSiteWriting::Finished, this, [this](const site::TSiteReport& report) {
    progress_->End();
    RunGuarded([&] { ShowFinished(report); });
  });
  connect(writing_, &TSiteWriting::Cancelled, progress_, &TSiteProgressBox::End);
  connect(writing_, &TSiteWriting::Failed, this, [this](const std::exception_ptr& failure) {
    progress_->End();
    RunGuarded([&] { Raise(failure); });
  });
}

TSitePublisher::~TSitePublisher() = default;

bool TSitePublisher::Busy() const { return writing_->Busy(); }

void TSitePublisher::Publish() {
  if (Busy()) {
    progress_->raise();
    progress_->activateWindow();
    return;
  }
  const std::string pattern = window_.Pattern();
  if (pattern.empty()) {
    throw Exception(tr("このページはどのドキュメントにも属していません").toStdString());
  }
  if (!SaveChangesFirst()) return;
  const std::optional<std::string> folder = AskFolder(pattern);
  if (!folder) return;
  lastFolders_[pattern] = *folder;
  folder_ = *folder;
  try {
    const TDocument document(pattern);
    const std::vector<std::string> foreignFiles = ForeignFiles(document);
    site::TSiteOptions options;  // pagetool site's defaults
    options.force = !foreignFiles.empty();
    if (options.force && !MayWriteBeside(foreignFiles)) return;
    writing_->Start(document, folder_, options);
    progress_->Begin(Text(folder_));  // its progress comes through the event queue, after this
  } catch (...) {
    Raise(std::current_exception());
  }
}

bool TSitePublisher::SaveChangesFirst() {
  if (!edited_.Modified()) return true;
  const TQuestion question{.title = {},
                           .text = tr(kSaveBeforeSiteQuestion).arg(files_.PageName()),
                           .answers = {{tr(kSaveAndPublishAnswer), TAnswerRole::Accept},
                                       {tr(kPublishUnsavedAnswer), TAnswerRole::Destructive},
                                       {tr("キャンセル"), TAnswerRole::Reject}}};
  switch (Ask(question)) {
    case 0:
      return files_.Save();
    case 1:
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TSitePublisher::AskFolder(const std::string& pattern) {
  const TFileDialogRequest request{.kind = TFileDialogKind::Folder,
                                   .filters = {},
                                   .fileName = OfferedFolder(pattern),
                                   .filterIndex = 1};
  const std::optional<TFileDialogAnswer> answer = FileDialogProvider::Current().Ask(request);
  if (!answer || answer->fileName.empty()) return std::nullopt;
  return answer->fileName;
}

std::string TSitePublisher::OfferedFolder(const std::string& pattern) const {
  if (const auto last = lastFolders_.find(pattern); last != lastFolders_.end()) {
    return last->second;
  }
  fs::path pages = fs::absolute(TDocumentPattern(pattern).Folder()).lexically_normal();
  if (!pages.has_filename()) pages = pages.parent_path();  // "/story/" names "/story"
  return pages.parent_path().string();
}

std::vector<std::string> TSitePublisher::ForeignFiles(const TDocument& document) const {
  const TWaitCursor waiting;
  return site::SurveySiteFolder(document, folder_).foreignFiles;
}

bool TSitePublisher::MayWriteBeside(const std::vector<std::string>& foreignFiles) const {
  const QString folder = Text(folder_);
  const QString first = Text(foreignFiles.front());
  const QString text =
      foreignFiles.size() == 1
          ? tr(kForeignFileQuestion).arg(folder, first)
          : tr(kForeignFilesQuestion).arg(folder, first).arg(foreignFiles.size() - 1);
  const TQuestion question{.title = {},
                           .text = text,
                           .answers = {{tr(kPublishAnswer), TAnswerRole::Accept},
                                       {tr("キャンセル"), TAnswerRole::Reject}}};
  return Ask(question) == 0;
}

void TSitePublisher::ShowFinished(const site::TSiteReport& report) {
  QString text = tr(kSiteWrittenText).arg(report.pages).arg(report.pictures).arg(Text(folder_));
  switch (report.map) {
    case site::TDotOutcome::Drawn:
    case site::TDotOutcome::Cancelled:
      break;
    case site::TDotOutcome::NotInstalled:
      text += "\n" + tr("Graphviz の dot が見つからないので、地図はページの一覧にしました。");
      break;
    case site::TDotOutcome::Failed:
      text += "\n" + tr("dot が地図を描けなかったので、地図はページの一覧にしました。");
      break;
    case site::TDotOutcome::TimedOut:
      text +=
          "\n" + tr("dot が地図を描くのに時間がかかりすぎたので、地図はページの一覧にしました。");
      break;
  }
  const TQuestion question{.title = {},
                           .text = text,
                           .answers = {{tr(kOpenInBrowserAnswer), TAnswerRole::Accept},
                                       {tr(kCloseAnswer), TAnswerRole::Reject}}};
  if (Ask(question) == 0) OpenInBrowser();
}

void TSitePublisher::OpenInBrowser() const {
  const QString index = Text((fs::path(folder_) / site::kSiteIndexName).string());
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(index))) {
    throw Exception(tr("ブラウザで %1 を開けませんでした").arg(index).toStdString());
  }
}

void TSitePublisher::Raise(const std::exception_ptr& failure) const {
  if (const std::optional<QString> text = SiteFailureText(failure, Text(folder_))) {
    throw Exception(text->toStdString());
  }
  std::rethrow_exception(failure);
}

}  // namespace pm
