#include "editor/PageViewOpener.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>

#include "editor/EditedPage.h"
#include "editor/EventGuard.h"
#include "editor/Form1.h"
#include "editor/PageFiles.h"
#include "editor/PageView.h"
#include "editor/reading/ReadingMode.h"
#include "page/DocumentPattern.h"

namespace pm {

TPageViewOpener::TPageViewOpener(TForm1& window) : window_(window), openAction_(new QAction(this)) {
  openAction_->setText(QString::fromUtf8(kOpenPageViewCaption));
  openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  openAction_->setShortcutContext(Qt::WindowShortcut);
  connect(openAction_, &QAction::triggered, this, Guarded([this] { Open(); }));
  window_.addAction(openAction_);

  for (QWidget* box :
       {static_cast<QWidget*>(window_.Image1), static_cast<QWidget*>(window_.Image2)}) {
    box->setToolTip(QString::fromUtf8(kImageBoxToolTip));
  }
  for (QObject* watched :
       std::initializer_list<QObject*>{&window_, window_.Panel1, window_.Panel2, window_.Panel3,
                                       window_.Image1, window_.Image2}) {
    watched->installEventFilter(this);
  }
}

TPageViewOpener::~TPageViewOpener() = default;

void TPageViewOpener::Open() {
  if (!view_) {
    view_ = std::make_unique<TPageView>(window_.Page());
    view_->FollowEditedPage(window_.EditedPage());
    view_->FileMenu()->addAction(window_.PageFiles().SaveAction());
    view_->Reading().SetPageOpener([this](int32_t page) { return OpenDocumentPage(page); });
  }
  view_->Open();
}

bool TPageViewOpener::OpenDocumentPage(int32_t page) {
  const auto& place = window_.EditedPage().Place();
  if (!place) return false;
  const std::string fileName = TDocumentPattern(place->pattern).FileName(page);
  if (!window_.PageFiles().MayLeavePage()) return false;
  window_.OpenPageFile(fileName);
  return true;
}

void TPageViewOpener::ShowContextMenu(QPoint globalPosition) {
  QMenu menu;
  menu.addAction(openAction_);
  menu.exec(globalPosition);
}

bool TPageViewOpener::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    // The page view closes with the window, before the window frees the page's pictures.
    if (event->type() == QEvent::Close && view_) view_->close();
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseButtonDblClick:
      if (watched == window_.Image1 || watched == window_.Image2) {
        RunGuarded([this] { Open(); });
        return true;
      }
      return false;
    case QEvent::ContextMenu:
      ShowContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    default:
      return false;
  }
}

}  // namespace pm
