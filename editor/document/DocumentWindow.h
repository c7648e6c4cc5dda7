// TDocumentWindow: the document window ("ドキュメント — story/page%d.pag"), a separate, non-modal
// window with the document of the page being edited: its map in the middle, the list of its
// pages ("ページ一覧") beside it and the findings of its checks ("問題") below. A double-click or
// Enter on a card, a page or a finding opens that page in the editor. The window follows every
// save of this editor at once, and changes made on disk by anything else when it is activated
// again or with F5. A page of no document makes the window say so instead.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "editor/document/DocumentSnapshot.h"
#include "page/DocumentFileState.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QStackedWidget;

namespace pm {

class TDocumentMap;
class TDocumentReader;
class TEditedPage;
class TPageNavigator;

inline constexpr const char* kPageListName = QT_TRANSLATE_NOOP("pm::TDocumentWindow", "ページ一覧");
inline constexpr const char* kFindingsName = QT_TRANSLATE_NOOP("pm::TDocumentWindow", "問題");
inline constexpr const char* kNoDocumentNotice = QT_TRANSLATE_NOOP(
    "pm::TDocumentWindow",
    "このページはどのドキュメントにも属していません。\n\nページファイルを page3.pag のように"
    "番号で終わる名前で保存するか読み込むと、その番号のページとして、同じ名前の並びのページファイル"
    "すべてがここに表示されます。");

class TDocumentWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `saveAction` is the editor's Ctrl+S, shared with its other windows.
  TDocumentWindow(TEditedPage& edited, TPageNavigator& navigator, QAction* saveAction);
  ~TDocumentWindow() override;
  TDocumentWindow(const TDocumentWindow&) = delete;
  TDocumentWindow& operator=(const TDocumentWindow&) = delete;

  // Shows the window (where it was last time) and brings it to the front, reading the document
  // when what is shown isn't its latest state.
  void Open();
  // Reads the document again (F5).
  void Reread();
  // Puts a command of the document into the file menu, after the save.
  void AddFileAction(QAction* action);

  // The document shown now (nothing before the first reading has finished, or without one).
  std::shared_ptr<const TDocumentSnapshot> Snapshot() const { return snapshot_; }
  // The pattern of the edited page's document, or empty.
  std::string Pattern() const;
  bool Reading() const;

  TDocumentMap* Map() const { return map_; }
  QListWidget* PageList() const { return pageList_; }
  QListWidget* Findings() const { return findings_; }
  // The text that stands in place of the document when there is none to show.
  QString NoticeText() const;
  bool NoticeShown() const;

 signals:
  // A reading has finished and its document is shown, or it failed and the notice says why.
  void DocumentShown();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions(QAction* saveAction);
  void CreatePanes();
  // The edited page changed file, place or unsaved changes.
  void FollowEditedPage();
  void RefreshTitle();
  // Reads the document now when the window is shown, otherwise at its next opening.
  void ReadWhenShown();
  void StartReading();
  void ShowSnapshot(std::shared_ptr<const TDocumentSnapshot> snapshot);
  void ShowFailure(const QString& message);
  void ShowNotice(const QString& text);
  void FillPageList();
  void FillFindings();
  // Highlights the page being edited on the map and in the page list.
  void ShowCurrentPage();
  void SelectPage(std::optional<int32_t> number);
  void OpenFromList(QListWidgetItem* item);
  void OpenFromFindings(QListWidgetItem* item);
  // When the page files on disk are no longer the ones read, reads them again.
  void CheckDisk();

  TEditedPage& edited_;
  TPageNavigator& navigator_;
  TDocumentReader* reader_;
  QStackedWidget* stack_ = nullptr;
  QLabel* notice_ = nullptr;
  TDocumentMap* map_ = nullptr;
  QListWidget* pageList_ = nullptr;
  QListWidget* findings_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* afterFileActions_ = nullptr;  // the separator before "再読み込み"
  std::shared_ptr<const TDocumentSnapshot> snapshot_;
  std::string shownPattern_;      // the pattern of the document shown, or being read
  TDocumentFileState diskState_;  // of the page files when the reading shown started
  bool stale_ = true;             // something changed since the reading shown started
  bool selecting_ = false;        // a selection made here is being passed on
  QByteArray placement_;          // where the window was when it was last closed
};

}  // namespace pm
