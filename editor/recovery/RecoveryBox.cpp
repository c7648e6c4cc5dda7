#include "editor/recovery/RecoveryBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/EventGuard.h"

namespace pm {

namespace {

constexpr const char* kContext = "TRecoveryDialog";
constexpr const char* kExplanation = QT_TRANSLATE_NOOP(
    "TRecoveryDialog",
    "次のページの変更は、エディタが終わったときに保存されていませんでした。ページを選んで「復元」"
    "を押すと、その変更を編集できます。「あとで」を押すと、次に起動したときにもう一度表示します。");
constexpr const char* kPageColumn = QT_TRANSLATE_NOOP("TRecoveryDialog", "ページ");
constexpr const char* kFolderColumn = QT_TRANSLATE_NOOP("TRecoveryDialog", "フォルダ");
constexpr const char* kTimeColumn = QT_TRANSLATE_NOOP("TRecoveryDialog", "変更の時刻");
constexpr int kFolder = 1;  // the column of the folder, which gives way to the others
constexpr int kListWidth = 600;
constexpr int kListHeight = 180;

QString Text(const char* source) { return QCoreApplication::translate(kContext, source); }

// The dialog, made at the first question of an offer and kept open until its end.
class DialogRecoveryBox final : public RecoveryBox {
 public:
  TRecoveryAnswer Ask(const std::vector<TRecoveryRow>& rows) override {
    if (!dialog_) dialog_ = new TRecoveryDialog(QApplication::activeWindow());
    // Held through a guarded pointer: whatever runs while it waits may destroy its parent.
    QPointer<TRecoveryDialog> dialog = dialog_;
    const TRecoveryAnswer answer = dialog->Ask(rows);
    return dialog ? answer : TRecoveryAnswer{};
  }
  void Close() override { delete dialog_.data(); }

 private:
  QPointer<TRecoveryDialog> dialog_;
};

DialogRecoveryBox dialogRecoveryBox;
RecoveryBox* installed = nullptr;

}  // namespace

RecoveryBox& RecoveryBox::Current() { return installed ? *installed : dialogRecoveryBox; }

RecoveryBox* RecoveryBox::Install(RecoveryBox* box) {
  RecoveryBox* previous = installed;
  installed = box;
  return previous;
}

TRecoveryDialog::TRecoveryDialog(QWidget* parent)
    : QDialog(parent),
      list_(new QTreeWidget(this)),
      restoreButton_(new QPushButton(Text(kRestoreAnswer), this)),
      discardButton_(new QPushButton(Text(kDiscardAnswer), this)),
      laterButton_(new QPushButton(Text(kLaterAnswer), this)) {
  setObjectName("RecoveryDialog");
  setWindowTitle(Text(kRecoveryBoxTitle));
  setWindowModality(Qt::ApplicationModal);

  auto* heading = new QLabel(Text(kRecoveryBoxTitle), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  auto* explanation = new QLabel(Text(kExplanation), this);
  explanation->setWordWrap(true);

  list_->setObjectName("RecoveryList");
  list_->setAccessibleName(Text(kRecoveryBoxTitle));
  list_->setHeaderLabels({Text(kPageColumn), Text(kFolderColumn), Text(kTimeColumn)});
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumSize(kListWidth, kListHeight);
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->header()->setSectionResizeMode(kFolder, QHeaderView::Stretch);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(restoreButton_, QDialogButtonBox::AcceptRole);
  buttons->addButton(discardButton_, QDialogButtonBox::DestructiveRole);
  buttons->addButton(laterButton_, QDialogButtonBox::RejectRole);
  restoreButton_->setDefault(true);
  connect(restoreButton_, &QPushButton::clicked, this,
          Guarded([this] { Answer(TRecoveryAction::Restore); }));
  connect(discardButton_, &QPushButton::clicked, this,
          Guarded([this] { Answer(TRecoveryAction::Discard); }));
  connect(laterButton_, &QPushButton::clicked, this, Guarded([this] { reject(); }));
  // A double-click restores the row, as choosing it and pressing "復元" does.
  connect(list_, &QTreeWidget::itemDoubleClicked, this,
          Guarded([this] { Answer(TRecoveryAction::Restore); }));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(explanation);
  layout->addWidget(list_);
  layout->addWidget(buttons);
}

TRecoveryAnswer TRecoveryDialog::Ask(const std::vector<TRecoveryRow>& rows) {
  ShowRows(rows);
  answer_ = TRecoveryAnswer{};
  if (!isVisible()) show();
  raise();
  activateWindow();
  // Whatever runs while it waits may destroy the dialog (with its parent): that ends the wait.
  const QPointer<TRecoveryDialog> self(this);
  QEventLoop waiting;
  waiting_ = &waiting;
  waiting.exec();
  if (!self) return TRecoveryAnswer{};
  waiting_ = nullptr;
  return answer_;
}

TRecoveryDialog::~TRecoveryDialog() {
  if (waiting_) waiting_->quit();
}

void TRecoveryDialog::ShowRows(const std::vector<TRecoveryRow>& rows) {
  list_->clear();
  for (const TRecoveryRow& row : rows) {
    auto* item = new QTreeWidgetItem(list_, {row.page, row.folder, row.time});
    item->setToolTip(kFolder, row.folder);
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  const bool any = !rows.empty();
  restoreButton_->setEnabled(any);
  discardButton_->setEnabled(any);
}

void TRecoveryDialog::Answer(TRecoveryAction action) {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (action != TRecoveryAction::Later && row < 0) return;
  answer_ = {action, static_cast<size_t>(std::max(row, 0))};
  if (waiting_) waiting_->quit();
}

void TRecoveryDialog::reject() {
  answer_ = TRecoveryAnswer{};
  QDialog::reject();
  if (waiting_) waiting_->quit();
}

}  // namespace pm
