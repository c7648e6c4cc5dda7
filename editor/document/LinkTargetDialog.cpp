#include "editor/document/LinkTargetDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/EventGuard.h"
#include "editor/document/DocumentReader.h"

namespace pm {

namespace {

constexpr QSize kThumbnailSize(160, 120);
constexpr QSize kDialogSize(720, 520);
constexpr int kGridMargin = 24;

// The thumbnail in the middle of a frame of the list's icon size, so that every page takes the
// same room; a page without one shows an empty frame.
QPixmap FramedThumbnail(const QImage& thumbnail) {
  QPixmap framed(kThumbnailSize);
  framed.fill(Qt::transparent);
  QPainter painter(&framed);
  painter.setPen(Qt::gray);
  painter.drawRect(QRect(QPoint(0, 0), kThumbnailSize - QSize(1, 1)));
  if (!thumbnail.isNull()) {
    const QImage fitted = thumbnail.scaled(kThumbnailSize - QSize(2, 2), Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation);
    painter.drawImage(QPoint((kThumbnailSize.width() - fitted.width()) / 2,
                             (kThumbnailSize.height() - fitted.height()) / 2),
                      fitted);
  }
  return framed;
}

}  // namespace

TLinkTargetDialog::TLinkTargetDialog(QWidget* parent, int32_t link, int32_t current,
                                     const std::string& pattern,
                                     std::shared_ptr<const TDocumentSnapshot> snapshot)
    : QDialog(parent),
      link_(link),
      current_(current),
      heading_(new QLabel(this)),
      pages_(new QListWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName("LinkTargetDialog");
  setWindowTitle(tr(kLinkTargetTitle));
  resize(kDialogSize);
  heading_->setText(tr("リンク %1 の行き先のページを選んでください").arg(link));
  pages_->setObjectName("LinkTargetPages");
  pages_->setAccessibleName(tr("ページ"));
  pages_->setViewMode(QListView::IconMode);
  pages_->setIconSize(kThumbnailSize);
  pages_->setGridSize(kThumbnailSize + QSize(kGridMargin, kGridMargin + fontMetrics().height()));
  pages_->setResizeMode(QListView::Adjust);
  pages_->setMovement(QListView::Static);
  pages_->setUniformItemSizes(true);
  buttons_->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons_->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(pages_, 1);
  layout->addWidget(buttons_);

  connect(buttons_, &QDialogButtonBox::accepted, this, Guarded([this] { Choose(); }));
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pages_, &QListWidget::itemActivated, this, Guarded([this] { Choose(); }));
  connect(pages_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr);
  });

  if (snapshot && snapshot->document.Pattern().Text() == pattern) {
    ShowPages(*snapshot);
    return;
  }
  heading_->setText(tr("ページを読み込んでいます…"));
  reader_ = new TDocumentReader(this);
  connect(reader_, &TDocumentReader::Finished, this,
          [this](std::shared_ptr<const TDocumentSnapshot> read) {
            RunGuarded([&] {
              if (read) ShowPages(*read);
            });
          });
  connect(reader_, &TDocumentReader::Failed, this, [this](const QString& message) {
    heading_->setText(tr("ページを読み込めません: %1").arg(message));
    emit PagesShown();
  });
  reader_->Start(pattern);
}

TLinkTargetDialog::~TLinkTargetDialog() = default;

std::optional<int32_t> TLinkTargetDialog::SelectedPage() const {
  const QListWidgetItem* item = pages_->currentItem();
  if (item == nullptr) return std::nullopt;
  return item->data(Qt::UserRole).toInt();
}

void TLinkTargetDialog::ShowPages(const TDocumentSnapshot& snapshot) {
  heading_->setText(tr("リンク %1 の行き先のページを選んでください").arg(link_));
  pages_->clear();
  for (const TDocumentPageFile& page : snapshot.document.Pages()) {
    const auto thumbnail = snapshot.thumbnails.find(page.number);
    const QImage picture = thumbnail == snapshot.thumbnails.end() ? QImage() : thumbnail->second;
    auto* item = new QListWidgetItem(QIcon(FramedThumbnail(picture)),
                                     tr("ページ %1").arg(page.number), pages_);
    item->setData(Qt::UserRole, page.number);
    item->setToolTip(QString::fromStdString(page.fileName));
    if (page.number == current_) pages_->setCurrentItem(item);
  }
  emit PagesShown();
}

void TLinkTargetDialog::Choose() {
  const std::optional<int32_t> page = SelectedPage();
  if (!page) return;
  accept();
  emit PageChosen(*page);
}

}  // namespace pm
