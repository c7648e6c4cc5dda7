// TReadingMode: the page view's reading mode. "閲覧" (F5) shows the page being edited as a reader
// will see it, Shift+F5 the document's start page; a click on a link, or Tab to it and Enter,
// shows the page it leads to, read from its file into a page of its own, while the page being
// edited is shown from the editor, unsaved changes included. Backspace and Alt+Left go back,
// Alt+Right forward; "このページを編集" (Ctrl+E) opens the page shown for editing; Esc, or "閲覧"
// again, returns to editing exactly as it was left. Reading never changes a page: while it lasts,
// every command of the view but those of its file menu is off.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/PageViewPictures.h"
#include "editor/reading/ReadingLink.h"
#include "page/Document.h"
#include "page/Page.h"

class QAction;
class QMenu;
class QScrollArea;
class QStackedWidget;

namespace pm {

class TEditedPage;
class TPageView;
class TReadingCanvas;

inline constexpr const char* kReadCaption = QT_TRANSLATE_NOOP("pm::TReadingMode", "閲覧");
inline constexpr const char* kReadFromStartCaption =
    QT_TRANSLATE_NOOP("pm::TReadingMode", "はじめのページから閲覧");
inline constexpr const char* kEditShownPageCaption =
    QT_TRANSLATE_NOOP("pm::TReadingMode", "このページを編集\tCtrl+E");
inline constexpr const char* kNoSuchPageMessage =
    QT_TRANSLATE_NOOP("pm::TReadingMode", "ページ %1 はありません");
inline constexpr const char* kReadingStatus = QT_TRANSLATE_NOOP("pm::TReadingMode", "閲覧中: %1");

class TReadingMode : public QObject, private TPageListener {
  Q_OBJECT

 public:
  // Opens page N of the edited page's document for editing, asking first about unsaved changes;
  // false when it didn't (the person cancelled). A failure goes on to the caller.
  using PageOpener = std::function<bool(int32_t page)>;

  // Installs reading mode in the view, which shows `page` for editing through `pictures`.
  TReadingMode(TPageView& view, TPage& page, TPageViewPictures& pictures);
  ~TReadingMode() override;
  TReadingMode(const TReadingMode&) = delete;
  TReadingMode& operator=(const TReadingMode&) = delete;

  // The edited page's file and document, which say where the links lead. Without it the page
  // is read alone.
  void FollowEditedPage(TEditedPage& edited);
  void SetPageOpener(PageOpener opener) { opener_ = std::move(opener); }

  bool Reading() const { return reading_; }
  // Reads from the page being edited, or from the document's start page. A page that can't be
  // shown leaves everything as it was, with the reason in the status line.
  void Enter();
  void EnterAtStart();
  // Back to editing, as it was left.
  void Leave();
  // Follows link N of the page shown, as a click on it does.
  void FollowLink(int32_t link);
  void Back();
  void Forward();
  // "このページを編集".
  void EditShownPage();

  // The page shown: its number, or nothing for a page of no document.
  std::optional<int32_t> ShownPage() const { return shown_.number; }
  // Whether reading shows the editor's own page.
  bool ShowsEditedPage() const { return reading_ && shown_.page == nullptr; }
  // "閲覧中: ページ N (file)" and what else a reader should know of the page: the status line's
  // message while reading, but for a while after a notice.
  QString StatusText() const;
  TReadingCanvas* Canvas() const { return canvas_; }

  QAction* ReadAction() const { return readAction_; }
  QAction* ReadFromStartAction() const { return readFromStartAction_; }
  QAction* BackAction() const { return backAction_; }
  QAction* ForwardAction() const { return forwardAction_; }
  QAction* EditShownPageAction() const { return editAction_; }
  QAction* LeaveAction() const { return leaveAction_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The page on display: the editor's own, or one read from its file.
  struct Shown {
    std::optional<int32_t> number;
    std::string fileName;
    std::unique_ptr<TPage> page;  // null: the editor's page
    std::unique_ptr<TPageViewPictures> pictures;
  };

  // TPageListener: the editor's page changes while it is read.
  void SlotChanged(int32_t slot) override;
  void BackgroundChanged() override;
  void LinkChanged(int32_t link) override;
  void PageReplaced() override;

  void CreateActions();
  void CreateArea();
  // The edited page's document as it is on disk now.
  void RefreshDocument();
  std::optional<int32_t> EditedNumber() const;
  bool PageExists(int32_t number) const;
  // Shows the page (nothing: the editor's page alone); false, with the reason in the status
  // line, when it can't be.
  bool ShowPage(std::optional<int32_t> number);
  // Shows the page as the next one of the way read; back and forward go from there.
  void GoTo(int32_t page);
  // Back (from back_ to forward_) or forward (the other way).
  void Step(std::vector<int32_t>& from, std::vector<int32_t>& to);
  // Puts the page on the canvas; `samePage`: the page shown, again.
  void Display(const Shown& shown, bool samePage);
  void Redisplay();
  std::vector<TReadLink> LinksOf(const Shown& shown, const TPage& page) const;
  QString LinkName(const TReadLink& link, bool inDocument) const;
  void FitToWindow();
  void StartReading();
  void SetEditingCommandsEnabled(bool enabled);
  void RefreshActions();
  void RefreshStatus();
  void ShowMessage(const QString& text);

  TPageView& view_;
  TPage& page_;
  TPageViewPictures& pictures_;
  TEditedPage* edited_ = nullptr;
  PageOpener opener_;

  QStackedWidget* stack_ = nullptr;
  QScrollArea* area_ = nullptr;
  QWidget* viewport_ = nullptr;  // the reading area's, whose size the page fits
  TReadingCanvas* canvas_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* readAction_ = nullptr;
  QAction* readFromStartAction_ = nullptr;
  QAction* backAction_ = nullptr;
  QAction* forwardAction_ = nullptr;
  QAction* editAction_ = nullptr;
  QAction* leaveAction_ = nullptr;

  bool reading_ = false;
  std::string pattern_;                // of the document read, empty for none
  std::optional<TDocument> document_;  // its page files, when it has any
  Shown shown_;
  std::vector<int32_t> back_;
  std::vector<int32_t> forward_;
  // The commands turned off while reading, turned on again after.
  std::vector<QPointer<QAction>> suspended_;
};

}  // namespace pm
