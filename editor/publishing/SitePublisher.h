// TSitePublisher: "Webサイトとして書き出す…" (Ctrl+Shift+E) of the document window. It writes the
// edited page's document as a web site, exactly as `pagetool site` writes it with its default
// options. The site is written from the page files: unsaved changes of the page are saved first
// when the person says so ("保存して書き出す"). Then it asks for the folder (offering again the
// folder last used for the same document, for as long as the editor runs), and before writing
// beside files that no site wrote ("書き出す", "キャンセル"), naming one of them. The site is
// written on a thread of its own while a progress box counts the pages and can cancel; a
// cancelled or failed site leaves the folder as it was. At the end a box tells how many pages
// and pictures were written and offers "ブラウザで開く", which opens index.html in the desktop's
// browser, and "閉じる".
#pragma once

#include <QObject>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "site/SiteWriter.h"

class QAction;

namespace pm {

class TDocument;
class TDocumentWindow;
class TEditedPage;
class TPageFiles;
class TSiteProgressBox;
class TSiteWriting;

inline constexpr const char* kPublishCaption =
    QT_TRANSLATE_NOOP("pm::TSitePublisher", "Webサイトとして書き出す…");
inline constexpr const char* kSaveBeforeSiteQuestion = QT_TRANSLATE_NOOP(
    "pm::TSitePublisher",
    "%1 には保存されていない変更があります。Webサイトはページファイルから書き出すので、この変更は"
    "含まれません。先に保存しますか？");
inline constexpr const char* kSaveAndPublishAnswer =
    QT_TRANSLATE_NOOP("pm::TSitePublisher", "保存して書き出す");
inline constexpr const char* kPublishUnsavedAnswer =
    QT_TRANSLATE_NOOP("pm::TSitePublisher", "保存せずに書き出す");
inline constexpr const char* kForeignFileQuestion = QT_TRANSLATE_NOOP(
    "pm::TSitePublisher",
    "フォルダー %1 には、Webサイトとして書き出されたものではない %2 があります。Webサイトを"
    "その横に書き出しますか？ %2 は上書きも削除もされません。");
inline constexpr const char* kForeignFilesQuestion = QT_TRANSLATE_NOOP(
    "pm::TSitePublisher",
    "フォルダー %1 には、Webサイトとして書き出されたものではない %2 ほか %3 個のファイルが"
    "あります。Webサイトをその横に書き出しますか？ それらのファイルは上書きも削除もされません。");
inline constexpr const char* kPublishAnswer = QT_TRANSLATE_NOOP("pm::TSitePublisher", "書き出す");
inline constexpr const char* kSiteWrittenText = QT_TRANSLATE_NOOP(
    "pm::TSitePublisher", "%1 ページと %2 枚の画像を書き出しました。\n書き出し先: %3");
inline constexpr const char* kOpenInBrowserAnswer =
    QT_TRANSLATE_NOOP("pm::TSitePublisher", "ブラウザで開く");
inline constexpr const char* kCloseAnswer = QT_TRANSLATE_NOOP("pm::TSitePublisher", "閉じる");

class TSitePublisher : public QObject {
  Q_OBJECT

 public:
  // Adds its action to the document window's file menu. The window owns it.
  TSitePublisher(TDocumentWindow& window, TEditedPage& edited, TPageFiles& files);
  ~TSitePublisher() override;
  TSitePublisher(const TSitePublisher&) = delete;
  TSitePublisher& operator=(const TSitePublisher&) = delete;

  QAction* Action() const { return action_; }
  // What the action does; while a site is being written it brings the progress box to the front.
  void Publish();
  // From the start of a writing until its end has been told.
  bool Busy() const;
  TSiteProgressBox* ProgressBox() const { return progress_; }
  TSiteWriting* Writing() const { return writing_; }

 private:
  // Whether the person lets the site be written: after saving, or without the unsaved changes.
  bool SaveChangesFirst();
  std::optional<std::string> AskFolder(const std::string& pattern);
  // The folder that the dialog offers for the document: the last one used, or the folder that
  // holds the folder of its pages.
  std::string OfferedFolder(const std::string& pattern) const;
  // What the folder holds that no site wrote, once what killed sites left there is cleared;
  // fails for the folders that a site is never written into.
  std::vector<std::string> ForeignFiles(const TDocument& document) const;
  // Whether the person lets the site be written beside these files.
  bool MayWriteBeside(const std::vector<std::string>& foreignFiles) const;
  void ShowFinished(const site::TSiteReport& report);
  void OpenInBrowser() const;
  // Raises the failure in the editor's words (SiteFailureText.h).
  [[noreturn]] void Raise(const std::exception_ptr& failure) const;

  TDocumentWindow& window_;
  TEditedPage& edited_;
  TPageFiles& files_;
  QAction* action_;
  TSiteWriting* writing_;
  TSiteProgressBox* progress_;
  std::map<std::string, std::string> lastFolders_;  // by the document's pattern
  std::string folder_;                              // of the writing under way or last ended
};

}  // namespace pm
