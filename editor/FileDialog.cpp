#include "editor/FileDialog.h"

#include "editor/ScreenPlacement.h"

#include <QApplication>
#include <QFileDialog>
#include <QScreen>
#include <QShowEvent>

namespace pm {

namespace {

constexpr int kTopThird = 3;

// The pattern that matches every file; "*.*" would leave out names without an extension.
constexpr const char* kEveryFilePattern = "*.*";

// Qt's filter "description (patterns)", its patterns separated by spaces where the filter's are
// separated by semicolons. A description that already ends with its patterns in parentheses
// is used as it stands.
QString QtNameFilter(const std::pair<std::string, std::string>& filter) {
  QString pattern =
      filter.second == kEveryFilePattern ? QString("*") : QString::fromStdString(filter.second);
  pattern.replace(';', ' ');
  const QString description = QString::fromStdString(filter.first);
  const QString patterns = " (" + pattern + ")";
  return description.endsWith(patterns) ? description : description + patterns;
}

// Placed centred horizontally on the monitor of the active window, its top a third of the way
// down.
class PlacedFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    const QWidget* active = QApplication::activeWindow();
    const QScreen* screen = active ? active->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(PlaceOnScreen(area, frameGeometry().size(), kTopThird));
  }
};

class QtFileDialogProvider : public FileDialogProvider {
 public:
  std::optional<TFileDialogAnswer> Ask(const TFileDialogRequest& request) override {
    PlacedFileDialog dialog(QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(request.kind == TFileDialogKind::Save ? QFileDialog::AcceptSave
                                                               : QFileDialog::AcceptOpen);
    if (request.kind == TFileDialogKind::Folder) {
      dialog.setFileMode(QFileDialog::Directory);
      dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
      dialog.setFileMode(QFileDialog::AnyFile);
    }
    QStringList filters;
    for (const auto& filter : request.filters) filters << QtNameFilter(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
      dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (request.kind == TFileDialogKind::Folder) {
      // Opens in the folder offered: choosing at once chooses it.
      if (!request.fileName.empty()) dialog.setDirectory(QString::fromStdString(request.fileName));
    } else if (!request.fileName.empty()) {
      dialog.selectFile(QString::fromStdString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return TFileDialogAnswer{dialog.selectedFiles().first().toStdString(),
                             static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
  }
};

FileDialogProvider* installed = nullptr;

}  // namespace

FileDialogProvider& FileDialogProvider::Current() {
  static QtFileDialogProvider qtDialogs;
  return installed ? *installed : qtDialogs;
}

FileDialogProvider* FileDialogProvider::Install(FileDialogProvider* provider) {
  FileDialogProvider* previous = installed;
  installed = provider;
  return previous;
}

TFileDialog::TFileDialog(TFileDialogKind kind, const std::string& filter) : kind_(kind) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t bar = filter.find('|'); bar != std::string::npos; bar = filter.find('|', start)) {
    parts.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  parts.push_back(filter.substr(start));
  for (size_t i = 0; i + 1 < parts.size(); i += 2) filters_.emplace_back(parts[i], parts[i + 1]);
}

bool TFileDialog::Execute() {
  const auto answer = FileDialogProvider::Current().Ask(Request());
  if (!answer) return false;
  fileName_ = answer->fileName;
  if (answer->filterIndex >= 1) filterIndex_ = answer->filterIndex;
  return true;
}

TFileDialogRequest TFileDialog::Request() const {
  return TFileDialogRequest{kind_, filters_, fileName_, filterIndex_};
}

}  // namespace pm
