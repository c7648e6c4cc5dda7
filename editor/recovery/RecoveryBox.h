// The recovery box: at start, the list of unsaved changes that earlier editors left, each with
// "復元", "破棄" and "あとで". The program asks through the current instance, a dialog unless
// tests have installed one that answers from a script.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QEventLoop;
class QPushButton;
class QTreeWidget;

namespace pm {

inline constexpr const char* kRecoveryBoxTitle =
    QT_TRANSLATE_NOOP("TRecoveryDialog", "保存されていない変更があります");
inline constexpr const char* kRestoreAnswer = QT_TRANSLATE_NOOP("TRecoveryDialog", "復元");
inline constexpr const char* kDiscardAnswer = QT_TRANSLATE_NOOP("TRecoveryDialog", "破棄");
inline constexpr const char* kLaterAnswer = QT_TRANSLATE_NOOP("TRecoveryDialog", "あとで");

// One row: the page the changes belong to ("page3.pag", "ページ 3 (page3.pag)" or "新しいページ"),
// the folder of its file and when the changes were last written.
struct TRecoveryRow {
  QString page;
  QString folder;
  QString time;
};

enum class TRecoveryAction {
  Restore,  // the changes of the chosen row go into the editor
  Discard,  // the changes of the chosen row are removed for good
  Later,    // every row is kept for the next start; also the answer of a box closed otherwise
};

struct TRecoveryAnswer {
  TRecoveryAction action = TRecoveryAction::Later;
  size_t row = 0;
};

class RecoveryBox {
 public:
  virtual ~RecoveryBox() = default;

  // Shows the rows, modal to every window of the program, and returns the person's answer. The
  // box stays open until Close, so that a later Ask of the same offer shows the rows left.
  virtual TRecoveryAnswer Ask(const std::vector<TRecoveryRow>& rows) = 0;
  // The offer is over.
  virtual void Close() = 0;

  // The instance in use: the dialog unless another one has been installed.
  static RecoveryBox& Current();
  // Makes `box` current (nullptr puts the dialog back) and returns the one it replaces. The
  // caller keeps ownership of `box`.
  static RecoveryBox* Install(RecoveryBox* box);
};

// The dialog behind the box: the rows in a list, the first one chosen, and the three buttons;
// "復元" and "破棄" act on the chosen row.
class TRecoveryDialog : public QDialog {
 public:
  explicit TRecoveryDialog(QWidget* parent = nullptr);
  ~TRecoveryDialog() override;

  // Shows the rows and waits, processing events, for a button or the closing of the dialog.
  TRecoveryAnswer Ask(const std::vector<TRecoveryRow>& rows);

  QTreeWidget* List() const { return list_; }
  QPushButton* RestoreButton() const { return restoreButton_; }
  QPushButton* DiscardButton() const { return discardButton_; }
  QPushButton* LaterButton() const { return laterButton_; }

  void reject() override;

 private:
  void ShowRows(const std::vector<TRecoveryRow>& rows);
  void Answer(TRecoveryAction action);

  QTreeWidget* list_;
  QPushButton* restoreButton_;
  QPushButton* discardButton_;
  QPushButton* laterButton_;
  QEventLoop* waiting_ = nullptr;
  TRecoveryAnswer answer_;
};

}  // namespace pm
