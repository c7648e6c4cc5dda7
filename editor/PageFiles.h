// TPageFiles: how the editor keeps the page it edits in its own file. Ctrl+S saves the page to
// the file it was loaded from or last saved to (or, for a new page of a document, to the file
// the document names for it) without a dialog; a page with no file yet gets the dialog of
// "保存". Before anything replaces a page that has unsaved changes, the person is asked whether
// to save them. The main window owns one; its own buttons keep their behaviour and ask nothing.
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string>

class QAction;

namespace pm {

class TForm1;
class TEditedPage;

inline constexpr const char* kSaveCaption = QT_TRANSLATE_NOOP("TPageFiles", "上書き保存\tCtrl+S");
inline constexpr const char* kSaveChangesQuestion =
    QT_TRANSLATE_NOOP("TPageFiles", "%1 の変更を保存しますか？");
inline constexpr const char* kNewPageName = QT_TRANSLATE_NOOP("TPageFiles", "新しいページ");
inline constexpr const char* kSaveAnswer = QT_TRANSLATE_NOOP("TPageFiles", "保存");
inline constexpr const char* kDontSaveAnswer = QT_TRANSLATE_NOOP("TPageFiles", "保存しない");
inline constexpr const char* kCancelAnswer = QT_TRANSLATE_NOOP("TPageFiles", "キャンセル");
inline constexpr const char* kFileChangedQuestion = QT_TRANSLATE_NOOP(
    "TPageFiles",
    "ファイル %1 は、このエディタが読み込んだか保存した後に、ほかのプログラムによって変更されて"
    "います。上書きしますか？");
inline constexpr const char* kOverwriteAnswer = QT_TRANSLATE_NOOP("TPageFiles", "上書き");

// How questions, titles and the status line name a page of that file and document number:
// "ページ N (page3.pag)", the file's name for a page of no document, or "新しいページ".
QString PageNameOf(const std::string& fileName, std::optional<int32_t> number);

class TPageFiles : public QObject {
 public:
  explicit TPageFiles(TForm1& window);
  ~TPageFiles() override;

  // Ctrl+S; add it to every window that saves the page.
  QAction* SaveAction() const { return saveAction_; }

  // Saves the page to its own file, or through the dialog of "保存" when it has none. When the
  // file on disk is no longer the one the editor read or wrote, asks before overwriting it.
  // True when the page was written; a failure goes on to the caller.
  bool Save();
  // Asks, when the page has unsaved changes, whether to save them before it is replaced: "保存"
  // saves (and goes on only when the save happened), "保存しない" leaves the changes, "キャンセル"
  // stops. True when the caller may replace the page.
  bool MayLeavePage();
  // How questions and titles name the page: "ページ N (page3.pag)", the file's name, or
  // "新しいページ".
  QString PageName() const;

 private:
  TForm1& window_;
  TEditedPage& edited_;
  QAction* saveAction_;
};

}  // namespace pm
