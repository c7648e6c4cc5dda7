// TSiteProgressBox: the box that shows how far the writing of a web site has come ("ページ 3 / 40
// を書き出しています…", a bar, then "地図を描いています…" once every page is written) with its
// "キャンセル" button. It is modal to the window that it belongs to only: the other windows of
// the editor go on working. Cancelling (the button, Esc or closing the box) asks the writing to
// stop; the box stays until the writing has ended, and the owner closes it then.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace pm {

inline constexpr const char* kSiteProgressTitle =
    QT_TRANSLATE_NOOP("pm::TSiteProgressBox", "Webサイトとして書き出す");
inline constexpr const char* kPagesProgressText =
    QT_TRANSLATE_NOOP("pm::TSiteProgressBox", "ページ %1 / %2 を書き出しています…");
inline constexpr const char* kMapProgressText =
    QT_TRANSLATE_NOOP("pm::TSiteProgressBox", "地図を描いています…");
inline constexpr const char* kCancellingText =
    QT_TRANSLATE_NOOP("pm::TSiteProgressBox", "キャンセルしています…");
inline constexpr const char* kCancelButtonText =
    QT_TRANSLATE_NOOP("pm::TSiteProgressBox", "キャンセル");

class TSiteProgressBox : public QDialog {
  Q_OBJECT

 public:
  explicit TSiteProgressBox(QWidget* owner);

  // Shows the box for a new writing into `folder`, with nothing written yet.
  void Begin(const QString& folder);
  // Pages written of the pages in all.
  void ShowProgress(int pagesDone, int pagesInAll);
  // Closes the box: the writing has ended.
  void End();

  QString Text() const;
  QPushButton* CancelButton() const { return cancel_; }
  QProgressBar* Bar() const { return bar_; }
  bool CancelRequested() const { return cancelRequested_; }

 signals:
  // The person asked to stop the writing (once a writing).
  void Cancel();

 public slots:
  // Esc and the window's close button cancel too.
  void reject() override;

 private:
  void RequestCancel();

  QLabel* folder_;
  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelRequested_ = false;
};

}  // namespace pm
