// A person at the main window: clicks into fields and types, pastes, presses buttons and the
// arrows of the spin buttons, and answers the file dialogs through a script. The mouse goes
// through the window system, as a real click does, so that a modal window blocks it.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <string>

#include "editor/Form1.h"
#include "page/LinkRecord.h"
#include "tests/editor/RecordingErrorBox.h"
#include "tests/editor/ScriptedFileDialogs.h"
#include "tests/support/TempDir.h"

namespace pm::test {

// A left click at `position` in the widget (its centre when null), delivered to its window by the
// window system as a real click is: a window that a modal window blocks doesn't get it.
void ClickThroughWindowSystem(QWidget* widget, QPoint position = QPoint());

class WindowDriver {
 public:
  WindowDriver(TForm1& window, ScriptedFileDialogs& dialogs) : window_(window), dialogs_(dialogs) {}

  // Shows the window and waits until it is the active one.
  void Show();

  // Clicks into the field, selects its whole text and types `text` key by key.
  void TypeInto(TEdit* field, const std::string& text);
  // Clicks into the field, selects its whole text and pastes `text` from the clipboard.
  void PasteInto(TEdit* field, const std::string& text);
  // Clicks into the field and deletes its last character with Backspace.
  void DeleteLastCharacter(TEdit* field);
  void Click(QAbstractButton* button);
  void PressUpArrow(TUpDown* upDown);
  void PressDownArrow(TUpDown* upDown);

  void SelectSlot(int slot) { TypeInto(window_.Edit1, std::to_string(slot)); }
  void SelectLink(int link) { TypeInto(window_.Edit7, std::to_string(link)); }
  // Selects the slot, presses its "読み込み" and picks the file in the dialog.
  void ImportSlot(int slot, const std::string& fileName, int filterIndex = 1);
  // Presses the background's "読み込み" and picks the file in the dialog.
  void ImportBackground(const std::string& fileName, int filterIndex = 1);
  // Selects the link, types Left, Top, Right, Bottom, Bitmap and LinkPage into their fields and
  // presses "更新".
  void SetLink(int link, const TLinkRecord& values);
  // Presses "保存" or the lower "読み込み" and picks the file in the dialog.
  void Save(const std::string& fileName, int filterIndex = 1);
  void Load(const std::string& fileName, int filterIndex = 1);

  // The link view's six fields as a record (Reserved 0); a field that isn't a number fails.
  TLinkRecord ShownLink() const;

 private:
  void ClickInto(TEdit* field);

  TForm1& window_;
  ScriptedFileDialogs& dialogs_;
};

// A shown main window with its error box and file dialogs replaced, and a temporary folder.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : person(window, dialogs) {}
  void SetUp() override { person.Show(); }

  // Writes a BMP file into the folder and returns its full path.
  std::string BmpFile(const std::string& name, const TBitmap& bitmap);

  TempDir dir;
  RecordingErrorBox errors;
  ScriptedFileDialogs dialogs;
  TForm1 window;
  WindowDriver person;
};

}  // namespace pm::test
