#include "editor/publishing/SiteProgressBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/EventGuard.h"

namespace pm {

namespace {

constexpr int kMinimumWidth = 420;

}  // namespace

TSiteProgressBox::TSiteProgressBox(QWidget* owner)
    : QDialog(owner),
      folder_(new QLabel(this)),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(tr(kCancelButtonText), this)) {
  setObjectName("SiteProgressBox");
  setWindowTitle(tr(kSiteProgressTitle));
  setWindowModality(Qt::WindowModal);
  setMinimumWidth(kMinimumWidth);
  folder_->setObjectName("SiteProgressFolder");
  folder_->setTextFormat(Qt::PlainText);
  folder_->setWordWrap(true);
  text_->setObjectName("SiteProgressText");
  text_->setTextFormat(Qt::PlainText);
  bar_->setObjectName("SiteProgressBar");
  bar_->setAccessibleName(tr(kSiteProgressTitle));
  cancel_->setObjectName("SiteProgressCancel");
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folder_);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addWidget(buttons);
  connect(cancel_, &QPushButton::clicked, this, Guarded([this] { RequestCancel(); }));
}

void TSiteProgressBox::Begin(const QString& folder) {
  cancelRequested_ = false;
  cancel_->setEnabled(true);
  folder_->setText(tr("書き出し先: %1").arg(folder));
  text_->setText(tr("ページファイルを調べています…"));
  bar_->setRange(0, 0);  // moving, until the number of pages is known
  open();
  raise();
  activateWindow();
}

void TSiteProgressBox::ShowProgress(int pagesDone, int pagesInAll) {
  if (cancelRequested_) return;
  bar_->setRange(0, pagesInAll);
  bar_->setValue(pagesDone);
  // The page being written now; after the last one, the map.
  text_->setText(pagesDone < pagesInAll ? tr(kPagesProgressText).arg(pagesDone + 1).arg(pagesInAll)
                                        : tr(kMapProgressText));
}

void TSiteProgressBox::End() {
  // Closed as accepted: reject() means a cancel here.
  accept();
}

QString TSiteProgressBox::Text() const { return text_->text(); }

void TSiteProgressBox::reject() {
  RunGuarded([this] { RequestCancel(); });
}

void TSiteProgressBox::RequestCancel() {
  if (cancelRequested_) return;
  cancelRequested_ = true;
  cancel_->setEnabled(false);
  text_->setText(tr(kCancellingText));
  emit Cancel();
}

}  // namespace pm
