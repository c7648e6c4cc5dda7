#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "editor/Form1.h"
#include "tests/editor/WindowDriver.h"

namespace pm {
namespace {

enum class Kind { Panel, NumberField, NameField, SpinButton, Label, Button, Image };

struct Control {
  const char* name;
  Kind kind;
  const char* parent;
  QRect geometry;
  const char* text;  // caption or initial text
  TBevel outer = TBevel::bvNone;
  TBevel inner = TBevel::bvNone;
};

// The window as the author sees it.
const Control kControls[] = {
    {"Panel1", Kind::Panel, "Form1", {0, 0, 640, 153}, "", TBevel::bvRaised, TBevel::bvLowered},
    {"Edit1", Kind::NumberField, "Panel1", {16, 8, 121, 20}, "0"},
    {"UpDown1", Kind::SpinButton, "Panel1", {144, 8, 15, 22}, ""},
    {"Label1", Kind::Label, "Panel1", {168, 16, 70, 12}, "番ビットマップ"},
    {"Label6", Kind::Label, "Panel1", {264, 16, 41, 12}, "ファイル"},
    {"Edit6", Kind::NameField, "Panel1", {312, 16, 313, 20}, ""},
    {"BitBtn2", Kind::Button, "Panel1", {16, 40, 75, 25}, "削除"},
    {"Image1", Kind::Image, "Panel1", {112, 40, 134, 100}, ""},
    {"BitBtn1", Kind::Button, "Panel1", {548, 48, 75, 25}, "読み込み"},
    {"Panel2", Kind::Panel, "Form1", {0, 153, 640, 128}, "", TBevel::bvLowered, TBevel::bvRaised},
    {"Edit7", Kind::NumberField, "Panel2", {16, 16, 121, 20}, "0"},
    {"UpDown2", Kind::SpinButton, "Panel2", {144, 16, 15, 22}, ""},
    {"Label7", Kind::Label, "Panel2", {168, 24, 41, 12}, "番リンク"},
    {"Button1", Kind::Button, "Panel2", {222, 16, 75, 25}, "削除"},
    {"Label11", Kind::Label, "Panel2", {336, 16, 63, 12}, "リンクページ"},
    {"Edit10", Kind::NumberField, "Panel2", {408, 16, 121, 20}, "-1"},
    {"Label2", Kind::Label, "Panel2", {24, 48, 12, 12}, "左"},
    {"Edit2", Kind::NumberField, "Panel2", {40, 48, 121, 20}, "-1"},
    {"Label4", Kind::Label, "Panel2", {200, 48, 12, 12}, "右"},
    {"Edit4", Kind::NumberField, "Panel2", {216, 48, 121, 20}, "-1"},
    {"Label3", Kind::Label, "Panel2", {24, 72, 12, 12}, "上"},
    {"Edit3", Kind::NumberField, "Panel2", {40, 72, 121, 20}, "-1"},
    {"Label5", Kind::Label, "Panel2", {200, 72, 12, 12}, "下"},
    {"Edit5", Kind::NumberField, "Panel2", {216, 72, 121, 20}, "-1"},
    {"Button3", Kind::Button, "Panel2", {360, 72, 75, 25}, "更新"},
    {"Label8", Kind::Label, "Panel2", {24, 96, 58, 12}, "ビットマップ"},
    {"Edit8", Kind::NumberField, "Panel2", {104, 96, 121, 20}, "-1"},
    {"Panel3", Kind::Panel, "Form1", {0, 281, 640, 152}, "", TBevel::bvRaised, TBevel::bvRaised},
    {"Label9", Kind::Label, "Panel3", {8, 8, 24, 12}, "背景"},
    {"Label10", Kind::Label, "Panel3", {8, 32, 41, 12}, "ファイル"},
    {"Edit9", Kind::NameField, "Panel3", {56, 32, 321, 20}, ""},
    {"Button2", Kind::Button, "Panel3", {304, 56, 75, 25}, "読み込み"},
    {"Image2", Kind::Image, "Panel3", {432, 8, 183, 137}, ""},
    {"BitBtn3", Kind::Button, "Form1", {8, 440, 75, 25}, "読み込み"},
    {"Button4", Kind::Button, "Form1", {272, 448, 75, 25}, "About"},
    {"BitBtn4", Kind::Button, "Form1", {552, 440, 75, 25}, "保存"},
};

void ExpectKind(QWidget* widget, const Control& control) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case Kind::Panel: {
      auto* panel = dynamic_cast<TPanel*>(widget);
      ASSERT_NE(panel, nullptr);
      EXPECT_EQ(panel->BevelOuter(), control.outer);
      EXPECT_EQ(panel->BevelInner(), control.inner);
      break;
    }
    case Kind::NumberField:
    case Kind::NameField: {
      auto* field = dynamic_cast<TEdit*>(widget);
      ASSERT_NE(field, nullptr);
      EXPECT_EQ(field->text(), text);
      EXPECT_FALSE(field->isReadOnly());
      EXPECT_TRUE(field->AutoSelect());
      // Number fields switch the input method off; the file-name fields leave it alone.
      const bool inputMethod = control.kind == Kind::NameField;
      EXPECT_EQ(field->ImeMode(), inputMethod ? TImeMode::imDontCare : TImeMode::imDisable);
      EXPECT_EQ(field->testAttribute(Qt::WA_InputMethodEnabled), inputMethod);
      EXPECT_EQ(static_cast<QWidget*>(field)->inputMethodQuery(Qt::ImEnabled).toBool(),
                inputMethod);
      break;
    }
    case Kind::SpinButton: {
      auto* upDown = dynamic_cast<TUpDown*>(widget);
      ASSERT_NE(upDown, nullptr);
      EXPECT_EQ(upDown->Min(), 0);
      EXPECT_EQ(upDown->Max(), 255);
      EXPECT_EQ(upDown->Increment(), 1);
      EXPECT_TRUE(upDown->Wrap());
      EXPECT_EQ(upDown->Position(), 0);
      EXPECT_EQ(upDown->focusPolicy(), Qt::NoFocus);
      break;
    }
    case Kind::Label: {
      auto* label = qobject_cast<QLabel*>(widget);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->text(), text);
      break;
    }
    case Kind::Button: {
      auto* button = qobject_cast<QPushButton*>(widget);
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->text(), text);
      EXPECT_TRUE(button->icon().isNull());
      break;
    }
    case Kind::Image: {
      auto* image = dynamic_cast<TImage*>(widget);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->Picture(), nullptr);
      break;
    }
  }
}

void ExpectWindowFont(const QFont& font) {
  EXPECT_EQ(font.family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic");
}

class MainWindowLayoutTest : public test::WindowTest {};

TEST_F(MainWindowLayoutTest, EveryControlHasItsPlaceKindAndText) {
  for (const Control& control : kControls) {
    SCOPED_TRACE(control.name);
    auto* widget = window.findChild<QWidget*>(control.name);
    ASSERT_NE(widget, nullptr);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), control.parent);
    EXPECT_EQ(widget->geometry(), control.geometry);
    EXPECT_TRUE(widget->isVisible());
    ExpectKind(widget, control);
    ExpectWindowFont(widget->font());
  }
  // Nothing else takes part: every named control of the window is in the table.
  int named = 0;
  for (const QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_")) ++named;
  }
  EXPECT_EQ(named, static_cast<int>(std::size(kControls)));
}

TEST_F(MainWindowLayoutTest, TheWindowIsFixedCentredAndCaptioned) {
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("もけぽんたす ページメーカー"));
  EXPECT_EQ(window.size(), QSize(640, 480));
  EXPECT_EQ(window.minimumSize(), QSize(640, 480));
  EXPECT_EQ(window.maximumSize(), QSize(640, 480));
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  ExpectWindowFont(window.font());

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QSize outer = window.frameGeometry().size();
  EXPECT_EQ(window.frameGeometry().topLeft(),
            QPoint(screen.left() + (screen.width() - outer.width()) / 2,
                   screen.top() + (screen.height() - outer.height()) / 2));
}

TEST_F(MainWindowLayoutTest, TabVisitsThePanelsInOrderAndSkipsTheSpinButtons) {
  const std::vector<std::string> expected = {"Edit6",   "BitBtn1", "BitBtn2", "Edit7",   "Edit3",
                                             "Edit2",   "Edit4",   "Edit5",   "Edit8",   "Button1",
                                             "Edit10",  "Button3", "Edit9",   "Button2", "BitBtn3",
                                             "BitBtn4", "Button4", "Edit1"};
  window.Edit1->setFocus(Qt::TabFocusReason);
  std::vector<std::string> visited;
  for (size_t i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    visited.push_back(focused->objectName().toStdString());
    // Entering a field with Tab selects its whole text.
    if (auto* field = dynamic_cast<TEdit*>(focused)) {
      EXPECT_EQ(field->selectedText(), field->text()) << visited.back();
    }
  }
  EXPECT_EQ(visited, expected);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), window.Button4);
}

}  // namespace
}  // namespace pm
