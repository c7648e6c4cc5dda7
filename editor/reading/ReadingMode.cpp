#include "editor/reading/ReadingMode.h"

#include <QAction>
#include <QEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/PageFiles.h"
#include "editor/PageView.h"
#include "editor/WaitCursor.h"
#include "editor/reading/ReadingCanvas.h"
#include "page/DocumentErrors.h"
#include "page/PageFile.h"
#include "page/PageOutline.h"

namespace pm {

namespace {

// A page read for showing it is shared with other readers; its background is decoded at once
// (ShowPage), so that a page whose background can't be shown isn't shown at all.
constexpr TPageFileReading kReadingForShow{.access = FileAccess::ReadShared, .decodeShown = false};

}  // namespace

TReadingMode::TReadingMode(TPageView& view, TPage& page, TPageViewPictures& pictures)
    : view_(view), page_(page), pictures_(pictures) {
  CreateArea();
  CreateActions();
  // A notice shown for a while gives way to the page's status again.
  connect(view_.statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) RunGuarded([this] { RefreshStatus(); });
  });
  view_.installEventFilter(this);
  page_.AddListener(this);
  RefreshActions();
}

TReadingMode::~TReadingMode() { page_.RemoveListener(this); }

void TReadingMode::CreateArea() {
  canvas_ = new TReadingCanvas;
  canvas_->setAccessibleName(tr("閲覧中のページ"));
  canvas_->SetOnActivated([this](int32_t link) { FollowLink(link); });
  area_ = new QScrollArea;
  area_->setObjectName("ReadingArea");
  area_->setBackgroundRole(QPalette::Dark);
  area_->setWidgetResizable(false);
  area_->setAlignment(Qt::AlignCenter);
  area_->setWidget(canvas_);
  viewport_ = area_->viewport();
  viewport_->installEventFilter(this);
  // The editing area and the reading area take turns in the window's middle; the editing area
  // keeps its zoom and scroll position while it waits.
  QWidget* editing = view_.takeCentralWidget();
  stack_ = new QStackedWidget;
  stack_->setObjectName("PageViewModes");
  stack_->addWidget(editing);
  stack_->addWidget(area_);
  view_.setCentralWidget(stack_);
}

void TReadingMode::CreateActions() {
  readAction_ = new QAction(tr(kReadCaption), this);
  readAction_->setCheckable(true);
  readAction_->setShortcut(QKeySequence(Qt::Key_F5));
  readAction_->setToolTip(tr("閲覧: 読者が見るとおりにページを表示します (F5)"));
  connect(readAction_, &QAction::triggered, this, [this](bool checked) {
    RunGuarded([this, checked] { checked ? Enter() : Leave(); });
    RefreshActions();
  });
  readFromStartAction_ = new QAction(tr(kReadFromStartCaption), this);
  readFromStartAction_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
  connect(readFromStartAction_, &QAction::triggered, this, Guarded([this] { EnterAtStart(); }));
  backAction_ = new QAction(tr("戻る"), this);
  backAction_->setShortcuts(
      {QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::ALT | Qt::Key_Left)});
  connect(backAction_, &QAction::triggered, this, Guarded([this] { Back(); }));
  forwardAction_ = new QAction(tr("進む"), this);
  forwardAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  connect(forwardAction_, &QAction::triggered, this, Guarded([this] { Forward(); }));
  editAction_ = new QAction(tr(kEditShownPageCaption), this);
  editAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(editAction_, &QAction::triggered, this, Guarded([this] { EditShownPage(); }));
  leaveAction_ = new QAction(tr("閲覧を終える"), this);
  leaveAction_->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(leaveAction_, &QAction::triggered, this, Guarded([this] { Leave(); }));

  menu_ = view_.menuBar()->addMenu(tr("閲覧(&R)"));
  menu_->addActions({readAction_, readFromStartAction_});
  menu_->addSeparator();
  menu_->addActions({backAction_, forwardAction_});
  menu_->addSeparator();
  menu_->addActions({editAction_, leaveAction_});
  if (auto* tools = view_.findChild<QToolBar*>("PageViewTools")) {
    QAction* first = tools->actions().value(0);
    tools->insertAction(first, readAction_);
    tools->insertSeparator(first);
  }
}

void TReadingMode::FollowEditedPage(TEditedPage& edited) {
  edited_ = &edited;
  connect(&edited, &TEditedPage::Changed, this, Guarded([this] { RefreshStatus(); }));
}

bool TReadingMode::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &view_ && event->type() == QEvent::Close) {
    RunGuarded([this] { Leave(); });
  } else if (watched == viewport_ && event->type() == QEvent::Resize) {
    RunGuarded([this] { FitToWindow(); });
  }
  return false;
}

// Where the links lead.

void TReadingMode::RefreshDocument() {
  document_.reset();
  if (pattern_.empty()) return;
  try {
    document_.emplace(pattern_);
  } catch (const EInvalidDocument&) {
    // No page file of the document is there (yet): only the edited page can be shown.
  }
}

std::optional<int32_t> TReadingMode::EditedNumber() const {
  if (edited_ == nullptr || !edited_->Place() || edited_->Place()->pattern != pattern_) {
    return std::nullopt;
  }
  return edited_->Place()->number;
}

bool TReadingMode::PageExists(int32_t number) const {
  return number == EditedNumber() || (document_ && document_->HasPage(number));
}

// Entering and leaving.

void TReadingMode::Enter() {
  if (reading_) return;
  pattern_ = edited_ && edited_->Place() ? edited_->Place()->pattern : std::string();
  RefreshDocument();
  if (ShowPage(EditedNumber())) StartReading();
}

void TReadingMode::EnterAtStart() {
  if (!reading_) {
    pattern_ = edited_ && edited_->Place() ? edited_->Place()->pattern : std::string();
  }
  RefreshDocument();
  const std::optional<int32_t> start = document_ ? document_->Start() : EditedNumber();
  if (!reading_) {
    if (ShowPage(start)) StartReading();
    return;
  }
  if (start) GoTo(*start);  // a page of no document is all there is to read
}

void TReadingMode::StartReading() {
  reading_ = true;
  back_.clear();
  forward_.clear();
  SetEditingCommandsEnabled(false);
  stack_->setCurrentWidget(area_);
  view_.ShowEditingStatus(false);
  FitToWindow();
  RefreshActions();
  RefreshStatus();
  canvas_->setFocus(Qt::OtherFocusReason);
}

void TReadingMode::Leave() {
  if (!reading_) return;
  reading_ = false;
  canvas_->Clear();  // before the pictures it draws go
  shown_ = Shown();
  back_.clear();
  forward_.clear();
  stack_->setCurrentIndex(0);
  view_.statusBar()->clearMessage();
  view_.ShowEditingStatus(true);
  SetEditingCommandsEnabled(true);
  RefreshActions();
  view_.Canvas()->setFocus(Qt::OtherFocusReason);
}

void TReadingMode::SetEditingCommandsEnabled(bool enabled) {
  if (enabled) {
    for (const QPointer<QAction>& action : suspended_) {
      if (action) action->setEnabled(true);
    }
    suspended_.clear();
    // The history may have changed meanwhile (a page read into the editor clears it).
    view_.UndoAction()->setEnabled(view_.History().canUndo());
    view_.RedoAction()->setEnabled(view_.History().canRedo());
    return;
  }
  const QList<QAction*> own = {readAction_,    readFromStartAction_, backAction_,
                               forwardAction_, editAction_,          leaveAction_};
  const QList<QAction*> kept = view_.FileMenu()->actions();
  const auto suspend = [&](QAction* action) {
    if (action->isSeparator() || action->menu() || !action->isEnabled()) return;
    if (own.contains(action) || kept.contains(action)) return;
    action->setEnabled(false);
    suspended_.emplace_back(action);
  };
  for (QAction* action : view_.actions()) suspend(action);
  for (QAction* menu : view_.menuBar()->actions()) {
    if (menu->menu()) {
      for (QAction* action : menu->menu()->actions()) suspend(action);
    }
  }
  for (QToolBar* tools : view_.findChildren<QToolBar*>()) {
    for (QAction* action : tools->actions()) suspend(action);
  }
}

// Moving between pages.

bool TReadingMode::ShowPage(std::optional<int32_t> number) {
  Shown next;
  next.number = number;
  if (!number || number == EditedNumber()) {
    next.fileName = edited_ ? edited_->FileName() : std::string();
  } else {
    const TDocumentPageFile* file = document_ ? document_->Find(*number) : nullptr;
    if (file == nullptr) {
      ShowMessage(tr(kNoSuchPageMessage).arg(*number));
      return false;
    }
    next.fileName = file->fileName;
    next.page = std::make_unique<TPage>();
    try {
      const TWaitCursor waiting;
      ReadPageFile(*next.page, next.fileName, nullptr, kReadingForShow);
      if (!next.page->BackgroundHolder().IsEmpty()) {
        TBitmap decoded;
        next.page->BackgroundHolder().CopyToBitmap(decoded);
      }
    } catch (...) {
      const std::optional<std::string> message = FailureMessage(std::current_exception());
      if (message) ShowMessage(QString::fromStdString(*message));
      return false;
    }
    // A picture of the page that can't be shown says so in the status line.
    next.pictures =
        std::make_unique<TPageViewPictures>(*next.page, [this](std::exception_ptr failure) {
          const std::optional<std::string> message = FailureMessage(failure);
          if (!message) return;
          QMetaObject::invokeMethod(
              this, [this, text = QString::fromStdString(*message)] { ShowMessage(text); },
              Qt::QueuedConnection);
        });
  }
  // The new page's pictures take the place of the old ones before these go.
  Display(next, false);
  shown_ = std::move(next);
  RefreshStatus();
  RefreshActions();
  return true;
}

void TReadingMode::Display(const Shown& shown, bool samePage) {
  const TPage& page = shown.page ? *shown.page : page_;
  TPageViewPictures& pictures = shown.pictures ? *shown.pictures : pictures_;
  canvas_->Show(pictures, LinksOf(shown, page), samePage);
  FitToWindow();
}

std::vector<TReadLink> TReadingMode::LinksOf(const Shown& shown, const TPage& page) const {
  const TPageOutline outline = OutlineOf({shown.number.value_or(0), shown.fileName}, page);
  std::vector<TReadLink> links;
  for (const TNumberedLink& numbered : outline.links) {
    if (!LinkIsDrawn(outline, numbered.record)) continue;
    TReadLink link{.number = numbered.number,
                   .record = numbered.record,
                   .area = outline.AreaOf(numbered.record),
                   .leads = shown.number && PageExists(numbered.record.LinkPage),
                   .name = {}};
    link.name = LinkName(link, shown.number.has_value());
    links.push_back(std::move(link));
  }
  return links;
}

QString TReadingMode::LinkName(const TReadLink& link, bool inDocument) const {
  const int32_t target = link.record.LinkPage;
  if (target == -1) return tr("リンク %1: 行き先がありません").arg(link.number);
  if (link.leads) return tr("リンク %1 → ページ %2").arg(link.number).arg(target);
  if (!inDocument) {
    return tr("リンク %1 → ページ %2: このページはドキュメントに属していません")
        .arg(link.number)
        .arg(target);
  }
  return tr("リンク %1 → ページ %2: このページはありません").arg(link.number).arg(target);
}

void TReadingMode::FollowLink(int32_t link) {
  if (!reading_) return;
  const TReadingLink* widget = canvas_->LinkWidget(link);
  if (widget == nullptr) return;
  const int32_t target = widget->Link().record.LinkPage;
  if (!shown_.number) {
    ShowMessage(tr("このページはどのドキュメントにも属していないため、リンクの行き先はありません"));
    return;
  }
  if (target == -1) {
    ShowMessage(tr("リンク %1 には行き先がありません").arg(link));
    return;
  }
  // The listing of the document's files is made again only when it lacks the page: a page
  // may have been written meanwhile.
  if (!PageExists(target)) RefreshDocument();
  if (!PageExists(target)) {
    ShowMessage(tr(kNoSuchPageMessage).arg(target));
    return;
  }
  GoTo(target);
}

void TReadingMode::GoTo(int32_t page) {
  const std::optional<int32_t> from = shown_.number;
  if (!ShowPage(page)) return;
  if (from) back_.push_back(*from);
  forward_.clear();
  RefreshActions();
}

void TReadingMode::Step(std::vector<int32_t>& from, std::vector<int32_t>& to) {
  if (!reading_ || from.empty() || !shown_.number) return;
  const int32_t left = *shown_.number;
  if (!ShowPage(from.back())) return;
  from.pop_back();
  to.push_back(left);
  RefreshActions();
}

void TReadingMode::Back() { Step(back_, forward_); }

void TReadingMode::Forward() { Step(forward_, back_); }

void TReadingMode::EditShownPage() {
  if (!reading_) return;
  if (ShowsEditedPage()) {
    Leave();
    return;
  }
  if (!opener_) return;
  // Reading ends when the opened page replaces the editor's; a cancelled opening reads on.
  if (opener_(*shown_.number)) Leave();
}

// What the editor's page tells while it is shown.

void TReadingMode::Redisplay() {
  Display(shown_, true);
  RefreshStatus();
}

void TReadingMode::SlotChanged(int32_t) {
  if (ShowsEditedPage()) Redisplay();
}

void TReadingMode::BackgroundChanged() {
  if (ShowsEditedPage()) Redisplay();
}

void TReadingMode::LinkChanged(int32_t) {
  if (ShowsEditedPage()) Redisplay();
}

void TReadingMode::PageReplaced() {
  // Another page is being edited now: editing takes over.
  Leave();
}

// The window.

void TReadingMode::FitToWindow() {
  // A page larger than the window is made smaller to fit; a smaller one shows at its own size,
  // each page pixel on a screen pixel, as nearest-neighbour enlarging by an uneven factor would
  // double some rows and columns and not others.
  const int fit = ZoomToFit(canvas_->PageSize(), area_->maximumViewportSize());
  canvas_->SetZoom(std::min(fit, kActualSizeZoom));
}

void TReadingMode::RefreshActions() {
  {
    const QSignalBlocker quiet(readAction_);
    readAction_->setChecked(reading_);
  }
  backAction_->setEnabled(reading_ && !back_.empty());
  forwardAction_->setEnabled(reading_ && !forward_.empty());
  editAction_->setEnabled(reading_);
  leaveAction_->setEnabled(reading_);
}

QString TReadingMode::StatusText() const {
  if (!reading_) return {};
  QString text = tr(kReadingStatus).arg(PageNameOf(shown_.fileName, shown_.number));
  if (ShowsEditedPage()) {
    text += edited_ && edited_->Modified() ? tr(" — 編集中のページ (保存していない変更を含む)")
                                           : tr(" — 編集中のページ");
  }
  if (!shown_.number) {
    text += tr(" — どのドキュメントにも属していないため、リンクの行き先はありません");
  }
  const TPage& shownPage = shown_.page ? *shown_.page : page_;
  if (!shownPage.HoldersFreed() && shownPage.BackgroundHolder().IsEmpty()) {
    text += tr(" — 背景がないため、リンクは表示されません");
  }
  return text;
}

void TReadingMode::RefreshStatus() {
  // The status line's message: unlike a label's text, it changes without laying out the window.
  if (reading_) view_.statusBar()->showMessage(StatusText());
}

void TReadingMode::ShowMessage(const QString& text) { view_.ShowMessage(text); }

}  // namespace pm
