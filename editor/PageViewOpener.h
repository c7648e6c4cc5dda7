// TPageViewOpener: how the main window opens its page view, installed on the window without
// changing any of its controls. A double-click on either image box, Ctrl+L anywhere in the
// window, or "ページ表示を開く" in the context menu of its panels and image boxes opens the page
// view, or brings it to the front. The window owns one page view; it is made at the first
// opening, keeps its place while the program runs and closes with the window.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;

namespace pm {

class TForm1;
class TPageView;

inline constexpr const char* kOpenPageViewCaption =
    QT_TRANSLATE_NOOP("TPageViewOpener", "ページ表示を開く\tCtrl+L");
inline constexpr const char* kImageBoxToolTip =
    QT_TRANSLATE_NOOP("TPageViewOpener", "ダブルクリックでページ表示を開きます (Ctrl+L)");

class TPageViewOpener : public QObject {
 public:
  explicit TPageViewOpener(TForm1& window);
  ~TPageViewOpener() override;

  void Open();
  // The page view, or nullptr before its first opening.
  TPageView* View() const { return view_.get(); }
  QAction* OpenAction() const { return openAction_; }

  // Runs `setup` on the page view once it exists: at once, or at its first opening. Others add
  // their own commands to the page view this way.
  void WhenViewMade(std::function<void(TPageView&)> setup);
  // Adds a command to the context menu, after the page view's own.
  void AddContextMenuAction(QAction* action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowContextMenu(QPoint globalPosition);

  TForm1& window_;
  QAction* openAction_;
  std::vector<std::function<void(TPageView&)>> viewSetups_;
  std::vector<QPointer<QAction>> menuActions_;
  std::unique_ptr<TPageView> view_;
};

}  // namespace pm
