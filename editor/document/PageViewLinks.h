// TPageViewLinks: the page view's commands for the links between pages, added to a page view
// from outside. "リンク先のページを開く" (Ctrl+Return) opens the page that the current link leads
// to, "リンク先を選ぶ…" chooses it in the dialog "リンク先"; both are in the context menu of a
// link, which makes that link the current one. Alt+Left and Alt+Right go back and forward through
// the pages opened this way. A page card dragged from the document window's map and dropped on a
// link's rectangle makes that page the link's LinkPage. Changes of a link's page are steps of
// the view's undo history.
#pragma once

#include <QObject>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>

#include "editor/document/DocumentSnapshot.h"

class QAction;

namespace pm {

class TEditedPage;
class TLinkTargetDialog;
class TPageNavigator;
class TPageView;

inline constexpr const char* kFollowLinkCaption =
    QT_TRANSLATE_NOOP("pm::TPageViewLinks", "リンク先のページを開く\tCtrl+Return");
inline constexpr const char* kChooseTargetCaption =
    QT_TRANSLATE_NOOP("pm::TPageViewLinks", "リンク先を選ぶ…");

class TPageViewLinks : public QObject {
  Q_OBJECT

 public:
  using SnapshotSource = std::function<std::shared_ptr<const TDocumentSnapshot>()>;

  // `openDocument` is the editor's Ctrl+D; `snapshot` gives the document window's latest reading
  // for the link-target dialog, when there is one.
  TPageViewLinks(TPageView& view, TEditedPage& edited, TPageNavigator& navigator,
                 QAction* openDocument, SnapshotSource snapshot);
  ~TPageViewLinks() override;

  QAction* FollowAction() const { return followAction_; }
  QAction* ChooseTargetAction() const { return chooseAction_; }
  QAction* BackAction() const { return backAction_; }
  QAction* ForwardAction() const { return forwardAction_; }

  // Opens the dialog "リンク先" for the link (not waiting for it); nullptr when the page belongs
  // to no document.
  TLinkTargetDialog* ChooseTarget(int32_t link);
  // Makes `page` the link's LinkPage, as a step of the view's history.
  void SetTarget(int32_t link, int32_t page);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions(QAction* openDocument);
  void ShowContextMenu(QPoint position, QPoint globalPosition);
  void ShowMessage(const QString& text);
  void RefreshHistoryActions();

  TPageView& view_;
  TEditedPage& edited_;
  TPageNavigator& navigator_;
  SnapshotSource snapshot_;
  QAction* followAction_ = nullptr;
  QAction* chooseAction_ = nullptr;
  QAction* backAction_ = nullptr;
  QAction* forwardAction_ = nullptr;
  QAction* openDocument_ = nullptr;
};

}  // namespace pm
