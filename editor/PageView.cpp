#include "editor/PageView.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/ProgramIcon.h"
#include "editor/ScreenPlacement.h"
#include "editor/reading/ReadingMode.h"

namespace pm {

namespace {

constexpr int kMessageMilliseconds = 6000;
// At its first opening the window takes the page's size, within this share of the screen and
// no smaller than the least size.
constexpr double kScreenShare = 0.8;
constexpr QSize kLeastWindowSize(480, 360);
constexpr QSize kWindowChrome(40, 120);  // menu, tool bar, status line and scroll bars

QString Text(const char* source) { return QCoreApplication::translate("TPageView", source); }

// While one lives, the page's notices come from this view's own changes.
class OwnChange {
 public:
  explicit OwnChange(int& count) : count_(count) { ++count_; }
  ~OwnChange() { --count_; }
  OwnChange(const OwnChange&) = delete;
  OwnChange& operator=(const OwnChange&) = delete;

 private:
  int& count_;
};

}  // namespace

QString LinkStatusText(int32_t link, const TLinkRecord& record) {
  QString text = Text(QT_TRANSLATE_NOOP("TPageView", "リンク %1: ")).arg(link);
  if (record.HasRectangle()) {
    const int64_t width = int64_t{record.Right} - record.Left;
    const int64_t height = int64_t{record.Bottom} - record.Top;
    text += Text(QT_TRANSLATE_NOOP("TPageView", "左 %1, 上 %2, 右 %3, 下 %4 (%5 × %6)"))
                .arg(record.Left)
                .arg(record.Top)
                .arg(record.Right)
                .arg(record.Bottom)
                .arg(width)
                .arg(height);
  } else {
    text += Text(QT_TRANSLATE_NOOP("TPageView", "矩形なし"));
  }
  return text + Text(QT_TRANSLATE_NOOP("TPageView", ", リンクページ %1, スロット %2"))
                    .arg(record.LinkPage)
                    .arg(record.Bitmap);
}

TPageView::TPageView(TPage& page)
    : page_(page),
      pictures_(page),
      scrollArea_(new QScrollArea(this)),
      canvas_(new TPageCanvas(page, pictures_, history_, *this)) {
  setObjectName("PageView");
  setWindowTitle(Text(kPageViewTitle));
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_QuitOnClose, false);

  scrollArea_->setObjectName("PageScrollArea");
  scrollArea_->setBackgroundRole(QPalette::Dark);
  scrollArea_->setWidgetResizable(false);
  scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollArea_->setWidget(canvas_);
  setCentralWidget(scrollArea_);

  CreateActions();
  CreateStatusLine();
  canvas_->SetListeners({
      .pointerMoved = [this](std::optional<TPagePoint> point) { ShowPointer(point); },
      .draggedLinkChanged = [this] { RefreshStatus(); },
      .message = [this](const QString& text) { ShowMessage(text); },
      .wheelZoom =
          [this](QPointF anchor, int steps) {
            int zoom = Zoom();
            for (int i = 0; i < std::abs(steps); ++i) {
              zoom = steps > 0 ? NextZoomIn(zoom) : NextZoomOut(zoom);
            }
            ZoomAround(zoom, anchor);
          },
  });
  page_.AddListener(this);
  RefreshStatus();
  reading_ = std::make_unique<TReadingMode>(*this, page_, pictures_);
}

TPageView::~TPageView() {
  page_.RemoveListener(this);
  // The drawing area goes first, while the pictures and the history that it uses are still here.
  delete takeCentralWidget();
}

void TPageView::CreateActions() {
  undoAction_ = history_.createUndoAction(this, Text(QT_TRANSLATE_NOOP("TPageView", "元に戻す")));
  undoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  redoAction_ = history_.createRedoAction(this, Text(QT_TRANSLATE_NOOP("TPageView", "やり直し")));
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  for (QAction* action : {undoAction_, redoAction_}) {
    // An undone step changes the page under a drag: the drag ends, and so does a run of nudges.
    connect(action, &QAction::triggered, this, [this] {
      canvas_->CancelDrag();
      canvas_->EndNudgeRun();
    });
  }
  deleteAction_ = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "削除")), this);
  deleteAction_->setShortcut(QKeySequence(Qt::Key_Delete));
  connect(deleteAction_, &QAction::triggered, this, Guarded([this] {
            canvas_->CancelDrag();
            canvas_->Submit(TLinkEditKind::Delete, page_.CurrentLink(), TLinkRecord());
          }));

  auto* zoomIn = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "拡大")), this);
  zoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this, Guarded([this] { ZoomIn(); }));
  auto* zoomOut = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "縮小")), this);
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(zoomOut, &QAction::triggered, this, Guarded([this] { ZoomOut(); }));
  auto* actualSize = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "100 %")), this);
  actualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(actualSize, &QAction::triggered, this, Guarded([this] { SetZoom(kActualSizeZoom); }));
  auto* fit = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "ウィンドウに合わせる")), this);
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
  connect(fit, &QAction::triggered, this, Guarded([this] { ZoomToFit(); }));
  slotPicturesAction_ = new QAction(Text(QT_TRANSLATE_NOOP("TPageView", "スロット画像")), this);
  slotPicturesAction_->setCheckable(true);
  slotPicturesAction_->setChecked(true);
  connect(slotPicturesAction_, &QAction::toggled, this,
          [this](bool shown) { canvas_->SetSlotPicturesShown(shown); });

  fileMenu_ = menuBar()->addMenu(Text(QT_TRANSLATE_NOOP("TPageView", "ファイル(&F)")));
  QMenu* edit = menuBar()->addMenu(Text(QT_TRANSLATE_NOOP("TPageView", "編集(&E)")));
  edit->addActions({undoAction_, redoAction_});
  edit->addSeparator();
  edit->addAction(deleteAction_);
  QMenu* view = menuBar()->addMenu(Text(QT_TRANSLATE_NOOP("TPageView", "表示(&V)")));
  view->addActions({zoomIn, zoomOut, actualSize, fit});
  view->addSeparator();
  view->addAction(slotPicturesAction_);

  QToolBar* tools = addToolBar(Text(QT_TRANSLATE_NOOP("TPageView", "ツール")));
  tools->setObjectName("PageViewTools");
  tools->setMovable(false);
  tools->addActions({slotPicturesAction_});
  tools->addSeparator();
  tools->addActions({zoomOut, zoomIn, actualSize, fit});
  tools->addSeparator();
  tools->addActions({undoAction_, redoAction_});
}

void TPageView::FollowEditedPage(TEditedPage& edited) {
  edited_ = &edited;
  connect(&edited, &TEditedPage::Changed, this, [this] { RefreshTitle(); });
  RefreshTitle();
  reading_->FollowEditedPage(edited);
}

void TPageView::RefreshTitle() {
  QString title = Text(kPageViewTitle);
  if (edited_ && !edited_->FileName().empty()) {
    title += " — " +
             QString::fromStdString(std::filesystem::path(edited_->FileName()).filename().string());
  }
  setWindowTitle(title + "[*]");
  setWindowModified(edited_ && edited_->Modified());
}

void TPageView::CreateStatusLine() {
  pointerLabel_ = new QLabel(this);
  pointerLabel_->setMinimumWidth(fontMetrics().horizontalAdvance("-0000000, -0000000"));
  linkLabel_ = new QLabel(this);
  zoomLabel_ = new QLabel(this);
  statusBar()->addWidget(pointerLabel_);
  statusBar()->addWidget(linkLabel_, 1);
  statusBar()->addPermanentWidget(zoomLabel_);
}

void TPageView::Open() {
  if (isVisible()) {
    // Already open: only to the front, where the author has put it.
  } else if (!placement_.isEmpty()) {
    restoreGeometry(placement_);
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize wanted = canvas_->size() + kWindowChrome;
    const QSize most(static_cast<int>(available.width() * kScreenShare),
                     static_cast<int>(available.height() * kScreenShare));
    resize(wanted.boundedTo(most).expandedTo(kLeastWindowSize));
    move(PlaceOnScreen(available, frameGeometry().size()));
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  canvas_->setFocus(Qt::ActiveWindowFocusReason);
}

void TPageView::closeEvent(QCloseEvent* event) {
  canvas_->CancelDrag();
  placement_ = saveGeometry();
  event->accept();
}

// Zoom.

void TPageView::SetZoom(int zoom) {
  const QSize viewport = scrollArea_->viewport()->size();
  const QPointF centre = canvas_->mapFrom(scrollArea_->viewport(),
                                          QPointF(viewport.width() / 2.0, viewport.height() / 2.0));
  ZoomAround(zoom, centre);
}

void TPageView::ZoomAround(int zoom, QPointF anchor) {
  const double before = canvas_->Transform().Scale();
  const QPointF inViewport = canvas_->mapTo(scrollArea_->viewport(), anchor);
  canvas_->SetZoom(zoom);
  const double after = canvas_->Transform().Scale();
  const QPointF moved = anchor * (after / before);
  scrollArea_->horizontalScrollBar()->setValue(
      static_cast<int>(std::lround(moved.x() - inViewport.x())));
  scrollArea_->verticalScrollBar()->setValue(
      static_cast<int>(std::lround(moved.y() - inViewport.y())));
  RefreshStatus();
}

void TPageView::ZoomIn() { SetZoom(NextZoomIn(Zoom())); }

void TPageView::ZoomOut() { SetZoom(NextZoomOut(Zoom())); }

void TPageView::ZoomToFit() {
  SetZoom(pm::ZoomToFit(canvas_->PageSize(), scrollArea_->viewport()->size()));
}

// The status line.

QString TPageView::PointerText() const {
  return pointer_ ? QString("%1, %2").arg(pointer_->x).arg(pointer_->y) : QString();
}

QString TPageView::LinkText() const {
  const int32_t link = canvas_->HighlightedLink();
  return LinkStatusText(link, canvas_->ShownLink(link));
}

QString TPageView::ZoomText() const { return QString("%1 %").arg(Zoom()); }

void TPageView::ShowPointer(std::optional<TPagePoint> point) {
  pointer_ = point;
  pointerLabel_->setText(PointerText());
}

void TPageView::RefreshStatus() {
  pointerLabel_->setText(PointerText());
  linkLabel_->setText(LinkText());
  zoomLabel_->setText(ZoomText());
}

void TPageView::ShowMessage(const QString& text) {
  statusBar()->showMessage(text, kMessageMilliseconds);
}

void TPageView::ShowEditingStatus(bool shown) {
  for (QLabel* label : {pointerLabel_, linkLabel_, zoomLabel_}) label->setVisible(shown);
}

// What the page tells.

void TPageView::ChangedElsewhere() {
  canvas_->CancelDrag();
  canvas_->EndNudgeRun();
}

void TPageView::SlotChanged(int32_t slot) {
  pictures_.SlotChanged(slot);
  canvas_->update();
}

void TPageView::BackgroundChanged() {
  pictures_.BackgroundChanged();
  canvas_->PageSizeChanged();
}

void TPageView::LinkChanged(int32_t) {
  if (ownChanges_ == 0) ChangedElsewhere();
  canvas_->update();
  RefreshStatus();
}

void TPageView::LinkSelected(int32_t) {
  if (ownChanges_ == 0) ChangedElsewhere();
  canvas_->update();
  RefreshStatus();
}

void TPageView::PageReplaced() {
  history_.clear();
  pictures_.PageReplaced();
  ChangedElsewhere();
  canvas_->PageSizeChanged();
  RefreshStatus();
}

// The changes made here.

const TLinkRecord& TPageView::StoredLink(int32_t link) const { return page_.Link(link); }

void TPageView::SelectLink(int32_t link) {
  const OwnChange own(ownChanges_);
  page_.SelectLink(link);
}

void TPageView::StoreLink(int32_t link, const TLinkRecord& record) {
  const OwnChange own(ownChanges_);
  page_.SelectLink(link);
  if (record == TLinkRecord()) {
    page_.ClearLink(link);
  } else {
    page_.SetLink(link, record);
  }
}

void TPageView::StepDropped(int32_t link) {
  ShowMessage(
      Text(QT_TRANSLATE_NOOP("TPageView",
                             "リンク %1 はほかの場所で変更されたため、この手順は元に戻せません"))
          .arg(link));
}

}  // namespace pm
