#include "editor/document/DocumentWindowOpener.h"

#include "editor/reading/ReadingMode.h"

#include <QAction>

#include "editor/EventGuard.h"
#include "editor/Form1.h"
#include "editor/PageFiles.h"
#include "editor/PageView.h"
#include "editor/PageViewOpener.h"
#include "editor/document/DocumentWindow.h"
#include "editor/document/PageNavigator.h"
#include "editor/document/PageViewLinks.h"
#include "editor/publishing/SitePublisher.h"

namespace pm {

TDocumentWindowOpener::TDocumentWindowOpener(TForm1& window)
    : window_(window),
      openAction_(new QAction(this)),
      navigator_(std::make_unique<TPageNavigator>(window)) {
  openAction_->setText(tr(kOpenDocumentCaption));
  openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  openAction_->setShortcutContext(Qt::WindowShortcut);
  connect(openAction_, &QAction::triggered, this, Guarded([this] { Open(); }));
  window_.addAction(openAction_);
  window_.installEventFilter(this);

  TPageViewOpener& pageViewOpener = window_.PageViewOpener();
  pageViewOpener.AddContextMenuAction(openAction_);
  pageViewOpener.WhenViewMade([this](TPageView& view) {
    // "このページを編集" while reading opens the page shown as the map opens one.
    view.Reading().SetPageOpener([this](int32_t page) { return navigator_->OpenPage(page); });
    pageViewLinks_ = new TPageViewLinks(
        view, window_.EditedPage(), *navigator_, openAction_,
        // A window out of sight isn't read again after saves: what it shows may be old.
        [this] {
          return documentWindow_ && documentWindow_->isVisible() ? documentWindow_->Snapshot()
                                                                 : nullptr;
        });
    connect(pageViewLinks_, &QObject::destroyed, this, [this] { pageViewLinks_ = nullptr; });
  });
}

TDocumentWindowOpener::~TDocumentWindowOpener() {
  // The page view's commands use the navigator; they go with it.
  delete pageViewLinks_;
  documentWindow_.reset();
}

void TDocumentWindowOpener::Open() {
  if (!documentWindow_) {
    documentWindow_ = std::make_unique<TDocumentWindow>(window_.EditedPage(), *navigator_,
                                                        window_.PageFiles().SaveAction());
    documentWindow_->addAction(openAction_);
    publisher_ = new TSitePublisher(*documentWindow_, window_.EditedPage(), window_.PageFiles());
  }
  documentWindow_->Open();
}

bool TDocumentWindowOpener::eventFilter(QObject* watched, QEvent* event) {
  // The document window closes with the main window.
  if (watched == &window_ && event->type() == QEvent::Close && documentWindow_) {
    documentWindow_->close();
  }
  return false;
}

}  // namespace pm
