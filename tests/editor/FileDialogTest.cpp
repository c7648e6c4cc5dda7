#include "editor/FileDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "tests/support/TempDir.h"

namespace pm {
namespace {

// Runs `person` on the file dialog once it is open, inside its modal loop.
std::optional<TFileDialogAnswer> AskAnswering(const TFileDialogRequest& request,
                                              const std::function<void(QFileDialog&)>& person) {
  bool ran = false;
  QTimer once;
  once.setSingleShot(true);
  QObject::connect(&once, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ran = true;
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal file dialog";
      return;
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    person(*dialog);
    if (dialog->isVisible()) {
      ADD_FAILURE() << "the dialog is still open";
      dialog->reject();
    }
  });
  once.start(0);
  const auto answer = FileDialogProvider::Current().Ask(request);
  EXPECT_TRUE(ran);
  return answer;
}

// Pastes the full name into the dialog's name field and presses Enter.
void EnterNameAndConfirm(QFileDialog& dialog, const std::string& name) {
  auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(field, nullptr);
  QGuiApplication::clipboard()->setText(QString::fromStdString(name));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Return);
}

const std::vector<std::pair<std::string, std::string>> kPageFilters = {{"*.pag", "*.pag"},
                                                                       {"*.*", "*.*"}};

TEST(QtFileDialogTest, OpensWithTheFilterAndNameItIsGivenAndReturnsTheNameAsTyped) {
  test::TempDir dir;
  const std::string existing = dir.File("old.pag");
  test::WriteFileBytes(existing, {1, 2, 3});
  const std::string noExtension = dir.File("new page");

  // A save: the name comes back exactly as typed, no extension appended, no question about the
  // existing file.
  const auto saved =
      AskAnswering({TFileDialogKind::Save, kPageFilters, existing, 2}, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_FALSE(dialog.testOption(QFileDialog::ReadOnly));
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"*.pag (*.pag)", "*.* (*)"}));
        EXPECT_EQ(dialog.selectedNameFilter(), "*.* (*)");
        EXPECT_EQ(dialog.selectedFiles(), QStringList{QString::fromStdString(existing)});
        EXPECT_EQ(dialog.defaultSuffix(), "");
        // Centred horizontally on the screen, in its upper part.
        const QRect screen = dialog.screen()->availableGeometry();
        const QRect frame = dialog.frameGeometry();
        if (frame.width() <= screen.width()) {
          EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
          EXPECT_LE(frame.top() - screen.top(), screen.height() / 3);
        }
        EnterNameAndConfirm(dialog, noExtension);
      });
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->fileName, noExtension);
  EXPECT_EQ(saved->filterIndex, 2);

  // An existing file is confirmed without a question.
  const auto overwritten =
      AskAnswering({TFileDialogKind::Save, kPageFilters, "", 1}, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.selectedNameFilter(), "*.pag (*.pag)");
        EnterNameAndConfirm(dialog, existing);
      });
  ASSERT_TRUE(overwritten.has_value());
  EXPECT_EQ(overwritten->fileName, existing);
  EXPECT_EQ(overwritten->filterIndex, 1);

  // An open takes a name whose file or folder doesn't exist; the load reports it later.
  const std::string missing = dir.File("no folder/missing.pag");
  const auto opened =
      AskAnswering({TFileDialogKind::Open, kPageFilters, "", 1}, [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EnterNameAndConfirm(dialog, missing);
      });
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(opened->fileName, missing);

  const auto cancelled =
      AskAnswering({TFileDialogKind::Open, kPageFilters, existing, 1},
                   [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_FALSE(cancelled.has_value());
}

TEST(QtFileDialogTest, AFolderDialogShowsFoldersOnlyOpensInTheFolderOfferedAndReturnsTheChoice) {
  test::TempDir dir;
  const std::filesystem::path offered = dir.Path() / "site";
  const std::filesystem::path other = dir.Path() / "other";
  std::filesystem::create_directory(offered);
  std::filesystem::create_directory(other);
  const TFileDialogRequest request{.kind = TFileDialogKind::Folder,
                                   .filters = {},
                                   .fileName = offered.string(),
                                   .filterIndex = 1};

  // Confirmed at once, the folder offered is the choice.
  const auto offeredChosen = AskAnswering(request, [&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(offered.string()));
    auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_Return);
  });
  ASSERT_TRUE(offeredChosen.has_value());
  EXPECT_EQ(std::filesystem::path(offeredChosen->fileName), offered);

  const auto otherChosen = AskAnswering(
      request, [&](QFileDialog& dialog) { EnterNameAndConfirm(dialog, other.string()); });
  ASSERT_TRUE(otherChosen.has_value());
  EXPECT_EQ(std::filesystem::path(otherChosen->fileName), other);
}

}  // namespace
}  // namespace pm
