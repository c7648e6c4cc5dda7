#include <gtest/gtest.h>

#include <filesystem>

#include "tests/editor/StoredPictures.h"
#include "tests/editor/WindowDriver.h"
#include "tests/editor/WindowState.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using Request = test::ScriptedFileDialogs::Request;

// The two entries of old, first and second, then every picture format that an import reads.
constexpr const char* kBitmapFilter =
    "*.bmp|*.bmp|*.*|*.*|画像ファイル (*.bmp *.png *.jpg *.jpeg *.gif *.webp)|"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp";
constexpr const char* kPageFilter = "*.pag|*.pag|*.*|*.*";

class MainWindowFileDialogsTest : public test::WindowTest {
 protected:
  // Presses the button with the dialog cancelled; returns the request the dialog made.
  Request CancelFrom(QAbstractButton* button) {
    dialogs.Cancel();
    person.Click(button);
    return dialogs.requests.back();
  }
};

TEST_F(MainWindowFileDialogsTest, BothImportsShareOneDialogThatRemembersTheLastConfirmedChoice) {
  const std::string first = BmpFile("first.bmp", test::SharpBitmap(4, 4, 1));
  const std::string second = BmpFile("second.bmp", test::SharpBitmap(4, 4, 2));

  // The first opening: the first filter entry and no name. Cancelling does nothing at all.
  const test::WindowState untouched(window);
  EXPECT_EQ(CancelFrom(window.BitBtn1), (Request{TFileDialogKind::Open, kBitmapFilter, "", 1}));
  EXPECT_TRUE(test::WindowState(window) == untouched);

  person.ImportSlot(5, first);
  EXPECT_EQ(dialogs.requests.back(), (Request{TFileDialogKind::Open, kBitmapFilter, "", 1}));
  // The background's import opens where the slot's left off, and the other way round.
  person.ImportBackground(second, 2);
  EXPECT_EQ(dialogs.requests.back(), (Request{TFileDialogKind::Open, kBitmapFilter, first, 1}));
  EXPECT_EQ(CancelFrom(window.BitBtn1), (Request{TFileDialogKind::Open, kBitmapFilter, second, 2}));
  EXPECT_EQ(CancelFrom(window.Button2), (Request{TFileDialogKind::Open, kBitmapFilter, second, 2}));

  // A cancelled background import leaves the background and its name alone.
  const test::WindowState before(window);
  EXPECT_EQ(CancelFrom(window.Button2), (Request{TFileDialogKind::Open, kBitmapFilter, second, 2}));
  EXPECT_TRUE(test::WindowState(window) == before);
  EXPECT_EQ(window.Page().SlotFileName(5), first);
  EXPECT_EQ(window.Page().BackgroundFileName(), second);
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowFileDialogsTest, SaveUsesTheNameExactlyAsReturnedAndLoadHasADialogOfItsOwn) {
  person.ImportSlot(1, BmpFile("1.bmp", test::SharpBitmap(6, 6)));
  const std::string noExtension = dir.File("page");

  EXPECT_EQ(CancelFrom(window.BitBtn4), (Request{TFileDialogKind::Save, kPageFilter, "", 1}));
  EXPECT_FALSE(std::filesystem::exists(noExtension));
  person.Save(noExtension, 2);
  EXPECT_EQ(dialogs.requests.back(), (Request{TFileDialogKind::Save, kPageFilter, "", 1}));
  // The save gave the empty background its placeholder, but the background's box stays empty.
  EXPECT_FALSE(window.Page().BackgroundHolder().IsEmpty());
  EXPECT_EQ(window.Image2->Picture(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(noExtension));
  EXPECT_FALSE(std::filesystem::exists(noExtension + ".pag"));
  const auto saved = test::ReadFileBytes(noExtension);

  // Cancelling the save writes nothing, although the page has changed since.
  person.ImportSlot(2, BmpFile("2.bmp", test::SharpBitmap(6, 6, 1)));
  EXPECT_EQ(CancelFrom(window.BitBtn4),
            (Request{TFileDialogKind::Save, kPageFilter, noExtension, 2}));
  EXPECT_EQ(test::ReadFileBytes(noExtension), saved);

  // The load's dialog starts afresh; a cancelled load changes nothing.
  const test::WindowState before(window);
  EXPECT_EQ(CancelFrom(window.BitBtn3), (Request{TFileDialogKind::Open, kPageFilter, "", 1}));
  EXPECT_TRUE(test::WindowState(window) == before);
  person.Load(noExtension, 2);
  EXPECT_TRUE(window.Page().SlotHolder(2).IsEmpty());
  EXPECT_FALSE(window.Page().SlotHolder(1).IsEmpty());
  EXPECT_EQ(CancelFrom(window.BitBtn3),
            (Request{TFileDialogKind::Open, kPageFilter, noExtension, 2}));
  // Neither page dialog touched the import dialog's memory.
  EXPECT_EQ(CancelFrom(window.BitBtn1),
            (Request{TFileDialogKind::Open, kBitmapFilter, dir.File("2.bmp"), 1}));
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace pm
