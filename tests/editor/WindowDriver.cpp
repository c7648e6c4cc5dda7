#include "tests/editor/WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWindow>

#include "base/IntegerText.h"
#include "tests/support/TestPictures.h"

namespace pm::test {

void ClickThroughWindowSystem(QWidget* widget, QPoint position) {
  if (position.isNull()) position = widget->rect().center();
  QWindow* window = widget->window()->windowHandle();
  ASSERT_NE(window, nullptr);
  QTest::mouseClick(window, Qt::LeftButton, {},
                    window->mapFromGlobal(widget->mapToGlobal(position)));
}

void WindowDriver::Show() {
  window_.ShowCentred();
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
}

void WindowDriver::ClickInto(TEdit* field) {
  ClickThroughWindowSystem(field);
  ASSERT_EQ(QApplication::focusWidget(), field) << field->objectName().toStdString();
}

void WindowDriver::TypeInto(TEdit* field, const std::string& text) {
  ClickInto(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, QString::fromStdString(text));
}

void WindowDriver::PasteInto(TEdit* field, const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  ClickInto(field);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void WindowDriver::DeleteLastCharacter(TEdit* field) {
  ClickInto(field);
  QTest::keyClick(field, Qt::Key_End);
  QTest::keyClick(field, Qt::Key_Backspace);
}

void WindowDriver::Click(QAbstractButton* button) { ClickThroughWindowSystem(button); }

// The upper half of a spin button is its up arrow, the lower half its down arrow.
void WindowDriver::PressUpArrow(TUpDown* upDown) {
  ClickThroughWindowSystem(upDown, QPoint(upDown->width() / 2, upDown->height() / 4));
}

void WindowDriver::PressDownArrow(TUpDown* upDown) {
  ClickThroughWindowSystem(upDown, QPoint(upDown->width() / 2, upDown->height() * 3 / 4));
}

void WindowDriver::ImportSlot(int slot, const std::string& fileName, int filterIndex) {
  SelectSlot(slot);
  dialogs_.Answer(fileName, filterIndex);
  Click(window_.BitBtn1);
}

void WindowDriver::ImportBackground(const std::string& fileName, int filterIndex) {
  dialogs_.Answer(fileName, filterIndex);
  Click(window_.Button2);
}

void WindowDriver::SetLink(int link, const TLinkRecord& values) {
  SelectLink(link);
  TypeInto(window_.Edit2, IntToStr(values.Left));
  TypeInto(window_.Edit3, IntToStr(values.Top));
  TypeInto(window_.Edit4, IntToStr(values.Right));
  TypeInto(window_.Edit5, IntToStr(values.Bottom));
  TypeInto(window_.Edit8, IntToStr(values.Bitmap));
  TypeInto(window_.Edit10, IntToStr(values.LinkPage));
  Click(window_.Button3);
}

void WindowDriver::Save(const std::string& fileName, int filterIndex) {
  dialogs_.Answer(fileName, filterIndex);
  Click(window_.BitBtn4);
}

void WindowDriver::Load(const std::string& fileName, int filterIndex) {
  dialogs_.Answer(fileName, filterIndex);
  Click(window_.BitBtn3);
}

TLinkRecord WindowDriver::ShownLink() const {
  TLinkRecord shown;
  shown.Left = StrToInt(window_.Edit2->Text());
  shown.Top = StrToInt(window_.Edit3->Text());
  shown.Right = StrToInt(window_.Edit4->Text());
  shown.Bottom = StrToInt(window_.Edit5->Text());
  shown.LinkPage = StrToInt(window_.Edit10->Text());
  shown.Reserved = 0;
  shown.Bitmap = StrToInt(window_.Edit8->Text());
  return shown;
}

std::string WindowTest::BmpFile(const std::string& name, const TBitmap& bitmap) {
  const std::string path = dir.File(name);
  WriteBmpFile(path, bitmap);
  return path;
}

}  // namespace pm::test
