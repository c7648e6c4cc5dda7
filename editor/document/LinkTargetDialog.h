// TLinkTargetDialog: "リンク先", the dialog in which the author chooses the page that a link
// leads to among the document's pages, each shown as a small picture of its background with its
// name "ページ N". Choosing a page (a double-click, Enter or "OK") tells PageChosen; the window
// that opened it makes that page the link's LinkPage.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "editor/document/DocumentSnapshot.h"

class QDialogButtonBox;
class QLabel;
class QListWidget;

namespace pm {

class TDocumentReader;

inline constexpr const char* kLinkTargetTitle =
    QT_TRANSLATE_NOOP("pm::TLinkTargetDialog", "リンク先");

class TLinkTargetDialog : public QDialog {
  Q_OBJECT

 public:
  // For link `link`, whose link page is `current`, among the pages of the document of `pattern`:
  // those of `snapshot` when it is that document's, otherwise read now.
  TLinkTargetDialog(QWidget* parent, int32_t link, int32_t current, const std::string& pattern,
                    std::shared_ptr<const TDocumentSnapshot> snapshot);
  ~TLinkTargetDialog() override;

  int32_t Link() const { return link_; }
  QListWidget* Pages() const { return pages_; }
  // The page chosen in the list, or nothing.
  std::optional<int32_t> SelectedPage() const;

 signals:
  void PageChosen(int32_t page);
  // The pages are listed (or the reading failed and the dialog says why).
  void PagesShown();

 private:
  void ShowPages(const TDocumentSnapshot& snapshot);
  void Choose();

  int32_t link_;
  int32_t current_;
  QLabel* heading_;
  QListWidget* pages_;
  QDialogButtonBox* buttons_;
  TDocumentReader* reader_ = nullptr;
};

}  // namespace pm
