// TPageViewOpener: how the main window opens its page view, installed on the window without
// changing any of its controls. A double-click on either image box, Ctrl+L anywhere in the
// window, or "ページ表示を開く" in the context menu of its panels and image boxes opens the page
// view, or brings it to the front. The window owns one page view; it is made at the first
// opening, keeps its place while the program runs and closes with the window.
#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

class QAction;

namespace pm {

class TForm1;
class TPageView;

inline constexpr const char* kOpenPageViewCaption = "ページ表示を開く\tCtrl+L";
inline constexpr const char* kImageBoxToolTip = "ダブルクリックでページ表示を開きます (Ctrl+L)";

class TPageViewOpener : public QObject {
 public:
  explicit TPageViewOpener(TForm1& window);
  ~TPageViewOpener() override;

  void Open();
  // The page view, or nullptr before its first opening.
  TPageView* View() const { return view_.get(); }
  QAction* OpenAction() const { return openAction_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowContextMenu(QPoint globalPosition);
  // Opens page N of the edited page's document for editing, as the lower "読み込み" loads it,
  // after the question about unsaved changes; false when the person stayed.
  bool OpenDocumentPage(int32_t page);

  TForm1& window_;
  QAction* openAction_;
  std::unique_ptr<TPageView> view_;
};

}  // namespace pm
