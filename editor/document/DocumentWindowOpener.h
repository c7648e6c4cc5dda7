// TDocumentWindowOpener: how the main window opens its document window, installed on the window
// without changing any of its controls. Ctrl+D in the main window or the page view, or
// "ドキュメントを開く" in the main window's context menu or the page view's menu, opens the
// document window or brings it to the front. It also gives the page view its commands for the
// links between pages (PageViewLinks.h) and owns the navigator that moves between pages.
#pragma once

#include <QObject>
#include <memory>

class QAction;

namespace pm {

class TDocumentWindow;
class TForm1;
class TPageNavigator;
class TPageViewLinks;
class TSitePublisher;

inline constexpr const char* kOpenDocumentCaption =
    QT_TRANSLATE_NOOP("pm::TDocumentWindowOpener", "ドキュメントを開く\tCtrl+D");

class TDocumentWindowOpener : public QObject {
  Q_OBJECT

 public:
  explicit TDocumentWindowOpener(TForm1& window);
  ~TDocumentWindowOpener() override;
  TDocumentWindowOpener(const TDocumentWindowOpener&) = delete;
  TDocumentWindowOpener& operator=(const TDocumentWindowOpener&) = delete;

  void Open();
  // The document window, or nullptr before its first opening.
  TDocumentWindow* Window() const { return documentWindow_.get(); }
  TPageNavigator& Navigator() const { return *navigator_; }
  // The page view's link commands, or nullptr before the page view's first opening.
  TPageViewLinks* PageViewLinks() const { return pageViewLinks_; }
  QAction* OpenAction() const { return openAction_; }
  // The document window's publishing as a web site, or nullptr before its first opening.
  TSitePublisher* Publisher() const { return publisher_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TForm1& window_;
  QAction* openAction_;
  std::unique_ptr<TPageNavigator> navigator_;
  TPageViewLinks* pageViewLinks_ = nullptr;  // owned by the page view
  std::unique_ptr<TDocumentWindow> documentWindow_;
  TSitePublisher* publisher_ = nullptr;  // owned by the document window
};

}  // namespace pm
