#include "editor/document/DocumentWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/ProgramIcon.h"
#include "editor/ScreenPlacement.h"
#include "editor/document/DocumentMap.h"
#include "editor/document/DocumentReader.h"
#include "editor/document/FindingText.h"
#include "editor/document/PageNavigator.h"

namespace pm {

namespace {

// The page number of a row of either list, and the link of a finding (-1: none).
constexpr int kPageRole = Qt::UserRole;
constexpr int kLinkRole = Qt::UserRole + 1;

constexpr QSize kFirstSize(1100, 760);
constexpr int kMessageMilliseconds = 6000;
constexpr double kScreenShare = 0.85;
constexpr double kZoomStep = 1.25;
constexpr int kMapShare = 4;    // of the width, against the page list's 1
constexpr int kPagesShare = 3;  // of the height, against the findings' 1

QString BaseName(const std::string& fileName) {
  return QString::fromStdString(std::filesystem::path(fileName).filename().string());
}

// A list with a caption above it; the list's accessible name is the caption.
QWidget* Captioned(const QString& caption, QListWidget* list) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  auto* label = new QLabel(caption, box);
  label->setBuddy(list);
  layout->addWidget(label);
  layout->addWidget(list, 1);
  list->setAccessibleName(caption);
  return box;
}

}  // namespace

TDocumentWindow::TDocumentWindow(TEditedPage& edited, TPageNavigator& navigator,
                                 QAction* saveAction)
    : edited_(edited), navigator_(navigator), reader_(new TDocumentReader(this)) {
  setObjectName("DocumentWindow");
  setWindowIcon(ProgramIcon());
  setAttribute(Qt::WA_QuitOnClose, false);
  CreatePanes();
  CreateActions(saveAction);
  statusLabel_ = new QLabel(this);
  statusBar()->addWidget(statusLabel_, 1);

  connect(reader_, &TDocumentReader::Progress, this, [this](int done, int total) {
    statusLabel_->setText(tr("読み込み中… %1 / %2 ページ").arg(done).arg(total));
  });
  connect(reader_, &TDocumentReader::Finished, this,
          [this](std::shared_ptr<const TDocumentSnapshot> snapshot) {
            RunGuarded([&] { ShowSnapshot(std::move(snapshot)); });
          });
  connect(reader_, &TDocumentReader::Failed, this,
          [this](const QString& message) { RunGuarded([&] { ShowFailure(message); }); });
  connect(&navigator_, &TPageNavigator::Message, this, [this](const QString& text) {
    if (isActiveWindow()) statusBar()->showMessage(text, kMessageMilliseconds);
  });
  connect(&edited_, &TEditedPage::Changed, this, Guarded([this] { FollowEditedPage(); }));
  connect(&edited_, &TEditedPage::PageSaved, this, Guarded([this] {
    stale_ = true;
    ReadWhenShown();
  }));
  FollowEditedPage();
}

TDocumentWindow::~TDocumentWindow() = default;

void TDocumentWindow::CreatePanes() {
  map_ = new TDocumentMap;
  pageList_ = new QListWidget;
  pageList_->setObjectName("PageList");
  findings_ = new QListWidget;
  findings_->setObjectName("Findings");
  findings_->setWordWrap(true);

  auto* pagesAndMap = new QSplitter(Qt::Horizontal);
  pagesAndMap->addWidget(map_);
  pagesAndMap->addWidget(Captioned(tr(kPageListName), pageList_));
  pagesAndMap->setStretchFactor(0, kMapShare);
  pagesAndMap->setStretchFactor(1, 1);
  // The parts start in their shares too, not in what their contents would like.
  pagesAndMap->setSizes({kMapShare * kFirstSize.width(), kFirstSize.width()});
  auto* content = new QSplitter(Qt::Vertical);
  content->addWidget(pagesAndMap);
  content->addWidget(Captioned(tr(kFindingsName), findings_));
  content->setStretchFactor(0, kPagesShare);
  content->setStretchFactor(1, 1);
  content->setSizes({kPagesShare * kFirstSize.height(), kFirstSize.height()});

  notice_ = new QLabel;
  notice_->setObjectName("DocumentNotice");
  notice_->setWordWrap(true);
  notice_->setAlignment(Qt::AlignCenter);
  notice_->setMargin(40);
  stack_ = new QStackedWidget(this);
  stack_->addWidget(content);
  stack_->addWidget(notice_);
  setCentralWidget(stack_);

  connect(map_, &TDocumentMap::PageSelected, this,
          [this](int32_t number) { RunGuarded([&] { SelectPage(number); }); });
  connect(map_, &TDocumentMap::PageActivated, this,
          [this](int32_t number) { RunGuarded([&] { navigator_.OpenPage(number); }); });
  connect(pageList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) RunGuarded([&] { SelectPage(item->data(kPageRole).toInt()); });
  });
  connect(pageList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { RunGuarded([&] { OpenFromList(item); }); });
  connect(findings_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item && item->data(kPageRole).isValid()) {
      RunGuarded([&] { SelectPage(item->data(kPageRole).toInt()); });
    }
  });
  connect(findings_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { RunGuarded([&] { OpenFromFindings(item); }); });
}

void TDocumentWindow::CreateActions(QAction* saveAction) {
  auto* reread = new QAction(tr("再読み込み"), this);
  reread->setShortcut(QKeySequence(Qt::Key_F5));
  connect(reread, &QAction::triggered, this, Guarded([this] { Reread(); }));
  auto* zoomIn = new QAction(tr("拡大"), this);
  zoomIn->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this,
          Guarded([this] { map_->SetZoom(map_->Zoom() * kZoomStep); }));
  auto* zoomOut = new QAction(tr("縮小"), this);
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(zoomOut, &QAction::triggered, this,
          Guarded([this] { map_->SetZoom(map_->Zoom() / kZoomStep); }));
  auto* actualSize = new QAction(tr("100 %"), this);
  actualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(actualSize, &QAction::triggered, this, Guarded([this] { map_->SetZoom(1); }));
  auto* fit = new QAction(tr("ウィンドウに合わせる"), this);
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
  connect(fit, &QAction::triggered, this, Guarded([this] { map_->ZoomToFit(); }));

  fileMenu_ = menuBar()->addMenu(tr("ファイル(&F)"));
  if (saveAction) fileMenu_->addAction(saveAction);
  afterFileActions_ = fileMenu_->addSeparator();
  fileMenu_->addAction(reread);
  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  view->addActions({zoomIn, zoomOut, actualSize, fit});

  QToolBar* tools = addToolBar(tr("ツール"));
  tools->setObjectName("DocumentTools");
  tools->setMovable(false);
  tools->addAction(reread);
  tools->addSeparator();
  tools->addActions({zoomOut, zoomIn, actualSize, fit});
}

std::string TDocumentWindow::Pattern() const {
  const std::optional<TDocumentPlace>& place = edited_.Place();
  return place ? place->pattern : std::string();
}

bool TDocumentWindow::Reading() const { return reader_->Busy(); }

QString TDocumentWindow::NoticeText() const { return notice_->text(); }

bool TDocumentWindow::NoticeShown() const { return stack_->currentWidget() == notice_; }

void TDocumentWindow::Open() {
  if (!isVisible()) {
    if (!placement_.isEmpty()) {
      restoreGeometry(placement_);
    } else {
      const QScreen* screen = QGuiApplication::primaryScreen();
      const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
      const QSize most(static_cast<int>(available.width() * kScreenShare),
                       static_cast<int>(available.height() * kScreenShare));
      resize(kFirstSize.boundedTo(most));
      move(PlaceOnScreen(available, frameGeometry().size()));
    }
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
  if (stale_) StartReading();
}

void TDocumentWindow::Reread() { StartReading(); }

void TDocumentWindow::AddFileAction(QAction* action) {
  fileMenu_->insertAction(afterFileActions_, action);
}

void TDocumentWindow::closeEvent(QCloseEvent* event) {
  placement_ = saveGeometry();
  event->accept();
}

bool TDocumentWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) RunGuarded([this] { CheckDisk(); });
  return QMainWindow::event(event);
}

// Following the edited page.

void TDocumentWindow::FollowEditedPage() {
  RefreshTitle();
  if (Pattern() != shownPattern_) {
    stale_ = true;
    ReadWhenShown();
  }
  ShowCurrentPage();
}

void TDocumentWindow::RefreshTitle() {
  QString title = tr("ドキュメント");
  const std::string pattern = Pattern();
  if (!pattern.empty()) title += tr(" — %1").arg(QString::fromStdString(pattern));
  setWindowTitle(title + "[*]");
  setWindowModified(edited_.Modified());
}

void TDocumentWindow::CheckDisk() {
  if (shownPattern_.empty() || reader_->Busy() || !isVisible()) return;
  if (DocumentFileStateOf(shownPattern_) != diskState_) StartReading();
}

// Reading.

void TDocumentWindow::ReadWhenShown() {
  if (isVisible()) StartReading();
}

void TDocumentWindow::StartReading() {
  shownPattern_ = Pattern();
  stale_ = false;
  if (shownPattern_.empty()) {
    reader_->Cancel();
    snapshot_.reset();
    diskState_ = {};
    statusLabel_->clear();
    ShowNotice(tr(kNoDocumentNotice));
    emit DocumentShown();
    return;
  }
  diskState_ = DocumentFileStateOf(shownPattern_);
  statusLabel_->setText(tr("読み込み中…"));
  reader_->Start(shownPattern_);
}

void TDocumentWindow::ShowSnapshot(std::shared_ptr<const TDocumentSnapshot> snapshot) {
  if (!snapshot) return;
  snapshot_ = std::move(snapshot);
  stack_->setCurrentIndex(0);
  map_->Show(snapshot_);
  FillPageList();
  FillFindings();
  ShowCurrentPage();
  statusLabel_->setText(tr("%1 ページ、問題 %2 件")
                            .arg(snapshot_->document.Pages().size())
                            .arg(snapshot_->overview.findings.size()));
  emit DocumentShown();
}

void TDocumentWindow::ShowFailure(const QString& message) {
  snapshot_.reset();
  statusLabel_->clear();
  if (diskState_.files.empty()) {
    ShowNotice(tr("ドキュメント %1 にはまだページファイルがありません。ページを保存すると、ここに"
                  "表示されます。")
                   .arg(QString::fromStdString(shownPattern_)));
  } else {
    ShowNotice(tr("ドキュメントを読み込めません: %1").arg(message));
  }
  emit DocumentShown();
}

void TDocumentWindow::ShowNotice(const QString& text) {
  notice_->setText(text);
  stack_->setCurrentWidget(notice_);
}

void TDocumentWindow::FillPageList() {
  const QSignalBlocker quiet(pageList_);
  pageList_->clear();
  for (const TDocumentPageFile& page : snapshot_->document.Pages()) {
    QString text = tr("ページ %1  %2").arg(page.number).arg(BaseName(page.fileName));
    auto* item = new QListWidgetItem(pageList_);
    item->setData(kPageRole, page.number);
    const TPageCard* card = snapshot_->overview.Card(page.number);
    if (card && card->findings > 0) {
      text = tr("%1  ⚠", "the row of a page with findings").arg(text);
      item->setToolTip(tr("問題 %1 件").arg(card->findings));
    }
    item->setText(text);
  }
}

void TDocumentWindow::FillFindings() {
  const QSignalBlocker quiet(findings_);
  findings_->clear();
  for (const TFinding& finding : snapshot_->overview.findings) {
    auto* item = new QListWidgetItem(FindingText(finding), findings_);
    item->setData(kPageRole, finding.page);
    item->setData(kLinkRole, finding.link.value_or(-1));
  }
  if (findings_->count() == 0) {
    auto* item = new QListWidgetItem(tr("問題はありません"), findings_);
    item->setFlags(Qt::NoItemFlags);
  }
}

void TDocumentWindow::ShowCurrentPage() {
  std::optional<int32_t> current;
  const std::optional<TDocumentPlace>& place = edited_.Place();
  if (place && snapshot_ && place->pattern == shownPattern_) current = place->number;
  map_->SetCurrentPage(current);
  for (int row = 0; row < pageList_->count(); ++row) {
    QListWidgetItem* item = pageList_->item(row);
    QFont font = pageList_->font();
    font.setBold(current && item->data(kPageRole).toInt() == *current);
    item->setFont(font);
  }
}

// Selecting and opening.

void TDocumentWindow::SelectPage(std::optional<int32_t> number) {
  if (selecting_) return;
  selecting_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{selecting_};
  map_->SelectPage(number);
  const QSignalBlocker quiet(pageList_);
  QListWidgetItem* row = nullptr;
  for (int i = 0; i < pageList_->count(); ++i) {
    if (number && pageList_->item(i)->data(kPageRole).toInt() == *number) row = pageList_->item(i);
  }
  pageList_->setCurrentItem(row);
}

void TDocumentWindow::OpenFromList(QListWidgetItem* item) {
  if (item) navigator_.OpenPage(item->data(kPageRole).toInt());
}

void TDocumentWindow::OpenFromFindings(QListWidgetItem* item) {
  if (!item || !item->data(kPageRole).isValid()) return;
  const int link = item->data(kLinkRole).toInt();
  navigator_.OpenPage(item->data(kPageRole).toInt(),
                      link >= 0 ? std::optional<int32_t>(link) : std::nullopt);
}

}  // namespace pm
