#include "editor/document/PageViewLinks.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/PageView.h"
#include "editor/document/LinkTargetDialog.h"
#include "editor/document/PageDrag.h"
#include "editor/document/PageNavigator.h"

namespace pm {

namespace {

constexpr int kMessageMilliseconds = 6000;

}  // namespace

TPageViewLinks::TPageViewLinks(TPageView& view, TEditedPage& edited, TPageNavigator& navigator,
                               QAction* openDocument, SnapshotSource snapshot)
    : QObject(&view),
      view_(view),
      edited_(edited),
      navigator_(navigator),
      snapshot_(std::move(snapshot)) {
  CreateActions(openDocument);
  view_.Canvas()->installEventFilter(this);
  view_.Canvas()->setAcceptDrops(true);
  connect(&navigator_, &TPageNavigator::HistoryChanged, this, [this] { RefreshHistoryActions(); });
  RefreshHistoryActions();
}

TPageViewLinks::~TPageViewLinks() = default;

void TPageViewLinks::CreateActions(QAction* openDocument) {
  openDocument_ = openDocument;
  followAction_ = new QAction(tr(kFollowLinkCaption), this);
  followAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  connect(followAction_, &QAction::triggered, this,
          Guarded([this] { navigator_.FollowLink(edited_.Page().CurrentLink()); }));
  chooseAction_ = new QAction(tr(kChooseTargetCaption), this);
  connect(chooseAction_, &QAction::triggered, this,
          Guarded([this] { ChooseTarget(edited_.Page().CurrentLink()); }));
  backAction_ = new QAction(tr("戻る\tAlt+Left"), this);
  backAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  connect(backAction_, &QAction::triggered, this, Guarded([this] { navigator_.GoBack(); }));
  forwardAction_ = new QAction(tr("進む\tAlt+Right"), this);
  forwardAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  connect(forwardAction_, &QAction::triggered, this, Guarded([this] { navigator_.GoForward(); }));
  connect(&navigator_, &TPageNavigator::Message, this, [this](const QString& text) {
    if (view_.isActiveWindow()) ShowMessage(text);
  });

  if (openDocument_) view_.FileMenu()->addAction(openDocument_);
  QMenu* go = view_.menuBar()->addMenu(tr("移動(&G)"));
  go->addActions({followAction_, chooseAction_});
  go->addSeparator();
  go->addActions({backAction_, forwardAction_});
}

void TPageViewLinks::RefreshHistoryActions() {
  backAction_->setEnabled(navigator_.CanGoBack());
  forwardAction_->setEnabled(navigator_.CanGoForward());
}

void TPageViewLinks::ShowMessage(const QString& text) {
  view_.statusBar()->showMessage(text, kMessageMilliseconds);
}

TLinkTargetDialog* TPageViewLinks::ChooseTarget(int32_t link) {
  const std::optional<TDocumentPlace>& place = edited_.Place();
  if (!place) {
    ShowMessage(QCoreApplication::translate("pm::TPageNavigator", kNoDocumentMessage));
    return nullptr;
  }
  auto* dialog = new TLinkTargetDialog(&view_, link, view_.Canvas()->ShownLink(link).LinkPage,
                                       place->pattern, snapshot_ ? snapshot_() : nullptr);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &TLinkTargetDialog::PageChosen, this,
          [this, link](int32_t page) { RunGuarded([&] { SetTarget(link, page); }); });
  dialog->open();
  return dialog;
}

void TPageViewLinks::SetTarget(int32_t link, int32_t page) {
  TPageCanvas* canvas = view_.Canvas();
  canvas->CancelDrag();
  TLinkRecord record = canvas->ShownLink(link);
  record.LinkPage = page;
  canvas->Submit(TLinkEditKind::Target, link, record);
}

void TPageViewLinks::ShowContextMenu(QPoint position, QPoint globalPosition) {
  TPageCanvas* canvas = view_.Canvas();
  const std::optional<int32_t> link = canvas->LinkAt(position);
  canvas->CancelDrag();
  // The menu is about the link under the pointer: it becomes the current one.
  if (link) edited_.Page().SelectLink(*link);
  QMenu menu;
  if (link) {
    menu.addActions({followAction_, chooseAction_});
    menu.addSeparator();
  }
  menu.addActions({backAction_, forwardAction_});
  if (openDocument_) {
    menu.addSeparator();
    menu.addAction(openDocument_);
  }
  menu.exec(globalPosition);
}

bool TPageViewLinks::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_.Canvas()) return false;
  switch (event->type()) {
    case QEvent::ContextMenu: {
      auto* menuEvent = static_cast<QContextMenuEvent*>(event);
      RunGuarded([&] { ShowContextMenu(menuEvent->pos(), menuEvent->globalPos()); });
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      const std::optional<int32_t> page = DraggedPageNumber(drag->mimeData());
      if (!page) return false;
      const std::optional<int32_t> link = view_.Canvas()->LinkAt(drag->position());
      // A drag must be taken on entering for moves to follow; it is dropped only on a link.
      if (event->type() == QEvent::DragEnter || link) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      if (link) ShowMessage(tr("リンク %1 の行き先をページ %2 にします").arg(*link).arg(*page));
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::optional<int32_t> page = DraggedPageNumber(drop->mimeData());
      if (!page) return false;
      const std::optional<int32_t> link = view_.Canvas()->LinkAt(drop->position());
      if (!link) {
        drop->ignore();
        return true;
      }
      drop->acceptProposedAction();
      RunGuarded([&] { SetTarget(*link, *page); });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace pm
